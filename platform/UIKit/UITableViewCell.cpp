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
      contentView_(UIView::create(CGRect(0, 0, 320, 44))) {}

const std::shared_ptr<UIView>& UITableViewCell::contentView() const {
  attachContentView();
  return contentView_;
}

void UITableViewCell::attachContentView() const {
  if (contentAttached_) return;
  auto self =
      std::dynamic_pointer_cast<UITableViewCell>(const_cast<UITableViewCell*>(this)->weak_from_this().lock());
  if (!self) return;  // still being made
  contentAttached_ = true;
  contentView_->setFrame(bounds());
  self->adopting_ = true;
  self->addSubview(contentView_);
  self->adopting_ = false;
}

bool UITableViewCell::ownsSubview(const UIView& view) const {
  return &view == contentView_.get() || &view == backgroundView_.get() ||
         &view == selectedBackgroundView_.get();
}

void UITableViewCell::didAddSubview(const std::shared_ptr<UIView>& subview) {
  UIView::didAddSubview(subview);
  if (adopting_ || !subview || ownsSubview(*subview)) return;
  attachContentView();
  adopting_ = true;
  contentView_->addSubview(subview);
  adopting_ = false;
}

void UITableViewCell::setBackgroundView(std::shared_ptr<UIView> view) {
  if (view == backgroundView_) return;
  if (backgroundView_) backgroundView_->removeFromSuperview();
  backgroundView_ = std::move(view);
  if (!backgroundView_) return;
  backgroundView_->setFrame(bounds());
  adopting_ = true;
  insertSubview(backgroundView_, 0);
  adopting_ = false;
}

void UITableViewCell::setSelectedBackgroundView(std::shared_ptr<UIView> view) {
  if (view == selectedBackgroundView_) return;
  if (selectedBackgroundView_) selectedBackgroundView_->removeFromSuperview();
  selectedBackgroundView_ = std::move(view);
  updateSelectedBackground();
}

void UITableViewCell::setSelected(bool selected, bool) {
  selected_ = selected;
  updateSelectedBackground();
}

void UITableViewCell::setHighlighted(bool highlighted, bool) {
  highlighted_ = highlighted;
  updateSelectedBackground();
}

void UITableViewCell::updateSelectedBackground() {
  if (!selectedBackgroundView_) return;
  const bool show = (selected_ || highlighted_) && selectionStyle != UITableViewCellSelectionStyle::none;
  if (!show) {
    selectedBackgroundView_->removeFromSuperview();
    return;
  }
  if (selectedBackgroundView_->superview().get() == this) return;
  selectedBackgroundView_->setFrame(bounds());
  adopting_ = true;
  insertSubview(selectedBackgroundView_, backgroundView_ ? 1 : 0);
  adopting_ = false;
}

void UITableViewCell::layoutSubviews() {
  UIView::layoutSubviews();
  attachContentView();
  const CGRect b = bounds();
  contentView_->setFrame(b);
  if (backgroundView_) backgroundView_->setFrame(b);
  if (selectedBackgroundView_) selectedBackgroundView_->setFrame(b);
}

void UITableViewCell::boundsDidChange(const CGRect& oldBounds) {
  UIView::boundsDidChange(oldBounds);
  const CGSize now = bounds().size;
  const CGFloat dw = now.width - oldBounds.width(), dh = now.height - oldBounds.height();
  CGRect content = contentView_->frame();
  contentView_->setFrame(CGRect(content.minX(), content.minY(), content.width() + dw, content.height() + dh));
}

}  // namespace ios
