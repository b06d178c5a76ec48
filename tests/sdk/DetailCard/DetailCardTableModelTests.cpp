// The card detail's sections as a function of the card, its state and the selected tab: which
// sections, what their rows show, how many rows, and what stands above them.

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/CardPromotion.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/DetailCard/Model/DetailCardTableModel.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace kerbelin {

void PrintTo(const DetailCardSection& section, std::ostream* out) {
  *out << "{" << caseName(section.kind) << ", row " << static_cast<int>(section.row) << " x" << section.rows
       << ", header " << static_cast<int>(section.header) << "}";
}

namespace {

using Kind = TypeCellDetailCard;
using Row = DetailCardRow;
using Header = DetailCardHeader;
using State = TypeDetailCard;
constexpr auto kInfo = TypeDetailCardTabAction::InfoButton;
constexpr auto kTerms = TypeDetailCardTabAction::RuleButton;

struct CardShape {
  int offered = 0;  // services a card for sale offers
  int owned = 0;    // services of an owned card
  int promotions = 0;
  bool root = false;
  std::string terms;
};

std::vector<std::shared_ptr<DefServiceDtos>> services(int count) {
  std::vector<std::shared_ptr<DefServiceDtos>> list;
  for (int i = 0; i < count; ++i) list.push_back(DefServiceDtos::create());
  return list;
}

std::shared_ptr<CardModel> makeCard(const CardShape& shape) {
  auto card = CardModel::create();
  card->defServiceDtos = services(shape.offered);
  card->ownServiceDtos = services(shape.owned);
  for (int i = 0; i < shape.promotions; ++i) card->promotionDtos.push_back(CardPromotion::create());
  if (shape.root) card->rootService = DefServiceDtos::create();
  card->usageTerms = shape.terms;
  return card;
}

TEST(DetailCardTableModel, SectionsFollowTheCardTheStateAndTheTab) {
  const DetailCardSection cover{Kind::Cover, Row::cover, 1, Header::none};
  const DetailCardSection condition{Kind::Condition, Row::condition, 1, Header::none};
  const DetailCardSection root{Kind::Infomation, Row::information, 1, Header::none};
  const DetailCardSection wait{Kind::ConditionWait, Row::waitCondition, 1, Header::none};
  const DetailCardSection termsRow{Kind::InfomationService, Row::terms, 1, Header::tabs};
  auto promotions = [](int rows, Header header) { return DetailCardSection{Kind::Promotion, Row::promotion, rows, header}; };
  auto offered = [](int rows) { return DetailCardSection{Kind::InfomationService, Row::service, rows, Header::tabs}; };
  auto owned = [](int rows) {
    return DetailCardSection{Kind::InfomationService, Row::ownedService, rows, Header::servicesTitle};
  };
  struct Case {
    const char* name;
    CardShape card;
    State state;
    TypeDetailCardTabAction tab;
    std::vector<DetailCardSection> sections;
  };
  const Case cases[] = {
      {"for sale, everything", {3, 0, 2, true, "x"}, State::UnPaid, kInfo,
       {cover, root, promotions(2, Header::promotions), offered(3)}},
      {"for sale, terms tab", {3, 0, 2, true, "x"}, State::UnPaid, kTerms,
       {cover, root, promotions(2, Header::promotions), termsRow}},
      {"for sale, bare", {}, State::UnPaid, kTerms, {cover}},
      {"for sale, terms only, services tab", {0, 0, 0, false, "x"}, State::UnPaid, kInfo, {cover, offered(0)}},
      {"for sale lists the offered services, not owned ones", {0, 2, 0, false, ""}, State::UnPaid, kInfo, {cover}},
      {"awaiting payment lists owned services", {2, 1, 1, false, ""}, State::WaitPay, kInfo,
       {cover, promotions(1, Header::promotions), wait, offered(1)}},
      {"awaiting payment, terms tab", {0, 1, 0, true, ""}, State::WaitPay, kTerms, {cover, root, wait, termsRow}},
      {"awaiting payment, nothing listed", {2, 0, 0, false, ""}, State::WaitPay, kInfo, {cover, wait}},
      {"paid: the guide and owned rows, whatever the tab", {0, 2, 1, true, "x"}, State::Paid, kTerms,
       {condition, root, promotions(1, Header::promotionsWithGuide), owned(2)}},
      {"expired, terms only", {0, 0, 3, false, "x"}, State::Expire, kInfo,
       {condition, promotions(3, Header::promotionsWithGuide), owned(0)}},
      {"paid, bare", {4, 0, 0, false, ""}, State::Paid, kInfo, {condition}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(detailCardSections(*makeCard(c.card), c.state, c.tab), c.sections) << c.name;
  }
}

TEST(DetailCardTableModel, ServiceRowsReadTheListOfTheStateAndNothingOutsideIt) {
  auto card = makeCard({2, 3, 0, false, ""});
  struct Case {
    State state;
    const std::vector<std::shared_ptr<DefServiceDtos>>* list;
  };
  for (const auto& c : {Case{State::UnPaid, &card->defServiceDtos}, Case{State::WaitPay, &card->ownServiceDtos},
                        Case{State::Paid, &card->ownServiceDtos}, Case{State::Expire, &card->ownServiceDtos}}) {
    const auto& listed = detailCardServices(*card, c.state);
    EXPECT_EQ(&listed, c.list);
    for (int index = -1; index <= static_cast<int>(listed.size()); ++index) {
      const bool inside = index >= 0 && index < static_cast<int>(listed.size());
      EXPECT_EQ(serviceAt(listed, index), inside ? listed[index] : nullptr) << index;
    }
  }
}

}  // namespace
}  // namespace kerbelin
