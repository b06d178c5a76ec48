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

UICollectionViewCell::UICollectionViewCell(const CGRect& frame) : UIView(frame), content_(*this, frame) {}

void UICollectionViewCell::didAddSubview(const std::shared_ptr<UIView>& subview) {
  UIView::didAddSubview(subview);
  content_.adopt(subview);
}

void UICollectionViewCell::setSelected(bool selected) {
  selected_ = selected;
  content_.showSelectedBackground(selected_ || highlighted_);
}

void UICollectionViewCell::setHighlighted(bool highlighted) {
  highlighted_ = highlighted;
  content_.showSelectedBackground(selected_ || highlighted_);
}

void UICollectionViewCell::layoutSubviews() {
  UIView::layoutSubviews();
  content_.fitToBounds();
}

void UICollectionViewCell::boundsDidChange(const CGRect& oldBounds) {
  UIView::boundsDidChange(oldBounds);
  content_.followSize(oldBounds);
}

}  // namespace ios
