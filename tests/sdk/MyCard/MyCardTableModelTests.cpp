// The rows of one card in my cards, as a function of the card: the information row by status and
// root service, and at most four services before one row counts the rest.

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/MyCard/MyCardTableModel.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace kerbelin {

void PrintTo(TypeInfoCard kind, std::ostream* out) {
  *out << caseName(kind);
}

namespace {

using Kind = TypeInfoCard;

TEST(MyCardTableModel, RowsFollowTheStatusTheRootServiceAndTheServiceCount) {
  struct Case {
    std::string status;
    bool root;
    int services;
    std::vector<Kind> kinds;
  };
  const std::vector<Kind> four(4, Kind::Service);
  auto with = [](std::vector<Kind> head, const std::vector<Kind>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
  };
  const Case cases[] = {
      {"A", true, 0, {Kind::Cover, Kind::Info}},
      {"O", true, 2, {Kind::Cover, Kind::Info, Kind::Service, Kind::Service}},
      {"A", false, 1, {Kind::Cover, Kind::Service}},
      {"W", false, 0, {Kind::Cover, Kind::Info}},
      {"E", true, 4, with({Kind::Cover}, four)},
      {"C", true, 5, with(with({Kind::Cover}, four), {Kind::OtherPromotion})},
      {"", true, 9, with(with({Kind::Cover}, four), {Kind::OtherPromotion})},
      {"a", true, 0, {Kind::Cover}},
  };
  for (const auto& c : cases) {
    auto card = CardModel::create();
    card->status = c.status;
    if (c.root) card->rootService = DefServiceDtos::create();
    for (int i = 0; i < c.services; ++i) {
      card->ownServiceDtos.push_back(DefServiceDtos::create());
      card->ownServiceDtos.back()->typeService = Kind::Service;
    }
    const auto rows = myCardRows(*card);
    std::vector<Kind> kinds;
    for (const auto& row : rows) kinds.push_back(row->typeService);
    EXPECT_EQ(kinds, c.kinds) << c.status << " " << c.services;
    // Service rows are the card's own objects, in order.
    const auto first = static_cast<std::size_t>(std::find(kinds.begin(), kinds.end(), Kind::Service) - kinds.begin());
    for (std::size_t i = first; i < rows.size() && kinds[i] == Kind::Service; ++i) {
      EXPECT_EQ(rows[i], card->ownServiceDtos[i - first]) << c.status << " " << i;
    }
  }
}

}  // namespace
}  // namespace kerbelin
