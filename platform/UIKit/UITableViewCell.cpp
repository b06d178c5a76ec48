#include <UIKit/UITableViewCell.h>

namespace ios {

namespace {
const auto registration =
    ClassRegistration<UITableViewCell, UIView>("UITableViewCell")
        .factory([] { return UITableViewCell::create(); })
        .property(
            "selectionStyle",
            [](const UITableViewCell& cell) { return static_cast<int>(cell.selectionStyle); },
            [](UITableViewCell& cell, int style) {
              if (style >= 0 && style <= static_cast<int>(UITableViewCellSelectionStyle::default_))
                cell.selectionStyle = static_cast<UITableViewCellSelectionStyle>(style);
            })
        .property("reuseIdentifier", &UITableViewCell::reuseIdentifier, &UITableViewCell::setReuseIdentifier)
        .property("contentView", [](const UITableViewCell& cell) {
          return std::static_pointer_cast<NSObject>(cell.contentView());
        });
}  // namespace

std::shared_ptr<UITableViewCell> UITableViewCell::create(UITableViewCellStyle style,
                                                         std::string reuseIdentifier) {
  return std::make_shared<UITableViewCell>(style, std::move(reuseIdentifier));
}

UITableViewCell::UITableViewCell(UITableViewCellStyle style, std::string reuseIdentifier)
    : UIView(CGRect(0, 0, 320, 44)),
      style_(style),
      reuseIdentifier_(std::move(reuseIdentifier)),
      content_(*this, CGRect(0, 0, 320, 44)) {}

void UITableViewCell::didAddSubview(const std::shared_ptr<UIView>& subview) {
  UIView::didAddSubview(subview);
  content_.adopt(subview);
}

void UITableViewCell::setSelectedBackgroundView(std::shared_ptr<UIView> view) {
  content_.setSelectedBackgroundView(std::move(view), showsSelectedBackground());
}

void UITableViewCell::setSelected(bool selected, bool) {
  selected_ = selected;
  content_.showSelectedBackground(showsSelectedBackground());
}

void UITableViewCell::setHighlighted(bool highlighted, bool) {
  highlighted_ = highlighted;
  content_.showSelectedBackground(showsSelectedBackground());
}

bool UITableViewCell::showsSelectedBackground() const {
  return (selected_ || highlighted_) && selectionStyle != UITableViewCellSelectionStyle::none;
}

void UITableViewCell::layoutSubviews() {
  UIView::layoutSubviews();
  content_.fitToBounds();
}

void UITableViewCell::boundsDidChange(const CGRect& oldBounds) {
  UIView::boundsDidChange(oldBounds);
  content_.followSize(oldBounds);
}

}  // namespace ios
