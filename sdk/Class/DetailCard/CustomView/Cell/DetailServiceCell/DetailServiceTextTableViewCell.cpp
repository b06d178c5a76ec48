#include <Class/DetailCard/CustomView/Cell/DetailServiceCell/DetailServiceTextTableViewCell.h>

#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Foundation/ClassRegistry.h>
#include <Ultilities/Extensions/UIColorExtension.h>

namespace kerbelin {

namespace {
using Cell = DetailServiceTextTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("titleLabel", &Cell::titleLabel)
                              .property("waitPayButton", &Cell::waitPayButton)
                              .property("cstWaitPayButton", &Cell::cstWaitPayButton)
                              .property("lineView", &Cell::lineView);

struct Badge {
  const char* background;
  const char* title;
};
}  // namespace

std::shared_ptr<DetailServiceTextTableViewCell> DetailServiceTextTableViewCell::create() {
  return std::make_shared<DetailServiceTextTableViewCell>();
}

DetailServiceTextTableViewCell::DetailServiceTextTableViewCell()
    : UITableViewCell(ios::UITableViewCellStyle::default_, identifier) {}

void DetailServiceTextTableViewCell::showBadge(bool shown) {
  if (auto width = cstWaitPayButton.lock()) width->setConstant(shown ? 30 : 0);
  if (auto badge = waitPayButton.lock()) badge->setHidden(!shown);
}

void DetailServiceTextTableViewCell::showHeader(const DefServiceDtos* service) {
  const auto state = service ? std::optional(service->type) : std::nullopt;
  if (auto title = titleLabel.lock()) {
    if (service) title->setText(state == TypeDetailCard::UnPaid ? service->name : service->namDefService);
    title->setFont(ios::UIFont::systemFont(17, ios::UIFontWeight::semibold));
  }
  showBadge(state != TypeDetailCard::UnPaid);
  if (auto line = lineView.lock()) line->setHidden(true);
  if (state != TypeDetailCard::UnPaid) paintBadge(state);
}

void DetailServiceTextTableViewCell::paintBadge(std::optional<TypeDetailCard> state) {
  auto badge = waitPayButton.lock();
  if (!badge) return;
  Badge look{"#EDEDED", "Hết hiệu lực"};
  if (state == TypeDetailCard::WaitPay) look = {"#FFC107", "Chờ thanh toán"};
  if (state == TypeDetailCard::Paid) look = {"#4EAF51", "Còn hiệu lực"};
  badge->setBackgroundColor(colorWithRGBA(look.background));
  badge->setTitle(look.title, ios::UIControl::normal);
  // Only the expired look has a title colour of its own; the others keep the nib's.
  if (state != TypeDetailCard::WaitPay && state != TypeDetailCard::Paid) {
    badge->setTitleColor(colorWithRGBA("#959595"), ios::UIControl::normal);
  }
}

void DetailServiceTextTableViewCell::showDescription(const DefServiceDtos* service) {
  if (auto line = lineView.lock()) line->setHidden(false);
  if (auto title = titleLabel.lock()) {
    title->setText(service ? service->description : std::string());
    title->setFont(ios::UIFont::systemFont(16, ios::UIFontWeight::regular));
  }
  showBadge(false);
}

}  // namespace kerbelin
