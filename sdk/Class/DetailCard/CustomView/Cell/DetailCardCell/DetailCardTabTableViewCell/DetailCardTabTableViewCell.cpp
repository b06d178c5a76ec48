#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardTabTableViewCell/DetailCardTabTableViewCell.h>

#include <Foundation/ClassRegistry.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Extensions/UIColorExtension.h>

namespace kerbelin {

namespace {
using Cell = DetailCardTabTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("infoButton", &Cell::infoButton)
                              .property("ruleButton", &Cell::ruleButton)
                              .property("containerView", &Cell::containerView)
                              .method("infoButtonClicked:", &Cell::infoButtonClicked)
                              .method("ruleButtonClicked:", &Cell::ruleButtonClicked);

void styleTab(const std::weak_ptr<ios::UIButton>& button, bool selected) {
  auto shown = button.lock();
  if (!shown) return;
  shown->setBackgroundColor(selected ? colorWithRGBA("#FF5722") : ios::UIColor::white());
  shown->setTitleColor(selected ? ios::UIColor::white() : colorWithRGBA("#333333"), ios::UIControl::normal);
}
}  // namespace

std::shared_ptr<DetailCardTabTableViewCell> DetailCardTabTableViewCell::create() {
  return std::make_shared<DetailCardTabTableViewCell>();
}

DetailCardTabTableViewCell::DetailCardTabTableViewCell() = default;

void DetailCardTabTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto container = containerView.lock()) Common::SetShadowAndcornerRadiusView(*container, 8);
}

void DetailCardTabTableViewCell::changeBackground(TypeDetailCardTabAction type) {
  styleTab(infoButton, type == TypeDetailCardTabAction::InfoButton);
  styleTab(ruleButton, type == TypeDetailCardTabAction::RuleButton);
}

void DetailCardTabTableViewCell::infoButtonClicked() { tapped(TypeDetailCardTabAction::InfoButton); }
void DetailCardTabTableViewCell::ruleButtonClicked() { tapped(TypeDetailCardTabAction::RuleButton); }

void DetailCardTabTableViewCell::tapped(TypeDetailCardTabAction type) {
  if (auto host = delegate.lock()) host->tabAction(type);
  changeBackground(type);
}

}  // namespace kerbelin
