#include <UIKit/UIAlertController.h>

#include <Foundation/Console.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIColor.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIScreen.h>

#include <algorithm>

namespace ios {

namespace {

const auto registration = ClassRegistration<UIAlertController, UIViewController>("UIAlertController");

// The platform's alert metrics.
constexpr CGFloat kAlertWidth = 270;
constexpr CGFloat kAlertButtonHeight = 44;
constexpr CGFloat kSheetButtonHeight = 57;
constexpr CGFloat kSheetMargin = 8;
constexpr CGFloat kTextInset = 16;
constexpr CGFloat kCornerRadius = 13;
constexpr CGFloat kHairline = 0.5;

std::shared_ptr<UIColor> actionColor(UIAlertActionStyle style) {
  return style == UIAlertActionStyle::destructive ? UIColor::create(1, 0.23, 0.19, 1) : UIColor::systemBlue();
}

std::shared_ptr<UIView> makeGroup() {
  auto group = UIView::create();
  group->setBackgroundColor(UIColor::create(0.97, 0.97, 0.97, 1));
  group->layer()->setCornerRadius(kCornerRadius);
  group->setClipsToBounds(true);
  return group;
}

std::shared_ptr<UILabel> makeLabel(const std::string& text, std::shared_ptr<UIFont> font) {
  auto label = UILabel::create();
  label->setText(text);
  label->setFont(std::move(font));
  label->setNumberOfLines(0);
  label->setTextAlignment(NSTextAlignment::center);
  return label;
}

}  // namespace

std::shared_ptr<UIAlertController> UIAlertController::create(std::optional<std::string> title,
                                                             std::optional<std::string> message,
                                                             UIAlertControllerStyle preferredStyle) {
  return std::make_shared<UIAlertController>(std::move(title), std::move(message), preferredStyle);
}

UIAlertController::UIAlertController(std::optional<std::string> title, std::optional<std::string> message,
                                     UIAlertControllerStyle preferredStyle)
    : message(std::move(message)), style_(preferredStyle) {
  this->title = title.value_or("");
  modalPresentationStyle = UIModalPresentationStyle::custom;
}

void UIAlertController::addAction(const std::shared_ptr<UIAlertAction>& action) {
  if (!action) return;
  if (action->style() == UIAlertActionStyle::cancel &&
      std::any_of(actions_.begin(), actions_.end(),
                  [](const auto& a) { return a->style() == UIAlertActionStyle::cancel; })) {
    fatalError("UIAlertController can only have one action with a style of UIAlertActionStyleCancel");
  }
  actions_.push_back(action);
  if (isViewLoaded()) rebuildContent();
}

std::shared_ptr<UIButton> UIAlertController::buttonFor(const UIAlertAction& action) const {
  for (const auto& [a, button] : buttons_)
    if (a.get() == &action) return button;
  return nullptr;
}

bool UIAlertController::buttonsSideBySide() const {
  return style_ == UIAlertControllerStyle::alert && actions_.size() == 2;
}

std::vector<std::shared_ptr<UIAlertAction>> UIAlertController::orderedActions() const {
  std::vector<std::shared_ptr<UIAlertAction>> ordered;
  std::shared_ptr<UIAlertAction> cancel;
  for (const auto& action : actions_) {
    if (action->style() == UIAlertActionStyle::cancel) {
      cancel = action;
    } else {
      ordered.push_back(action);
    }
  }
  if (cancel) {
    if (buttonsSideBySide()) {
      ordered.insert(ordered.begin(), cancel);
    } else {
      ordered.push_back(cancel);
    }
  }
  return ordered;
}

void UIAlertController::loadView() {
  // The dimming control lies behind the groups as a sibling, so that touches on a group's own
  // surface, which travel up the responder chain, never reach it.
  auto root = UIView::create(UIScreen::main()->bounds());
  backdrop_ = UIControl::create(root->bounds());
  backdrop_->setBackgroundColor(UIColor::create(0, 0.4));
  root->addSubview(backdrop_);
  std::weak_ptr<UIAlertController> weak = std::static_pointer_cast<UIAlertController>(shared_from_this());
  backdrop_->addAction(
      [weak](UIControl&) {
        auto self = weak.lock();
        if (!self || self->style_ != UIAlertControllerStyle::actionSheet) return;
        for (const auto& action : self->actions_)
          if (action->style() == UIAlertActionStyle::cancel) self->tapped(action);
      },
      UIControl::touchUpInside);
  setView(root);
  rebuildContent();
}

void UIAlertController::rebuildContent() {
  const auto& root = view();
  if (box_) box_->removeFromSuperview();
  if (cancelBox_) cancelBox_->removeFromSuperview();
  buttons_.clear();
  box_ = makeGroup();
  // The gaps between the header and the buttons show this darker colour as hairlines.
  box_->setBackgroundColor(UIColor::create(0.8, 1));
  cancelBox_ = nullptr;
  titleLabel_ = title.empty() ? nullptr : makeLabel(title, UIFont::systemFont(17, UIFontWeight::semibold));
  messageLabel_ = message && !message->empty() ? makeLabel(*message, UIFont::systemFont(13)) : nullptr;
  header_ = UIView::create();
  header_->setBackgroundColor(UIColor::create(0.97, 0.97, 0.97, 1));
  if (titleLabel_) header_->addSubview(titleLabel_);
  if (messageLabel_) header_->addSubview(messageLabel_);
  box_->addSubview(header_);
  root->addSubview(box_);

  std::weak_ptr<UIAlertController> weak = std::static_pointer_cast<UIAlertController>(shared_from_this());
  for (const auto& action : orderedActions()) {
    auto button = UIButton::create(UIButtonType::system);
    button->setTitle(action->title(), UIControl::normal);
    button->setTitleColor(actionColor(action->style()), UIControl::normal);
    button->setTitleColor(UIColor::lightGray(), UIControl::disabled);
    const bool bold = action->style() == UIAlertActionStyle::cancel;
    button->titleLabel()->setFont(
        UIFont::systemFont(17, bold ? UIFontWeight::semibold : UIFontWeight::regular));
    button->setEnabled(action->isEnabled);
    button->setBackgroundColor(UIColor::create(0.97, 0.97, 0.97, 1));
    std::weak_ptr<UIAlertAction> weakAction = action;
    button->addAction(
        [weak, weakAction](UIControl&) {
          auto self = weak.lock();
          auto action = weakAction.lock();
          if (self && action) self->tapped(action);
        },
        UIControl::touchUpInside);
    const bool ownGroup =
        style_ == UIAlertControllerStyle::actionSheet && action->style() == UIAlertActionStyle::cancel;
    if (ownGroup) {
      cancelBox_ = makeGroup();
      cancelBox_->addSubview(button);
      root->addSubview(cancelBox_);
    } else {
      box_->addSubview(button);
    }
    buttons_.emplace_back(action, button);
  }
  root->setNeedsLayout();
}

void UIAlertController::tapped(const std::shared_ptr<UIAlertAction>& action) {
  if (dismissing_ || !action->isEnabled) return;
  dismissing_ = true;
  std::weak_ptr<UIAlertController> weak = std::static_pointer_cast<UIAlertController>(shared_from_this());
  dismiss(true, [weak, action] {
    if (auto self = weak.lock()) self->dismissing_ = false;
    action->invoke();
  });
}

void UIAlertController::viewDidLayoutSubviews() {
  const CGRect bounds = view()->bounds();
  backdrop_->setFrame(bounds);
  if (style_ == UIAlertControllerStyle::alert) {
    layoutAlert(bounds);
  } else {
    layoutSheet(bounds);
  }
}

// Lays the title and message out in the header at the top of the main group, `width` wide, the
// first line at `top`; returns the header's height (0 without text).
CGFloat UIAlertController::layoutText(CGFloat top, CGFloat width) {
  const CGFloat textWidth = width - 2 * kTextInset;
  CGFloat y = top;
  for (const auto& label : {titleLabel_, messageLabel_}) {
    if (!label) continue;
    const CGFloat height = label->sizeThatFits(CGSize{textWidth, 10000}).height;
    label->setFrame(CGRect(kTextInset, y, textWidth, height));
    y += height + 4;
  }
  const CGFloat height = y == top ? 0 : y - 4 + kTextInset;
  header_->setFrame(CGRect(0, 0, width, height));
  return height;
}

void UIAlertController::layoutAlert(const CGRect& bounds) {
  const CGFloat width = std::min(kAlertWidth, bounds.width() - 2 * kTextInset);
  CGFloat y = layoutText(kTextInset + 4, width);
  if (buttonsSideBySide()) {
    const CGFloat half = (width - kHairline) / 2;
    buttons_[0].second->setFrame(CGRect(0, y + kHairline, half, kAlertButtonHeight));
    buttons_[1].second->setFrame(CGRect(half + kHairline, y + kHairline, half, kAlertButtonHeight));
    y += kHairline + kAlertButtonHeight;
  } else {
    for (const auto& [action, button] : buttons_) {
      button->setFrame(CGRect(0, y + kHairline, width, kAlertButtonHeight));
      y += kHairline + kAlertButtonHeight;
    }
  }
  box_->setFrame(CGRect((bounds.width() - width) / 2, (bounds.height() - y) / 2, width, y));
}

void UIAlertController::layoutSheet(const CGRect& bounds) {
  const CGFloat width = bounds.width() - 2 * kSheetMargin;
  const UIEdgeInsets safe = view()->safeAreaInsets();
  CGFloat bottom = bounds.height() - std::max(safe.bottom, kSheetMargin);
  if (cancelBox_) {
    cancelBox_->setFrame(CGRect(kSheetMargin, bottom - kSheetButtonHeight, width, kSheetButtonHeight));
    cancelBox_->subviews().front()->setFrame(CGRect(0, 0, width, kSheetButtonHeight));
    bottom -= kSheetButtonHeight + kSheetMargin;
  }
  CGFloat y = layoutText(kTextInset, width);
  bool first = y == 0;
  for (const auto& [action, button] : buttons_) {
    if (button->superview() != box_) continue;
    const CGFloat gap = first ? 0 : kHairline;
    button->setFrame(CGRect(0, y + gap, width, kSheetButtonHeight));
    y += gap + kSheetButtonHeight;
    first = false;
  }
  box_->setHidden(y == 0);
  box_->setFrame(CGRect(kSheetMargin, bottom - y, width, y));
}

}  // namespace ios
