// A service's detail as the router opens it: which facts it lists for each state, how each value is
// drawn, the header's state badge and the screen's own bar.

#include "ServiceTestSupport.h"

#include <Class/DetailCard/CustomView/Cell/DetailServiceCell/DetailServiceContentTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailServiceCell/DetailServiceTextTableViewCell.h>
#include <Class/DetailCard/ViewController/DetailServiceViewController.h>
#include <UIKit/UIImage.h>
#include <Ultilities/Extensions/UIColorExtension.h>

#include <tuple>

namespace kerbelin::test {
namespace {

using Screen = DetailServiceViewController;
constexpr char C[] = "Icon_hanmucconlai";
constexpr char D[] = "Icon_hanmucdacap";

// A value row as the user reads it: label, icon asset and value text.
using Shown = std::tuple<std::string, std::string, std::string>;

class ServiceDetail : public ServiceTest {
 protected:
  void open(std::shared_ptr<DefServiceDtos> service, std::optional<bool> isDetailCard,
            std::optional<TypeDetailCard> type) {
    HandlePush::create()->pushDetaiService(caller, std::move(service), isDetailCard, type);
    settle();
    screen = top<Screen>();
    ASSERT_NE(screen, nullptr);
  }
  ios::UITableView& table() const { return *screen->tableView.lock(); }

  std::vector<Shown> valueRows() {
    std::vector<Shown> rows;
    for (int i = 0; i < table().numberOfRows(1); ++i) {
      auto cell = rowOf<DetailServiceContentTableViewCell>(table(), {1, i});
      const auto image = cell->iconImageView.lock()->image();
      const std::string icon = image == ios::UIImage::named(C) ? C : image == ios::UIImage::named(D) ? D : "?";
      rows.emplace_back(cell->titleLabel.lock()->text().value_or(""), icon, cell->priceLabel.lock()->text().value_or(""));
    }
    return rows;
  }
  std::shared_ptr<DetailServiceContentTableViewCell> valueRow(const std::string& label) {
    for (int i = 0; i < table().numberOfRows(1); ++i) {
      auto cell = rowOf<DetailServiceContentTableViewCell>(table(), {1, i});
      if (cell->titleLabel.lock()->text() == label) return cell;
    }
    ADD_FAILURE() << "no row " << label;
    return nullptr;
  }
  std::shared_ptr<DetailServiceTextTableViewCell> textRow(int section) {
    return rowOf<DetailServiceTextTableViewCell>(table(), {section, 0});
  }

  std::shared_ptr<Screen> screen;
};

TEST_F(ServiceDetail, ListsTheFactsOfEachState) {
  const std::string listed = Screen::textListedPrice, price = Screen::textPrice,
                    usable = Screen::textLimitDetailDescription, expiry = Screen::textExpiryDate,
                    unit = Screen::textUnitPrice, limit = Screen::textLimitUsage,
                    granted = Screen::textAllocatedUnit, left = Screen::textAvailableUnit;
  const std::vector<Shown> forSaleCard = {{listed, C, "600.000 đ"},
                                          {price, C, "450.000 đ"},
                                          {usable, C, "Tối đa 8 buổi"},
                                          {expiry, D, "30 ngày kể từ ngày thanh toán"}};
  auto waitingCard = forSaleCard;
  std::get<2>(waitingCard[2]) = "8 lần";
  const struct {
    const char* name;
    std::optional<ios::Dictionary> service;
    std::optional<bool> isDetailCard;
    std::optional<TypeDetailCard> parent;
    std::vector<Shown> rows;
  } cases[] = {
      {"card for sale", serviceJSON(""), true, TypeDetailCard::UnPaid, forSaleCard},
      {"card waiting for payment", serviceJSON("W"), true, TypeDetailCard::WaitPay, waitingCard},
      {"card paid: nothing to list", serviceJSON("A"), true, TypeDetailCard::Paid, {}},
      {"service for sale, limit from its unit", serviceJSON(""), std::nullopt, std::nullopt,
       {{unit, C, "56.250 đ"}, {limit, C, "8 lần/tháng"}, forSaleCard[0], forSaleCard[1], forSaleCard[2],
        forSaleCard[3]}},
      {"service for sale, its own empty limit text", serviceJSON("", ""), false, TypeDetailCard::UnPaid,
       {{unit, C, "56.250 đ"}, {limit, C, ""}, forSaleCard[0], forSaleCard[1], forSaleCard[2], forSaleCard[3]}},
      {"paid service of a card waiting for payment", serviceJSON("A", "x", "Dùng 8 lần"), false,
       TypeDetailCard::WaitPay,
       {{unit, C, "56.250 đ"}, {limit, C, "Dùng 8 lần"}, forSaleCard[0], forSaleCard[1], {usable, C, "8 lần"},
        forSaleCard[3]}},
      {"service waiting for payment", serviceJSON("W"), false, TypeDetailCard::UnPaid,
       {{unit, C, "56.250 đ"}, {limit, C, "8 lần"}, forSaleCard[0], forSaleCard[1], {usable, C, "8 lần"},
        forSaleCard[3]}},
      {"owned and valid", serviceJSON("O"), false, TypeDetailCard::Paid,
       {{granted, C, "8 lần"}, {left, D, "5 lần"}, {expiry, D, "31/12/2026"}}},
      {"expired", serviceJSON("C", std::nullopt, "Dùng 8 lần"), false, TypeDetailCard::Expire,
       {{granted, C, "Dùng 8 lần"}, {left, C, "5 lần"}, {expiry, D, "31/12/2026"}}},
      {"no service at all", std::nullopt, false, TypeDetailCard::Paid,
       {{granted, C, ""}, {left, C, ""}, {expiry, D, ""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    open(c.service ? serviceFrom(*c.service) : nullptr, c.isDetailCard, c.parent);
    EXPECT_EQ(valueRows(), c.rows);
    EXPECT_EQ(table().numberOfRows(0), 1);
    EXPECT_EQ(table().numberOfRows(2), 1);
  }
}

TEST_F(ServiceDetail, ShowsItsOwnBarUnlessInsideAPaidOrExpiredCard) {
  const struct {
    bool isDetailCard;
    TypeDetailCard parent;
    const char* title;
    bool bar;
  } cases[] = {{true, TypeDetailCard::Paid, "Chi tiết thẻ", true},
               {false, TypeDetailCard::UnPaid, "Chi tiết dịch vụ", true},
               {false, TypeDetailCard::WaitPay, "Chi tiết dịch vụ", true},
               {false, TypeDetailCard::Paid, "Chi tiết dịch vụ", false},
               {false, TypeDetailCard::Expire, "Chi tiết dịch vụ", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title + std::to_string(static_cast<int>(c.parent)));
    open(serviceFrom(serviceJSON("A")), c.isDetailCard, c.parent);
    EXPECT_EQ(screen->titleLabel.lock()->text(), c.title);
    EXPECT_EQ(screen->navigationView.lock()->isHidden(), !c.bar);
    EXPECT_EQ(screen->navigationView.lock()->frame().height(), c.bar ? 44 : 0);
  }
}

// Values are drawn in #333333 (no host holds a colour asset of that name), the limit's HTML as text.
TEST_F(ServiceDetail, DrawsValuesInTheirGreyAndTheLimitsHTMLAsText) {
  open(serviceFrom(serviceJSON("", "<b>8 buổi</b> mỗi tháng")), false, std::nullopt);
  EXPECT_EQ(valueRow(Screen::textListedPrice)->priceLabel.lock()->textColor()->cgColor(),
            colorWithRGBA("#333333")->cgColor());
  EXPECT_EQ(valueRow(Screen::textLimitUsage)->priceLabel.lock()->attributedText()->string().find("<b>"),
            std::string::npos);
}

TEST_F(ServiceDetail, HeaderBadgeFollowsTheServicesOwnState) {
  const struct {
    std::optional<std::string> status;
    const char* name;
    std::optional<std::string> badge;
    const char* background;
  } cases[] = {{"", "Gói tập 8 buổi", std::nullopt, ""},
               {"W", "Tập gym 8 buổi", "Chờ thanh toán", "#FFC107"},
               {"A", "Tập gym 8 buổi", "Còn hiệu lực", "#4EAF51"},
               {"E", "Tập gym 8 buổi", "Hết hiệu lực", "#EDEDED"},
               {std::nullopt, "", "Hết hiệu lực", "#EDEDED"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status.value_or("none"));
    // The card's state differs from the service's: the header follows the service.
    open(c.status ? serviceFrom(serviceJSON(*c.status)) : nullptr, false, TypeDetailCard::Paid);
    auto header = textRow(0);
    header->layoutIfNeeded();
    EXPECT_EQ(header->titleLabel.lock()->text().value_or(""), c.name);
    auto badge = header->waitPayButton.lock();
    EXPECT_EQ(badge->isHidden(), !c.badge);
    EXPECT_EQ(badge->frame().height(), c.badge ? 30 : 0);
    if (!c.badge) continue;
    EXPECT_EQ(badge->title(ios::UIControl::normal), *c.badge);
    EXPECT_EQ(badge->backgroundColor()->cgColor(), colorWithRGBA(c.background)->cgColor());
    EXPECT_EQ(textRow(2)->titleLabel.lock()->text().value_or(""), c.status ? "Áp dụng tại mọi chi nhánh." : "");
  }
}

TEST_F(ServiceDetail, LooksAsRecorded) {
  for (const auto& [status, name] : {std::pair{"", "service-detail-for-sale"}, {"A", "service-detail-paid"}}) {
    open(serviceFrom(serviceJSON(status, "<b>8 buổi</b> mỗi tháng", "8 buổi mỗi tháng")), false, std::nullopt);
    settle();
    EXPECT_TRUE(looksAsRecorded(name));
  }
}

}  // namespace
}  // namespace kerbelin::test
