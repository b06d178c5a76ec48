// The rows of an owned card as the list draws them: the status badge, the card's number colour, the
// limit and payment lines, the services, and the rounded end of each card.

#include "MyCardTestSupport.h"

#include <Class/MyCard/CustomCell/MyCardCoverTableViewCell.h>
#include <Class/MyCard/CustomCell/MyCardInfoTableViewCell.h>
#include <Class/MyCard/CustomCell/MyCardServiceTableViewCell.h>
#include <Class/MyCard/CustomCell/ViewTypeDetailCard.h>
#include <QuartzCore/CALayer.h>
#include <Ultilities/Constants/Color.h>

namespace kerbelin::test {
namespace {

using ios::CGColor;

CGColor rgb(double r, double g, double b) {
  return ios::UIColor::create(r / 255, g / 255, b / 255, 1)->cgColor();
}

class MyCardRows : public MyCardsTest {
 protected:
  std::shared_ptr<MyCardCoverTableViewCell> cover(int section) {
    return rowAt<MyCardCoverTableViewCell>({section, 0});
  }
  static std::shared_ptr<ViewTypeDetailCard> badgeOf(const MyCardCoverTableViewCell& cell) {
    const auto& inside = cell.viewTypeCard.lock()->subviews();
    return inside.size() == 1 ? std::dynamic_pointer_cast<ViewTypeDetailCard>(inside.front()) : nullptr;
  }
};

TEST_F(MyCardRows, EveryStatusLetterGetsItsBadge) {
  struct Case {
    const char* status;
    ios::CGFloat width;
    const char* title;
    const char* icon;
    CGColor background;
  };
  const std::vector<Case> cases = {
      {"W", 155, "Chờ thanh toán", "icon_chot", rgb(255, 193, 7)},
      {"E", 130, "Hết hiệu lực", "icon_check_white", rgb(137, 137, 137)},
      {"C", 130, "Hết hiệu lực", "icon_check_white", rgb(137, 137, 137)},
      {"A", 0, nullptr, nullptr, {}},
      {"O", 0, nullptr, nullptr, {}},
      {"", 0, nullptr, nullptr, {}},
      {"w", 0, nullptr, nullptr, {}},
  };
  std::vector<OwnCardFixture> cards;
  for (const auto& c : cases) cards.push_back({.status = c.status, .services = 0});
  showWith(cards);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto& c = cases[i];
    auto row = cover(static_cast<int>(i));
    ASSERT_NE(row, nullptr) << c.status;
    EXPECT_EQ(row->cstWidthViewTypeCard.lock()->constant(), c.width) << c.status;
    EXPECT_EQ(row->viewTypeCard.lock()->isHidden(), c.title == nullptr) << c.status;
    auto badge = badgeOf(*row);
    if (!c.title) {
      EXPECT_TRUE(row->viewTypeCard.lock()->subviews().empty()) << c.status;
      continue;
    }
    ASSERT_NE(badge, nullptr) << c.status;
    EXPECT_EQ(badge->lbTitle.lock()->text(), c.title);
    EXPECT_EQ(badge->lbTitle.lock()->textColor()->cgColor(), ios::UIColor::white()->cgColor());
    EXPECT_EQ(badge->viewBackground.lock()->backgroundColor()->cgColor(), c.background) << c.status;
    ASSERT_NE(ios::UIImage::named(c.icon), nullptr) << c.icon;
    EXPECT_EQ(badge->icon.lock()->image(), ios::UIImage::named(c.icon));
    EXPECT_EQ(badge->frame().size.width, c.width) << c.status;  // laid out at the container's new width
  }
}

TEST_F(MyCardRows, AReusedCoverShowsOnlyTheNewCardsBadge) {
  showWith({{.status = "W", .services = 0}});
  auto first = cover(0);
  for (const char* status : {"W", "A"}) {
    myCards->refreshData();
    answerCards(lastListRequest(), {{.status = status, .services = 0}});
    auto again = cover(0);
    ASSERT_EQ(again, first) << status;  // the same cell, filled again
    EXPECT_EQ(again->viewTypeCard.lock()->subviews().size(), status[0] == 'W' ? 1u : 0u) << status;
  }
}

TEST_F(MyCardRows, TheNumberIsDrawnInTheCardsColour) {
  const std::vector<std::pair<std::optional<std::string>, CGColor>> cases = {
      {"#1E88E5", rgb(0x1E, 0x88, 0xE5)}, {std::nullopt, rgb(0, 0, 0)}, {"1E88E5", rgb(0, 0, 0)}};
  std::vector<OwnCardFixture> cards;
  for (const auto& [colour, _] : cases) cards.push_back({.name = "Thẻ tập Gym", .services = 0, .rgb = colour});
  showWith(cards);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    auto row = cover(static_cast<int>(i));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->lbNumberCard.lock()->text(), "KB26 1100 0101");
    EXPECT_EQ(row->lbNumberCard.lock()->textColor()->cgColor(), cases[i].second) << i;
    EXPECT_EQ(row->lbNameCard.lock()->text(), "Thẻ tập Gym");
  }
}

TEST_F(MyCardRows, TheInformationRowShowsTheLimitOrThePaymentDue) {
  struct Case {
    OwnCardFixture card;
    std::vector<std::string> texts;  // lbAInfo, lbAValue, lbBInfo, lbBValue
  };
  const std::vector<Case> cases = {
      {{.status = "A", .balances = {"8 lần", "2 lần"}}, {"Hạn mức thẻ", "8 lần", "Hạn sử dụng", "31/12/2026"}},
      {{.status = "O", .balances = {}}, {"Hạn mức thẻ", "0 đ", "Hạn sử dụng", "31/12/2026"}},
      {{.status = "A", .balances = {""}}, {"Hạn mức thẻ", "", "Hạn sử dụng", "31/12/2026"}},
      {{.status = "W"}, {"Chờ thanh toán", "1.200.000 đ", "Hạn thanh toán", "10:30 08/12/2026"}},
  };
  std::vector<OwnCardFixture> cards;
  for (const auto& c : cases) cards.push_back(c.card);
  showWith(cards);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    auto row = rowAt<MyCardInfoTableViewCell>({static_cast<int>(i), 1});
    ASSERT_NE(row, nullptr) << i;
    std::vector<std::string> shown;
    for (const auto& label : {row->lbAInfo, row->lbAValue, row->lbBInfo, row->lbBValue}) {
      shown.push_back(label.lock()->text().value_or("(none)"));
    }
    EXPECT_EQ(shown, cases[i].texts) << i;
  }
}

TEST_F(MyCardRows, AServiceRowShowsItsNameAndTheFirstBalanceLeft) {
  showWith({{.status = "E", .services = 2, .balances = {"3 lần", "9 lần"}}, {.status = "C", .balances = {}}});
  for (const auto& [indexPath, value] : {std::pair{ios::IndexPath{0, 2}, "3 lần"}, {ios::IndexPath{1, 1}, ""}}) {
    auto row = rowAt<MyCardServiceTableViewCell>(indexPath);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->lbNameService.lock()->text(), "Dịch vụ " + std::to_string(indexPath.row));
    EXPECT_EQ(row->lbValue.lock()->text(), value);
  }
}

TEST_F(MyCardRows, OnlyTheLastRowOfACardHasTheRoundedEnd) {
  showWith({{.status = "A", .services = 2}, {.status = "E", .services = 0}});
  auto looks = [](const ios::UIView& main, const ios::NSLayoutConstraint& bottom) {
    return std::pair{main.layer()->cornerRadius(), bottom.constant()};
  };
  auto info = rowAt<MyCardInfoTableViewCell>({0, 1});
  EXPECT_EQ(looks(*info->viewMain.lock(), *info->cstBottomMain.lock()), (std::pair<ios::CGFloat, ios::CGFloat>{0, 0}));
  EXPECT_FALSE(info->viewLine.lock()->isHidden());
  auto middle = rowAt<MyCardServiceTableViewCell>({0, 2});
  EXPECT_EQ(middle->cstBottom.lock()->constant(), 5);
  auto last = rowAt<MyCardServiceTableViewCell>({0, 3});
  EXPECT_EQ(looks(*last->viewMain.lock(), *last->cstBottomMain.lock()), (std::pair<ios::CGFloat, ios::CGFloat>{5, 3}));
  EXPECT_EQ(last->cstBottom.lock()->constant(), 15);
  EXPECT_EQ(last->viewShadow.lock()->layer()->cornerRadius(), 5);

  auto first = cover(0);
  EXPECT_FALSE(first->viewLine.lock()->isHidden() || first->viewRadius.lock()->isHidden());
  EXPECT_EQ(first->cstBottomMain.lock()->constant(), 0);
  auto alone = cover(1);  // a card with nothing but its cover
  EXPECT_TRUE(alone->viewLine.lock()->isHidden() && alone->viewRadius.lock()->isHidden());
  EXPECT_EQ(alone->cstBottomMain.lock()->constant(), 3);
  for (const auto& row : {first, alone}) {
    EXPECT_EQ(row->viewShadow.lock()->layer()->cornerRadius(), 5);
    EXPECT_EQ(row->viewShadow.lock()->backgroundColor()->cgColor(), Color::Background_Color()->cgColor());
  }
}

}  // namespace
}  // namespace kerbelin::test
