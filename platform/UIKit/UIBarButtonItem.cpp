#include <UIKit/UIBarButtonItem.h>

#include <UIKit/UIButton.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIResponder.h>

namespace ios {

namespace {

const auto registration = ClassRegistration<UIBarButtonItem>("UIBarButtonItem");

std::optional<std::string> systemTitle(UIBarButtonSystemItem item) {
  switch (item) {
    case UIBarButtonSystemItem::done:
      return "Xong";
    case UIBarButtonSystemItem::cancel:
      return "Hủy";
    case UIBarButtonSystemItem::edit:
      return "Sửa";
    case UIBarButtonSystemItem::save:
      return "Lưu";
    case UIBarButtonSystemItem::add:
      return "+";
    default:
      return std::nullopt;
  }
}

}  // namespace

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::create(std::optional<std::string> title,
                                                         UIBarButtonItemStyle style,
                                                         std::weak_ptr<NSObject> target, Selector action) {
  auto item = std::make_shared<UIBarButtonItem>();
  item->title_ = std::move(title);
  item->style = style;
  item->target = std::move(target);
  item->action = std::move(action);
  return item;
}

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::create(UIBarButtonSystemItem systemItem,
                                                         std::weak_ptr<NSObject> target, Selector action) {
  auto item =
      create(systemTitle(systemItem), UIBarButtonItemStyle::plain, std::move(target), std::move(action));
  item->systemItem_ = systemItem;
  if (systemItem == UIBarButtonSystemItem::done) item->style = UIBarButtonItemStyle::done;
  return item;
}

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::create(std::shared_ptr<UIView> customView) {
  auto item = std::make_shared<UIBarButtonItem>();
  item->customView_ = std::move(customView);
  return item;
}

std::shared_ptr<UIBarButtonItem> UIBarButtonItem::fixedSpace(CGFloat width) {
  auto item = create(UIBarButtonSystemItem::fixedSpace);
  item->width = width;
  return item;
}

bool UIBarButtonItem::isSpace() const {
  return systemItem_ == UIBarButtonSystemItem::flexibleSpace ||
         systemItem_ == UIBarButtonSystemItem::fixedSpace;
}

void UIBarButtonItem::setTitle(std::optional<std::string> title) {
  if (title == title_) return;
  title_ = std::move(title);
  update();
}

void UIBarButtonItem::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  update();
}

std::shared_ptr<UIView> UIBarButtonItem::barView() {
  if (customView_) return customView_;
  if (isSpace()) return nullptr;
  if (!button_) {
    button_ = UIButton::create(UIButtonType::system);
    std::weak_ptr<UIBarButtonItem> weak = std::static_pointer_cast<UIBarButtonItem>(shared_from_this());
    button_->addAction(
        [weak](UIControl&) {
          if (auto self = weak.lock()) self->sendAction();
        },
        UIControl::touchUpInside);
    update();
  }
  return button_;
}

void UIBarButtonItem::update() {
  if (!button_) return;
  button_->setTitle(title_, UIControl::normal);
  button_->setTitleColor(UIColor::systemBlue(), UIControl::normal);
  button_->setTitleColor(UIColor::lightGray(), UIControl::disabled);
  button_->titleLabel()->setFont(UIFont::systemFont(
      17, style == UIBarButtonItemStyle::done ? UIFontWeight::semibold : UIFontWeight::regular));
  button_->setEnabled(enabled_);
  button_->sizeToFit();
  if (width > 0) {
    CGRect f = button_->frame();
    f.size.width = width;
    button_->setFrame(f);
  }
  if (auto bar = button_->superview()) bar->setNeedsLayout();
}

bool UIBarButtonItem::sendAction() {
  if (!enabled_ || action.empty()) return false;
  auto self = shared_from_this();
  if (auto t = target.lock()) return t->perform(action, self);
  // No target: the first responder up the chain from the bar that knows the action.
  if (!button_) return false;
  for (std::shared_ptr<UIResponder> r = button_->next(); r; r = r->next())
    if (r->respondsTo(action)) return r->perform(action, self);
  return false;
}

}  // namespace ios
