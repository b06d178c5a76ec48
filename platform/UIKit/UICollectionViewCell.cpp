#include <UIKit/UICollectionViewCell.h>

namespace ios {

namespace {
const auto registration = ClassRegistration<UICollectionViewCell, UIView>("UICollectionViewCell")
                              .factory([] { return UICollectionViewCell::create(); })
                              .property("reuseIdentifier", &UICollectionViewCell::reuseIdentifier,
                                        &UICollectionViewCell::setReuseIdentifier);
}  // namespace

std::shared_ptr<UICollectionViewCell> UICollectionViewCell::create(const CGRect& frame) {
  return std::make_shared<UICollectionViewCell>(frame);
}

UICollectionViewCell::UICollectionViewCell(const CGRect& frame)
    : UIView(frame), contentView_(UIView::create(CGRect(CGPoint::zero, frame.size))) {}

const std::shared_ptr<UIView>& UICollectionViewCell::contentView() const {
  attachContentView();
  return contentView_;
}

void UICollectionViewCell::attachContentView() const {
  if (contentAttached_) return;
  auto self = std::dynamic_pointer_cast<UICollectionViewCell>(
      const_cast<UICollectionViewCell*>(this)->weak_from_this().lock());
  if (!self) return;  // still being made
  contentAttached_ = true;
  contentView_->setFrame(bounds());
  self->insertOwn(contentView_, self->subviews().size());
}

void UICollectionViewCell::insertOwn(const std::shared_ptr<UIView>& view, std::size_t index) {
  adopting_ = true;
  insertSubview(view, index);
  adopting_ = false;
}

void UICollectionViewCell::didAddSubview(const std::shared_ptr<UIView>& subview) {
  UIView::didAddSubview(subview);
  if (adopting_ || !subview || subview == contentView_ || subview == backgroundView_ ||
      subview == selectedBackgroundView_) {
    return;
  }
  attachContentView();
  adopting_ = true;
  contentView_->addSubview(subview);
  adopting_ = false;
}

void UICollectionViewCell::setBackgroundView(std::shared_ptr<UIView> view) {
  if (view == backgroundView_) return;
  if (backgroundView_) backgroundView_->removeFromSuperview();
  backgroundView_ = std::move(view);
  if (!backgroundView_) return;
  backgroundView_->setFrame(bounds());
  insertOwn(backgroundView_, 0);
}

void UICollectionViewCell::setSelectedBackgroundView(std::shared_ptr<UIView> view) {
  if (view == selectedBackgroundView_) return;
  if (selectedBackgroundView_) selectedBackgroundView_->removeFromSuperview();
  selectedBackgroundView_ = std::move(view);
  updateSelectedBackground();
}

void UICollectionViewCell::setSelected(bool selected) {
  selected_ = selected;
  updateSelectedBackground();
}

void UICollectionViewCell::setHighlighted(bool highlighted) {
  highlighted_ = highlighted;
  updateSelectedBackground();
}

void UICollectionViewCell::updateSelectedBackground() {
  if (!selectedBackgroundView_) return;
  if (!(selected_ || highlighted_)) {
    selectedBackgroundView_->removeFromSuperview();
    return;
  }
  if (selectedBackgroundView_->superview().get() == this) return;
  selectedBackgroundView_->setFrame(bounds());
  insertOwn(selectedBackgroundView_, backgroundView_ ? 1 : 0);
}

void UICollectionViewCell::layoutSubviews() {
  UIView::layoutSubviews();
  attachContentView();
  contentView_->setFrame(bounds());
  if (backgroundView_) backgroundView_->setFrame(bounds());
  if (selectedBackgroundView_) selectedBackgroundView_->setFrame(bounds());
}

void UICollectionViewCell::boundsDidChange(const CGRect& oldBounds) {
  UIView::boundsDidChange(oldBounds);
  const CGSize now = bounds().size;
  const CGFloat dw = now.width - oldBounds.width(), dh = now.height - oldBounds.height();
  CGRect content = contentView_->frame();
  contentView_->setFrame(CGRect(content.minX(), content.minY(), content.width() + dw, content.height() + dh));
}

}  // namespace ios
