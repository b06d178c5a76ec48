// The rows of an owned card as the list draws them: the status badge, the number in the card's
// colour, the limit or payment lines, the services, and the rounded end of each card.

#include "MyCardTestSupport.h"

#include <Class/MyCard/CustomCell/MyCardCoverTableViewCell.h>
#include <Class/MyCard/CustomCell/MyCardInfoTableViewCell.h>
#include <Class/MyCard/CustomCell/MyCardServiceTableViewCell.h>
#include <Class/MyCard/CustomCell/ViewTypeDetailCard.h>
#include <QuartzCore/CALayer.h>
#include <Ultilities/Constants/Color.h>

namespace kerbelin::test {
namespace {

ios::CGColor rgb(double r, double g, double b) {
  return ios::UIColor::create(r / 255, g / 255, b / 255, 1)->cgColor();
}

class MyCardRows : public MyCardsTest {};

TEST_F(MyCardRows, TheCoverShowsTheBadgeOfItsStatusAndTheNumberInTheCardsColour) {
  struct Case {
    const char* status;
    std::optional<std::string> colour;
    ios::CGColor number;
    ios::CGFloat width;
    const char* title;  // none: no badge
    const char* icon;
    ios::CGColor background;
  };
  const auto grey = rgb(137, 137, 137);
  const std::vector<Case> cases = {
      {"W", "#1E88E5", rgb(0x1E, 0x88, 0xE5), 155, "Chờ thanh toán", "icon_chot", rgb(255, 193, 7)},
      {"E", std::nullopt, rgb(0, 0, 0), 130, "Hết hiệu lực", "icon_check_white", grey},
      {"C", "1E88E5", rgb(0, 0, 0), 130, "Hết hiệu lực", "icon_check_white", grey},
      {"A", std::nullopt, rgb(0, 0, 0), 0, nullptr, nullptr, {}},
      {"O", std::nullopt, rgb(0, 0, 0), 0, nullptr, nullptr, {}},
      {"w", std::nullopt, rgb(0, 0, 0), 0, nullptr, nullptr, {}},
  };
  std::vector<OwnCardFixture> cards;
  for (const auto& c : cases) cards.push_back({.name = "Thẻ Gym", .status = c.status, .services = 0, .rgb = c.colour});
  showWith(cards);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto& c = cases[i];
    auto row = rowAt<MyCardCoverTableViewCell>({static_cast<int>(i), 0});
    EXPECT_EQ(row->lbNameCard.lock()->text(), "Thẻ Gym");
    EXPECT_EQ(row->lbNumberCard.lock()->textColor()->cgColor(), c.number) << i;
    EXPECT_EQ(row->cstWidthViewTypeCard.lock()->constant(), c.width) << c.status;
    const auto& inside = row->viewTypeCard.lock()->subviews();
    ASSERT_EQ(inside.size(), c.title ? 1u : 0u) << c.status;
    EXPECT_EQ(row->viewTypeCard.lock()->isHidden(), !c.title);
    if (!c.title) continue;
    auto badge = std::dynamic_pointer_cast<ViewTypeDetailCard>(inside.front());
    EXPECT_EQ(badge->lbTitle.lock()->text(), c.title);
    EXPECT_EQ(badge->lbTitle.lock()->textColor()->cgColor(), ios::UIColor::white()->cgColor());
    EXPECT_EQ(badge->viewBackground.lock()->backgroundColor()->cgColor(), c.background) << c.status;
    ASSERT_NE(ios::UIImage::named(c.icon), nullptr);
    EXPECT_EQ(badge->icon.lock()->image(), ios::UIImage::named(c.icon));
    EXPECT_EQ(badge->frame().size.width, c.width);  // laid out at the container's new width
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

TEST_F(MyCardRows, OnlyTheLastRowOfACardHasTheRoundedEnd) {
  showWith({{.status = "A", .services = 2}, {.status = "E", .services = 0}});
  auto info = rowAt<MyCardInfoTableViewCell>({0, 1});
  auto middle = rowAt<MyCardServiceTableViewCell>({0, 2});
  auto end = rowAt<MyCardServiceTableViewCell>({0, 3});
  EXPECT_EQ(info->viewMain.lock()->layer()->cornerRadius() + info->cstBottomMain.lock()->constant(), 0);
  EXPECT_FALSE(info->viewLine.lock()->isHidden());
  EXPECT_EQ(middle->cstBottom.lock()->constant(), 5);
  EXPECT_EQ(end->viewMain.lock()->layer()->cornerRadius(), 5);
  EXPECT_EQ(end->viewShadow.lock()->layer()->cornerRadius(), 5);
  EXPECT_EQ(end->cstBottomMain.lock()->constant(), 3);
  EXPECT_EQ(end->cstBottom.lock()->constant(), 15);
  auto followed = rowAt<MyCardCoverTableViewCell>({0, 0});
  auto alone = rowAt<MyCardCoverTableViewCell>({1, 0});  // a card with nothing but its cover
  EXPECT_FALSE(followed->viewLine.lock()->isHidden() || followed->viewRadius.lock()->isHidden());
  EXPECT_TRUE(alone->viewLine.lock()->isHidden() && alone->viewRadius.lock()->isHidden());
  EXPECT_EQ(alone->cstBottomMain.lock()->constant() - followed->cstBottomMain.lock()->constant(), 3);
  for (const auto& cover : {followed, alone}) {
    EXPECT_EQ(cover->viewShadow.lock()->layer()->cornerRadius(), 5);
    EXPECT_EQ(cover->viewShadow.lock()->backgroundColor()->cgColor(), Color::Background_Color()->cgColor());
  }
}

}  // namespace
}  // namespace kerbelin::test
