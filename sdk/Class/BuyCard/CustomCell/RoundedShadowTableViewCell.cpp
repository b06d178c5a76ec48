#include <Class/BuyCard/CustomCell/RoundedShadowTableViewCell.h>

#include <CoreGraphics/UIEdgeInsets.h>
#include <Foundation/ClassRegistry.h>
#include <QuartzCore/CALayer.h>
#include <QuartzCore/CAShapeLayer.h>
#include <UIKit/UIBezierPath.h>

namespace kerbelin {

namespace {
const auto registration = ios::ClassRegistration<RoundedShadowTableViewCell, ios::UITableViewCell>()
                              .property("isFirstRow", &RoundedShadowTableViewCell::isFirstRow)
                              .property("isLastRow", &RoundedShadowTableViewCell::isLastRow);
}  // namespace

std::shared_ptr<RoundedShadowTableViewCell> RoundedShadowTableViewCell::create() {
  return std::make_shared<RoundedShadowTableViewCell>();
}

RoundedShadowTableViewCell::RoundedShadowTableViewCell() = default;

void RoundedShadowTableViewCell::resetFor(const ios::IndexPath& indexPath, ios::UITableView& inTableView) {
  isFirstRow = false;
  isLastRow = false;
  if (indexPath.row == 0) isFirstRow = true;
  if (indexPath.row == inTableView.numberOfRows(indexPath.section) - 1) isLastRow = true;
}

void RoundedShadowTableViewCell::layoutSubviews() {
  UITableViewCell::layoutSubviews();
  const auto& content = contentView();
  const ios::UIEdgeInsets insets{isFirstRow ? endInset : 0, 0, isLastRow ? endInset : 0, 0};
  content->setFrame(ios::inset(content->frame(), insets));

  auto& layer = *content->layer();
  layer.setShadowColor(ios::UIColor::black()->cgColor());
  layer.setShadowOffset({0, 0});
  layer.setShadowOpacity(0.1f);
  layer.setShadowRadius(5);
  layer.setMasksToBounds(false);
  if (isFirstRow && isLastRow) return;

  ios::CGRect shadowFrame = content->bounds().insetBy(0, -10);
  if (isFirstRow) {
    shadowFrame.origin.y += 12;
  } else if (isLastRow) {
    shadowFrame.size.height -= 10;
  }
  layer.setShadowPath(ios::UIBezierPath::roundedRect(shadowFrame, shadowCornerRadius)->cgPath());

  ios::CGRect maskFrame = content->bounds().insetBy(-20, 0);
  if (isFirstRow) {
    maskFrame.origin.y -= 10;
    maskFrame.size.height += 10;
  } else if (isLastRow) {
    maskFrame.size.height += 10;
  }
  auto mask = ios::CAShapeLayer::create();
  mask->setPath(ios::UIBezierPath::rect(maskFrame)->cgPath());
  layer.setMask(mask);
}

}  // namespace kerbelin
