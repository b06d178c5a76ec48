#include <SwipeMenu/TabView.h>

#include <UIKit/UITapGestureRecognizer.h>

#include <algorithm>
#include <cmath>

namespace ios {

std::shared_ptr<TabView> TabView::create() {
  auto view = std::make_shared<TabView>();
  view->installTap();
  return view;
}

TabView::TabView() : addition_(UIView::create()) {
  showsHorizontalScrollIndicator = false;
  showsVerticalScrollIndicator = false;
  bounces = false;
  scrollsToTop = false;
}

void TabView::installTap() {
  if (tapInstalled_) return;
  tapInstalled_ = true;
  auto tap = std::make_shared<UITapGestureRecognizer>();
  std::weak_ptr<TabView> weak = std::static_pointer_cast<TabView>(shared_from_this());
  tap->addAction([weak](UIGestureRecognizer& recognizer) {
    if (auto self = weak.lock()) self->handleTap(recognizer.location(self.get()));
  });
  addGestureRecognizer(tap);
}

void TabView::update(const std::vector<std::string>& titles, const SwipeMenuViewOptions::TabView& options,
                     int selectedIndex) {
  installTap();
  options_ = options;
  for (const auto& item : items_) item->removeFromSuperview();
  items_.clear();
  for (const auto& title : titles) {
    auto label = UILabel::create();
    label->setText(title);
    label->setTextAlignment(NSTextAlignment::center);
    items_.push_back(label);
    addSubview(label);
  }
  setBackgroundColor(options.backgroundColor);
  setClipsToBounds(options.clipsToBounds);
  addition_->removeFromSuperview();
  if (options.addition == SwipeMenuViewOptions::TabViewAddition::underline) {
    addition_->setBackgroundColor(options.additionView.backgroundColor);
    addSubview(addition_);
  }
  selectedIndex_ = std::clamp(selectedIndex, 0, std::max(0, static_cast<int>(items_.size()) - 1));
  progress_ = selectedIndex_;
  applyStyle();
  setNeedsLayout();
  layoutIfNeeded();
}

void TabView::select(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  selectedIndex_ = index;
  applyStyle();
  if (bounds().width() > 0) scrollRectToVisible(items_[index]->frame(), true);
}

void TabView::applyStyle() {
  const auto& item = options_.itemView;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const bool selected = static_cast<int>(i) == selectedIndex_;
    items_[i]->setFont(selected && item.selectedFont ? item.selectedFont : item.font);
    items_[i]->setTextColor(selected ? item.selectedTextColor : item.textColor);
  }
}

void TabView::moveAddition(CGFloat progress) {
  progress_ = progress;
  if (items_.empty()) return;
  const CGFloat clamped = std::clamp<CGFloat>(progress, 0, static_cast<CGFloat>(items_.size() - 1));
  const int lower = static_cast<int>(std::floor(clamped));
  const int upper = std::min(lower + 1, static_cast<int>(items_.size()) - 1);
  const CGFloat fraction = clamped - lower;
  const CGRect a = additionFrame(lower);
  const CGRect b = additionFrame(upper);
  addition_->setFrame(CGRect(a.minX() + (b.minX() - a.minX()) * fraction, a.minY(),
                             a.width() + (b.width() - a.width()) * fraction, a.height()));
}

CGRect TabView::additionFrame(int index) const {
  const CGRect item = items_[index]->frame();
  const auto& addition = options_.additionView;
  const CGFloat height = addition.underline.height;
  return CGRect(item.minX() + addition.padding.left, bounds().height() - height - addition.padding.bottom,
                std::max<CGFloat>(0, item.width() - addition.padding.left - addition.padding.right), height);
}

void TabView::layoutSubviews() {
  UIScrollView::layoutSubviews();
  const CGFloat height = bounds().height();
  const auto count = items_.size();
  CGFloat x = options_.margin;
  const CGFloat segment = count ? std::max<CGFloat>(0, bounds().width() - 2 * options_.margin) / count : 0;
  for (const auto& item : items_) {
    CGFloat width = options_.itemView.width;
    if (options_.style == SwipeMenuViewOptions::TabViewStyle::segmented) {
      width = segment;
    } else if (options_.isAdjustItemViewWidth) {
      width = std::ceil(item->intrinsicContentSize().width) + 2 * options_.itemView.margin;
    }
    item->setFrame(CGRect(x, 0, width, height));
    x += width;
  }
  setContentSize(CGSize{x + options_.margin, height});
  moveAddition(progress_);
}

void TabView::handleTap(CGPoint point) {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->frame().contains(point)) {
      if (onSelect) onSelect(static_cast<int>(i));
      return;
    }
  }
}

}  // namespace ios
