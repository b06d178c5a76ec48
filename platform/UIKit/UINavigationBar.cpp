#include <UIKit/UINavigationBar.h>

#include <UIKit/UIBarButtonItem.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIColor.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIViewController.h>

#include <algorithm>

namespace ios {

namespace {

const auto registration = ClassRegistration<UINavigationBar, UIView>("UINavigationBar");

constexpr CGFloat kMargin = 8;

std::string shownTitle(const UIViewController& controller) {
  return controller.navigationItem.title.empty() ? controller.title : controller.navigationItem.title;
}

}  // namespace

std::shared_ptr<UINavigationBar> UINavigationBar::create(const CGRect& frame) {
  return std::make_shared<UINavigationBar>(frame);
}

UINavigationBar::UINavigationBar(const CGRect& frame) : UIView(frame) {
  setBackgroundColor(UIColor::create(0.97, 0.97, 0.97, 1));
  titleLabel_ = UILabel::create();
  titleLabel_->setFont(UIFont::systemFont(17, UIFontWeight::semibold));
  titleLabel_->setTextAlignment(NSTextAlignment::center);
  backButton_ = UIButton::create(UIButtonType::system);
  backButton_->setTitleColor(UIColor::systemBlue(), UIControl::normal);
  backButton_->setContentHorizontalAlignment(UIControlContentHorizontalAlignment::left);
  // The bar owns the button, so the button's action may refer to the bar directly.
  backButton_->addAction(
      [this](UIControl&) {
        if (onBack) onBack();
      },
      UIControl::touchUpInside);
  chevron_ = UILabel::create();
  chevron_->setText("‹");
  chevron_->setFont(UIFont::systemFont(30));
  chevron_->setTextColor(UIColor::systemBlue());
  backButton_->setHidden(true);
  chevron_->setHidden(true);
}

void UINavigationBar::replaceItemView(std::shared_ptr<UIView>& slot, std::shared_ptr<UIView> view) {
  if (slot == view) return;
  if (slot && slot->superview().get() == this) slot->removeFromSuperview();
  slot = std::move(view);
  if (slot) addSubview(slot);
}

void UINavigationBar::show(const std::shared_ptr<UIViewController>& top,
                           const std::shared_ptr<UIViewController>& previous) {
  if (!installed_) {
    installed_ = true;
    addSubview(titleLabel_);
    addSubview(chevron_);
    addSubview(backButton_);
  }
  const UINavigationItem* item = top ? &top->navigationItem : nullptr;
  titleLabel_->setText(top ? shownTitle(*top) : "");
  replaceItemView(titleView_, item ? item->titleView : nullptr);
  titleLabel_->setHidden(titleView_ != nullptr);
  replaceItemView(leftView_, item && item->leftBarButtonItem ? item->leftBarButtonItem->barView() : nullptr);
  replaceItemView(rightView_,
                  item && item->rightBarButtonItem ? item->rightBarButtonItem->barView() : nullptr);

  const bool back = previous && item && !item->hidesBackButton && !leftView_;
  backButton_->setHidden(!back);
  chevron_->setHidden(!back);
  if (back) {
    std::string text = previous->navigationItem.backButtonTitle.value_or(shownTitle(*previous));
    backButton_->setTitle(text.empty() ? "Quay lại" : text, UIControl::normal);
  }
  setNeedsLayout();
}

void UINavigationBar::layoutSubviews() {
  UIView::layoutSubviews();
  const CGRect b = bounds();
  const CGFloat top = b.height() - contentHeight;
  auto centreY = [&](const std::shared_ptr<UIView>& view, CGFloat x, CGFloat width) {
    const CGFloat height =
        std::min(view->frame().height() > 0 ? view->frame().height() : contentHeight, contentHeight);
    view->setFrame(CGRect(x, top + (contentHeight - height) / 2, width, height));
  };
  CGFloat left = kMargin;
  if (!chevron_->isHidden()) {
    chevron_->setFrame(CGRect(left, top, 14, contentHeight));
    const CGFloat width = std::min<CGFloat>(backButton_->sizeThatFits(CGSize{0, 0}).width, b.width() / 3);
    backButton_->setFrame(CGRect(left + 14, top, width, contentHeight));
    left += 14 + width;
  }
  if (leftView_) {
    centreY(leftView_, kMargin, leftView_->frame().width());
    left = kMargin + leftView_->frame().width();
  }
  CGFloat right = b.width() - kMargin;
  if (rightView_) {
    const CGFloat width = rightView_->frame().width();
    centreY(rightView_, right - width, width);
    right -= width;
  }
  // The title is centred on the bar, narrowed symmetrically so that it clears the items on both sides.
  const CGFloat half = std::max<CGFloat>(0, std::min(b.width() / 2 - left, right - b.width() / 2) - kMargin);
  if (titleView_) {
    const CGFloat width = std::min(titleView_->frame().width(), 2 * half);
    centreY(titleView_, b.width() / 2 - width / 2, width);
  } else {
    titleLabel_->setFrame(CGRect(b.width() / 2 - half, top, 2 * half, contentHeight));
  }
}

}  // namespace ios
