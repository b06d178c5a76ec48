// The rows of an owned card as the list draws them: the status badge, the number in the card's
// colour, the limit or payment lines and the services.

#include "MyCardTestSupport.h"

#include <Class/MyCard/CustomCell/MyCardCoverTableViewCell.h>
#include <Class/MyCard/CustomCell/MyCardInfoTableViewCell.h>
#include <Class/MyCard/CustomCell/MyCardServiceTableViewCell.h>
#include <Class/MyCard/CustomCell/ViewTypeDetailCard.h>

namespace kerbelin::test {
namespace {

ios::CGColor rgb(double r, double g, double b) {
  return ios::UIColor::create(r / 255, g / 255, b / 255, 1)->cgColor();
}

class MyCardRows : public MyCardsTest {};

// The badge of each status and its look are in the recorded pictures; here, an unknown status has
// none and the number takes the card's colour only from a well-formed "#RRGGBB".
TEST_F(MyCardRows, TheCoverShowsTheBadgeOfItsStatusAndTheNumberInTheCardsColour) {
  struct Case {
    const char* status;
    std::optional<std::string> colour;
    ios::CGColor number;
    const char* title;  // none: no badge
  };
  const auto black = rgb(0, 0, 0);
  const std::vector<Case> cases = {
      {"W", "#1E88E5", rgb(0x1E, 0x88, 0xE5), "Chờ thanh toán"},
      {"C", "1E88E5", black, "Hết hiệu lực"},
      {"w", std::nullopt, black, nullptr},
  };
  std::vector<OwnCardFixture> cards;
  for (const auto& c : cases) cards.push_back({.name = "Thẻ Gym", .status = c.status, .services = 0, .rgb = c.colour});
  showWith(cards);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(c.status);
    auto row = rowAt<MyCardCoverTableViewCell>({static_cast<int>(i), 0});
    EXPECT_EQ(row->lbNameCard.lock()->text(), "Thẻ Gym");
    EXPECT_EQ(row->lbNumberCard.lock()->textColor()->cgColor(), c.number);
    const auto& inside = row->viewTypeCard.lock()->subviews();
    ASSERT_EQ(inside.size(), c.title ? 1u : 0u);
    EXPECT_EQ(row->viewTypeCard.lock()->isHidden(), !c.title);
    if (c.title) {
      auto badge = std::dynamic_pointer_cast<ViewTypeDetailCard>(inside.front());
      EXPECT_EQ(badge->lbTitle.lock()->text(), c.title);
    }
  }
}

TEST_F(MyCardRows, AReusedCoverShowsOnlyTheNewCardsBadge) {
  showWith({{.status = "W", .services = 0}});
  auto first = rowAt<MyCardCoverTableViewCell>({0, 0});
  for (const char* status : {"W", "A"}) {
    myCards->refreshData();
    answerCards(last(), {{.status = status, .services = 0}});
    ASSERT_EQ(rowAt<MyCardCoverTableViewCell>({0, 0}), first);
    EXPECT_EQ(first->viewTypeCard.lock()->subviews().size(), status[0] == 'W' ? 1u : 0u) << status;
  }
}

TEST_F(MyCardRows, TheInformationAndServiceRowsShowTheServersTexts) {
  struct Case {
    OwnCardFixture card;
    std::vector<std::string> info;  // lbAInfo, lbAValue, lbBInfo, lbBValue
    const char* serviceLeft;
  };
  const std::vector<Case> cases = {
      {{.status = "A", .balances = {"8 lần", "2 lần"}}, {"Hạn mức thẻ", "8 lần", "Hạn sử dụng", "31/12/2026"}, "8 lần"},
      {{.status = "O", .balances = {}}, {"Hạn mức thẻ", "0 đ", "Hạn sử dụng", "31/12/2026"}, ""},
      {{.status = "A", .balances = {""}}, {"Hạn mức thẻ", "", "Hạn sử dụng", "31/12/2026"}, ""},
      {{.status = "W"}, {"Chờ thanh toán", "1.200.000 đ", "Hạn thanh toán", "10:30 08/12"}, "8 lần"},
  };
  std::vector<OwnCardFixture> cards;
  for (const auto& c : cases) cards.push_back(c.card);
  showWith(cards);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    auto info = rowAt<MyCardInfoTableViewCell>({static_cast<int>(i), 1});
    const std::vector<std::string> shown = {textOf(info->lbAInfo), textOf(info->lbAValue), textOf(info->lbBInfo),
                                            textOf(info->lbBValue)};
    EXPECT_EQ(shown, cases[i].info) << i;
    auto service = rowAt<MyCardServiceTableViewCell>({static_cast<int>(i), 2});
    EXPECT_EQ(service->lbNameService.lock()->text(), "Dịch vụ 1");
    EXPECT_EQ(service->lbValue.lock()->text(), cases[i].serviceLeft) << i;
  }
}

}  // namespace
}  // namespace kerbelin::test
