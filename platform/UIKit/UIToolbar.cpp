#include <UIKit/UIToolbar.h>

#include <UIKit/UIColor.h>
#include <UIKit/UIScreen.h>

namespace ios {

namespace {

const auto registration = ClassRegistration<UIToolbar, UIView>("UIToolbar");

constexpr CGFloat kMargin = 16;
constexpr CGFloat kGap = 8;

}  // namespace

std::shared_ptr<UIToolbar> UIToolbar::create(const CGRect& frame) {
  return std::make_shared<UIToolbar>(frame);
}

UIToolbar::UIToolbar(const CGRect& frame) : UIView(frame) {
  UIView::setBackgroundColor(UIColor::create(0.97, 0.97, 0.97, 1));
}

void UIToolbar::setBarTintColor(std::shared_ptr<UIColor> color) {
  barTintColor_ = color;
  setBackgroundColor(color ? color : UIColor::create(0.97, 0.97, 0.97, 1));
}

void UIToolbar::setItems(std::vector<std::shared_ptr<UIBarButtonItem>> items, bool) {
  for (const auto& view : shown_) view->removeFromSuperview();
  shown_.clear();
  items_ = std::move(items);
  for (const auto& item : items_)
    if (auto view = item->barView()) {
      addSubview(view);
      shown_.push_back(view);
    }
  setNeedsLayout();
}

void UIToolbar::layoutSubviews() {
  UIView::layoutSubviews();
  const CGRect b = bounds();
  CGFloat fixed = 0;
  int flexible = 0;
  for (const auto& item : items_) {
    if (item->isFlexibleSpace()) {
      ++flexible;
    } else if (item->isSpace()) {
      fixed += item->width;
    } else if (auto view = item->barView()) {
      fixed += view->frame().width();
    }
  }
  const std::size_t count = items_.size();
  const CGFloat gaps = flexible == 0 && count > 1 ? kGap * static_cast<CGFloat>(count - 1) : 0;
  const CGFloat room = std::max<CGFloat>(0, b.width() - 2 * kMargin - fixed - gaps);
  const CGFloat share = flexible > 0 ? room / static_cast<CGFloat>(flexible) : 0;
  CGFloat x = kMargin;
  for (const auto& item : items_) {
    if (item->isFlexibleSpace()) {
      x += share;
      continue;
    }
    if (item->isSpace()) {
      x += item->width + (flexible == 0 ? kGap : 0);
      continue;
    }
    auto view = item->barView();
    if (!view) continue;
    CGRect f = view->frame();
    view->setFrame(CGRect(x, (b.height() - f.height()) / 2, f.width(), f.height()));
    x += f.width() + (flexible == 0 ? kGap : 0);
  }
}

CGSize UIToolbar::sizeThatFits(CGSize) const {
  const CGFloat width = bounds().width() > 0 ? bounds().width() : UIScreen::main()->bounds().width();
  return CGSize{width, barHeight};
}

}  // namespace ios
