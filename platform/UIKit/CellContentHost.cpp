#include <UIKit/CellContentHost.h>

namespace ios {

CellContentHost::CellContentHost(UIView& cell, const CGRect& frame)
    : cell_(cell), contentView_(UIView::create(CGRect(CGPoint::zero, frame.size))) {}

const std::shared_ptr<UIView>& CellContentHost::contentView() {
  attach();
  return contentView_;
}

void CellContentHost::attach() {
  if (attached_ || cell_.weak_from_this().expired()) return;
  attached_ = true;
  contentView_->setFrame(cell_.bounds());
  insertOwn(contentView_, cell_.subviews().size());
}

void CellContentHost::insertOwn(const std::shared_ptr<UIView>& view, std::size_t index) {
  adopting_ = true;
  cell_.insertSubview(view, index);
  adopting_ = false;
}

bool CellContentHost::owns(const UIView& view) const {
  return &view == contentView_.get() || &view == backgroundView_.get() ||
         &view == selectedBackgroundView_.get();
}

void CellContentHost::adopt(const std::shared_ptr<UIView>& subview) {
  if (adopting_ || !subview || owns(*subview)) return;
  attach();
  adopting_ = true;
  contentView_->addSubview(subview);
  adopting_ = false;
}

void CellContentHost::setBackgroundView(std::shared_ptr<UIView> view) {
  if (view == backgroundView_) return;
  if (backgroundView_) backgroundView_->removeFromSuperview();
  backgroundView_ = std::move(view);
  if (!backgroundView_) return;
  backgroundView_->setFrame(cell_.bounds());
  insertOwn(backgroundView_, 0);
}

void CellContentHost::setSelectedBackgroundView(std::shared_ptr<UIView> view, bool shown) {
  if (view == selectedBackgroundView_) return;
  if (selectedBackgroundView_) selectedBackgroundView_->removeFromSuperview();
  selectedBackgroundView_ = std::move(view);
  showSelectedBackground(shown);
}

void CellContentHost::showSelectedBackground(bool shown) {
  if (!selectedBackgroundView_) return;
  if (!shown) return selectedBackgroundView_->removeFromSuperview();
  if (selectedBackgroundView_->superview().get() == &cell_) return;
  selectedBackgroundView_->setFrame(cell_.bounds());
  insertOwn(selectedBackgroundView_, backgroundView_ ? 1 : 0);
}

void CellContentHost::fitToBounds() {
  attach();
  const CGRect bounds = cell_.bounds();
  for (auto* view : {&contentView_, &backgroundView_, &selectedBackgroundView_})
    if (*view) (*view)->setFrame(bounds);
}

void CellContentHost::followSize(const CGRect& oldBounds) {
  const CGSize now = cell_.bounds().size;
  const CGRect content = contentView_->frame();
  contentView_->setFrame(CGRect(content.minX(), content.minY(), content.width() + now.width - oldBounds.width(),
                                content.height() + now.height - oldBounds.height()));
}

}  // namespace ios
