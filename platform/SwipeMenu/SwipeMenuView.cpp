#include <SwipeMenu/SwipeMenuView.h>

#include <Foundation/ClassRegistry.h>
#include <UIKit/UIPanGestureRecognizer.h>

#include <algorithm>
#include <cmath>

namespace ios {

namespace {

// The paging area. It takes sideways drags only, and its pan works together with the pans of
// vertical scroll views inside the pages, so that a sideways swipe over a list still changes the page.
class ContentScrollView : public UIScrollView {
 public:
  // Mostly vertical drags are left to the pages (their lists, or a screen's own pan).
  bool gestureRecognizerShouldBegin(UIGestureRecognizer& recognizer) override {
    if (&recognizer == panGestureRecognizer().get()) {
      const CGPoint moved = panGestureRecognizer()->translation(nullptr);
      if (std::abs(moved.y) > std::abs(moved.x)) return false;
    }
    return UIScrollView::gestureRecognizerShouldBegin(recognizer);
  }
  bool shouldRecognizeSimultaneouslyWith(UIGestureRecognizer& mine, UIGestureRecognizer& other) override {
    if (&mine != panGestureRecognizer().get())
      return UIScrollView::shouldRecognizeSimultaneouslyWith(mine, other);
    auto view = std::dynamic_pointer_cast<UIScrollView>(other.view());
    if (!view || view.get() == this || !view->isDescendant(*this)) return false;
    const UIEdgeInsets inset = view->adjustedContentInset();
    const bool scrollsSideways =
        view->alwaysBounceHorizontal ||
        view->contentSize().width + inset.left + inset.right > view->bounds().width();
    return !scrollsSideways;
  }
};

const auto registration =
    ClassRegistration<SwipeMenuView, UIView>("SwipeMenuView").factory([] { return SwipeMenuView::create(); });

}  // namespace

std::shared_ptr<SwipeMenuView> SwipeMenuView::create(const CGRect& frame) {
  auto view = std::make_shared<SwipeMenuView>(frame);
  view->install();
  return view;
}

SwipeMenuView::SwipeMenuView(const CGRect& frame)
    : UIView(frame), tabView_(TabView::create()), content_(std::make_shared<ContentScrollView>()) {
  content_->isPagingEnabled = true;
  content_->showsHorizontalScrollIndicator = false;
  content_->showsVerticalScrollIndicator = false;
  content_->scrollsToTop = false;
  content_->setContentInsetAdjustmentBehavior(UIScrollViewContentInsetAdjustmentBehavior::never);
}

void SwipeMenuView::install() {
  // Wiring needs the menu in a shared_ptr, which the constructor does not have yet.
  if (installed_) return;
  installed_ = true;
  auto self = std::static_pointer_cast<SwipeMenuView>(shared_from_this());
  addSubview(content_);
  addSubview(tabView_);
  content_->setDelegate(std::static_pointer_cast<UIScrollViewDelegate>(self));
  std::weak_ptr<SwipeMenuView> weak = self;
  tabView_->onSelect = [weak](int index) {
    if (auto menu = weak.lock()) menu->jump(index, true);
  };
}

std::shared_ptr<UIViewController> SwipeMenuView::pageViewController(int index) const {
  return index >= 0 && index < numberOfPages() ? pages_[index] : nullptr;
}

int SwipeMenuView::clampIndex(int index) const {
  return std::clamp(index, 0, std::max(0, numberOfPages() - 1));
}

void SwipeMenuView::reloadData(std::optional<SwipeMenuViewOptions> newOptions,
                               std::optional<int> defaultIndex, bool isOrientationChange) {
  install();
  auto self = std::static_pointer_cast<SwipeMenuView>(shared_from_this());
  if (newOptions) options = std::move(*newOptions);
  auto source = dataSource.lock();
  const int count = source ? std::max(0, source->numberOfPages(*this)) : 0;
  const int wanted = isOrientationChange ? currentIndex_ : defaultIndex.value_or(0);
  const int index = std::clamp(wanted, 0, std::max(0, count - 1));
  if (auto listener = delegate.lock()) listener->viewWillSetupAt(*this, index);

  jumping_ = swiping_ = false;
  announced_.reset();
  for (const auto& page : pages_) {
    if (page && page->isViewLoaded() && page->view()->superview() == content_)
      page->view()->removeFromSuperview();
  }
  pages_.clear();
  std::vector<std::string> titles;
  for (int i = 0; i < count; ++i) titles.push_back(source->titleForPageAt(*this, i));
  for (int i = 0; i < count; ++i) {
    auto page = source->viewControllerForPageAt(*this, i);
    if (page) content_->addSubview(page->view());
    pages_.push_back(std::move(page));
  }
  currentIndex_ = index;

  content_->setBackgroundColor(options.contentScrollView.backgroundColor);
  content_->setClipsToBounds(options.contentScrollView.clipsToBounds);
  content_->setScrollEnabled(options.contentScrollView.isScrollEnabled);
  tabHeight_ = std::max<CGFloat>(0, options.tabView.height);
  tabView_->setHidden(tabHeight_ <= 0);
  tabView_->update(titles, options.tabView, currentIndex_);
  setNeedsLayout();
  layoutIfNeeded();
  if (auto listener = delegate.lock()) listener->viewDidSetupAt(*this, currentIndex_);
}

void SwipeMenuView::layoutSubviews() {
  const CGRect area = bounds();
  const CGFloat tabHeight = std::min(tabHeight_, area.height());
  tabView_->setFrame(CGRect(0, 0, area.width(), tabHeight));
  content_->setFrame(CGRect(0, tabHeight, area.width(), area.height() - tabHeight));
  const CGFloat width = area.width();
  const CGFloat height = content_->bounds().height();
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i]) pages_[i]->view()->setFrame(CGRect(width * i, 0, width, height));
  }
  content_->setContentSize(CGSize{width * pages_.size(), height});
  if (!jumping_ && !swiping_) setOffsetQuietly(CGPoint{width * currentIndex_, 0});
  tabView_->moveAddition(width > 0 ? content_->contentOffset().x / width : currentIndex_);
}

void SwipeMenuView::setOffsetQuietly(CGPoint offset) {
  quiet_ = true;
  content_->setContentOffset(offset, false);
  quiet_ = false;
}

void SwipeMenuView::jump(int index, bool animated) {
  if (index < 0 || index >= numberOfPages()) return;
  if (index == currentIndex_ && !jumping_) return;
  auto self = std::static_pointer_cast<SwipeMenuView>(shared_from_this());
  const CGFloat width = pageWidth();
  if (width <= 0) {
    // Not laid out yet: nothing to scroll, the page is simply the new one.
    changeIndex(index, true);
    return;
  }
  swiping_ = false;
  announced_.reset();
  const CGPoint target{width * index, 0};
  if (animated && UIView::areAnimationsEnabled() && content_->contentOffset() != target) {
    jumping_ = true;
    content_->setContentOffset(target, true);
    return;
  }
  jumping_ = false;
  setOffsetQuietly(target);
  changeIndex(index, true);
}

int SwipeMenuView::pageNearestOffset() const {
  const CGFloat width = pageWidth();
  if (width <= 0) return currentIndex_;
  return clampIndex(static_cast<int>(std::lround(content_->contentOffset().x / width)));
}

void SwipeMenuView::changeIndex(int to, bool reportWill) {
  if (to == currentIndex_) return;
  auto self = std::static_pointer_cast<SwipeMenuView>(shared_from_this());
  const int from = currentIndex_;
  auto listener = delegate.lock();
  if (reportWill && listener) listener->willChangeIndexFrom(*this, from, to);
  currentIndex_ = to;
  tabView_->select(to);
  if (listener) listener->didChangeIndexFrom(*this, from, to);
}

void SwipeMenuView::scrollViewDidScroll(UIScrollView&) {
  const CGFloat width = pageWidth();
  if (width > 0) tabView_->moveAddition(content_->contentOffset().x / width);
  if (quiet_ || !jumping_) return;
  // A jump reports each page whose middle the content passes, one step at a time.
  const int nearest = pageNearestOffset();
  while (currentIndex_ != nearest) changeIndex(currentIndex_ + (nearest > currentIndex_ ? 1 : -1), true);
}

void SwipeMenuView::scrollViewWillBeginDragging(UIScrollView&) {
  jumping_ = false;
  swiping_ = true;
  announced_.reset();
}

void SwipeMenuView::scrollViewWillEndDragging(UIScrollView&, CGPoint, CGPoint& targetContentOffset) {
  const CGFloat width = pageWidth();
  if (width <= 0) return;
  const int target = clampIndex(static_cast<int>(std::lround(targetContentOffset.x / width)));
  if (target == currentIndex_) return;
  announced_ = target;
  if (auto listener = delegate.lock()) listener->willChangeIndexFrom(*this, currentIndex_, target);
}

void SwipeMenuView::scrollViewDidEndDragging(UIScrollView&, bool willDecelerate) {
  if (!willDecelerate) settle();
}

void SwipeMenuView::scrollViewDidEndDecelerating(UIScrollView&) {
  settle();
}

void SwipeMenuView::scrollViewDidEndScrollingAnimation(UIScrollView&) {
  if (!jumping_) return;
  jumping_ = false;
  changeIndex(pageNearestOffset(), true);
}

void SwipeMenuView::settle() {
  if (!swiping_) return;
  swiping_ = false;
  const int page = pageNearestOffset();
  const bool announced = announced_ == page;
  announced_.reset();
  changeIndex(page, !announced);
}

}  // namespace ios
