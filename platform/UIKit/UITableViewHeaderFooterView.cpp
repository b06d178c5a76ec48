#include <UIKit/UITableViewHeaderFooterView.h>

namespace ios {

namespace {
const auto registration =
    ClassRegistration<UITableViewHeaderFooterView, UIView>("UITableViewHeaderFooterView")
        .factory([] { return UITableViewHeaderFooterView::create(); })
        .property("reuseIdentifier", &UITableViewHeaderFooterView::reuseIdentifier,
                  &UITableViewHeaderFooterView::setReuseIdentifier);
}  // namespace

std::shared_ptr<UITableViewHeaderFooterView> UITableViewHeaderFooterView::create(
    std::string reuseIdentifier) {
  return std::make_shared<UITableViewHeaderFooterView>(std::move(reuseIdentifier));
}

UITableViewHeaderFooterView::UITableViewHeaderFooterView(std::string reuseIdentifier)
    : UIView(CGRect(0, 0, 320, 28)),
      reuseIdentifier_(std::move(reuseIdentifier)),
      content_(*this, CGRect(0, 0, 320, 28)) {}

void UITableViewHeaderFooterView::didAddSubview(const std::shared_ptr<UIView>& subview) {
  UIView::didAddSubview(subview);
  content_.adopt(subview);
}

void UITableViewHeaderFooterView::layoutSubviews() {
  UIView::layoutSubviews();
  content_.fitToBounds();
}

void UITableViewHeaderFooterView::boundsDidChange(const CGRect& oldBounds) {
  UIView::boundsDidChange(oldBounds);
  content_.followSize(oldBounds);
}

}  // namespace ios
