#include <Ultilities/Extensions/UITableViewCellShadowExtension.h>

#include <QuartzCore/CAShapeLayer.h>
#include <UIKit/UIBezierPath.h>
#include <UIKit/UIColor.h>

namespace kerbelin {

void addShadowToCellInTableView(ios::UITableViewCell& cell, ios::UITableView& tableView,
                                const ios::IndexPath& indexPath) {
  const auto& background = cell.backgroundView();
  if (!background) return;
  const bool first = indexPath.row == 0;
  const bool last = indexPath.row == tableView.numberOfRows(indexPath.section) - 1;

  const ios::CGRect bounds = background->bounds();
  ios::CGRect shadowFrame = bounds.insetBy(0, -10);
  ios::CGRect maskFrame = bounds.insetBy(-20, 0);
  if (first) {
    shadowFrame.origin.y += 10;
    maskFrame.origin.y -= 10;
    maskFrame.size.height += 10;
  } else if (last) {
    shadowFrame.size.height -= 10;
    maskFrame.size.height += 10;
  }

  const auto& layer = background->layer();
  layer->setShadowColor(ios::UIColor::red()->cgColor());
  layer->setShadowOffset(ios::CGSize{0, 0});
  layer->setShadowRadius(3);
  layer->setShadowOpacity(0.75f);
  layer->setShadowPath(ios::UIBezierPath::roundedRect(shadowFrame, 5)->cgPath());
  layer->setMasksToBounds(false);

  auto mask = ios::CAShapeLayer::create();
  mask->setPath(ios::UIBezierPath::rect(maskFrame)->cgPath());
  layer->setMask(mask);
}

}  // namespace kerbelin
