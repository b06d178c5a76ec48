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
      contentView_(UIView::create(CGRect(0, 0, 320, 28))) {}

const std::shared_ptr<UIView>& UITableViewHeaderFooterView::contentView() const {
  attachContentView();
  return contentView_;
}

void UITableViewHeaderFooterView::attachContentView() const {
  if (contentAttached_) return;
  auto self = std::dynamic_pointer_cast<UITableViewHeaderFooterView>(
      const_cast<UITableViewHeaderFooterView*>(this)->weak_from_this().lock());
  if (!self) return;
  contentAttached_ = true;
  contentView_->setFrame(bounds());
  self->adopting_ = true;
  self->addSubview(contentView_);
  self->adopting_ = false;
}

void UITableViewHeaderFooterView::didAddSubview(const std::shared_ptr<UIView>& subview) {
  UIView::didAddSubview(subview);
  if (adopting_ || !subview || subview == contentView_ || subview == backgroundView_) return;
  attachContentView();
  adopting_ = true;
  contentView_->addSubview(subview);
  adopting_ = false;
}

void UITableViewHeaderFooterView::setBackgroundView(std::shared_ptr<UIView> view) {
  if (view == backgroundView_) return;
  if (backgroundView_) backgroundView_->removeFromSuperview();
  backgroundView_ = std::move(view);
  if (!backgroundView_) return;
  backgroundView_->setFrame(bounds());
  adopting_ = true;
  insertSubview(backgroundView_, 0);
  adopting_ = false;
}

void UITableViewHeaderFooterView::layoutSubviews() {
  UIView::layoutSubviews();
  attachContentView();
  contentView_->setFrame(bounds());
  if (backgroundView_) backgroundView_->setFrame(bounds());
}

void UITableViewHeaderFooterView::boundsDidChange(const CGRect& oldBounds) {
  UIView::boundsDidChange(oldBounds);
  const CGSize now = bounds().size;
  const CGFloat dw = now.width - oldBounds.width(), dh = now.height - oldBounds.height();
  CGRect content = contentView_->frame();
  contentView_->setFrame(CGRect(content.minX(), content.minY(), content.width() + dw, content.height() + dh));
}

}  // namespace ios
