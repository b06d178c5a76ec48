#include <UIKit/UIActivityViewController.h>

#include <Foundation/URL.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIImage.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIPopoverPresentationController.h>
#include <UIKit/UIScreen.h>

#include <algorithm>

namespace ios {

const UIActivityType UIActivityType::airDrop{"com.apple.UIKit.activity.AirDrop"};
const UIActivityType UIActivityType::postToFacebook{"com.apple.UIKit.activity.PostToFacebook"};
const UIActivityType UIActivityType::postToTwitter{"com.apple.UIKit.activity.PostToTwitter"};
const UIActivityType UIActivityType::message{"com.apple.UIKit.activity.Message"};
const UIActivityType UIActivityType::mail{"com.apple.UIKit.activity.Mail"};
const UIActivityType UIActivityType::print{"com.apple.UIKit.activity.Print"};
const UIActivityType UIActivityType::copyToPasteboard{"com.apple.UIKit.activity.CopyToPasteboard"};
const UIActivityType UIActivityType::saveToCameraRoll{"com.apple.UIKit.activity.SaveToCameraRoll"};

namespace {

const auto registration =
    ClassRegistration<UIActivityViewController, UIViewController>("UIActivityViewController");

constexpr CGFloat kMargin = 8;
constexpr CGFloat kRowHeight = 57;
constexpr CGFloat kSummaryHeight = 44;
constexpr CGFloat kHairline = 0.5;

std::shared_ptr<UIView> makeGroup() {
  auto group = UIView::create();
  group->setBackgroundColor(UIColor::create(0.8, 1));  // shows as hairlines between the rows
  group->layer()->setCornerRadius(13);
  group->setClipsToBounds(true);
  return group;
}

template <class T>
bool holds(const std::any& item) {
  return item.type() == typeid(T);
}

}  // namespace

std::shared_ptr<UIActivityViewController> UIActivityViewController::create(
    std::vector<std::any> activityItems) {
  return std::make_shared<UIActivityViewController>(std::move(activityItems));
}

UIActivityViewController::UIActivityViewController(std::vector<std::any> activityItems)
    : items_(std::move(activityItems)) {
  modalPresentationStyle = UIModalPresentationStyle::custom;
}

std::string UIActivityViewController::caption(const UIActivityType& type) {
  if (type == UIActivityType::saveToCameraRoll) return "Lưu ảnh";
  if (type == UIActivityType::copyToPasteboard) return "Sao chép";
  if (type == UIActivityType::message) return "Tin nhắn";
  if (type == UIActivityType::mail) return "Mail";
  if (type == UIActivityType::print) return "In";
  if (type == UIActivityType::airDrop) return "AirDrop";
  if (type == UIActivityType::postToFacebook) return "Facebook";
  if (type == UIActivityType::postToTwitter) return "Twitter";
  return type.rawValue;
}

std::vector<UIActivityType> UIActivityViewController::availableActivities() const {
  const bool hasImage = std::any_of(items_.begin(), items_.end(), holds<std::shared_ptr<UIImage>>);
  std::vector<UIActivityType> candidates = {UIActivityType::airDrop,       UIActivityType::message,
                                            UIActivityType::mail,          UIActivityType::postToFacebook,
                                            UIActivityType::postToTwitter, UIActivityType::copyToPasteboard,
                                            UIActivityType::print};
  if (hasImage) candidates.push_back(UIActivityType::saveToCameraRoll);
  std::vector<UIActivityType> available;
  for (const auto& type : candidates)
    if (std::find(excludedActivityTypes.begin(), excludedActivityTypes.end(), type) ==
        excludedActivityTypes.end())
      available.push_back(type);
  return available;
}

std::string UIActivityViewController::itemsSummary() const {
  const auto count = [&](auto test) { return std::count_if(items_.begin(), items_.end(), test); };
  std::string summary;
  auto add = [&](long n, const char* kind) {
    if (n == 0) return;
    if (!summary.empty()) summary += ", ";
    summary += std::to_string(n) + " " + kind;
  };
  add(count(holds<std::shared_ptr<UIImage>>), "ảnh");
  add(count(holds<std::string>), "văn bản");
  add(count(holds<URL>), "liên kết");
  return summary.empty() ? "Chia sẻ" : summary;
}

std::shared_ptr<UIButton> UIActivityViewController::makeButton(const std::string& title, bool bold) {
  auto button = UIButton::create(UIButtonType::system);
  button->setTitle(title, UIControl::normal);
  button->setTitleColor(UIColor::systemBlue(), UIControl::normal);
  button->titleLabel()->setFont(
      UIFont::systemFont(17, bold ? UIFontWeight::semibold : UIFontWeight::regular));
  button->setBackgroundColor(UIColor::create(0.97, 0.97, 0.97, 1));
  return button;
}

void UIActivityViewController::loadView() {
  // The dimming control lies behind the groups as a sibling, so that touches on a group's own
  // surface, which travel up the responder chain, never reach it.
  auto root = UIView::create(UIScreen::main()->bounds());
  backdrop_ = UIControl::create(root->bounds());
  backdrop_->setBackgroundColor(UIColor::create(0, 0.4));
  root->addSubview(backdrop_);
  std::weak_ptr<UIActivityViewController> weak =
      std::static_pointer_cast<UIActivityViewController>(shared_from_this());
  backdrop_->addAction(
      [weak](UIControl&) {
        if (auto self = weak.lock()) self->pick(std::nullopt);
      },
      UIControl::touchUpInside);
  setView(root);

  sheet_ = makeGroup();
  auto summary = UILabel::create();
  summary->setText(itemsSummary());
  summary->setFont(UIFont::systemFont(13));
  summary->setTextColor(UIColor::gray());
  summary->setTextAlignment(NSTextAlignment::center);
  summary->setBackgroundColor(UIColor::create(0.97, 0.97, 0.97, 1));
  rows_ = {summary};
  for (const auto& type : availableActivities()) {
    auto button = makeButton(caption(type), false);
    button->addAction(
        [weak, type](UIControl&) {
          if (auto self = weak.lock()) self->pick(type);
        },
        UIControl::touchUpInside);
    rows_.push_back(button);
  }
  for (const auto& row : rows_) sheet_->addSubview(row);
  root->addSubview(sheet_);

  closeGroup_ = makeGroup();
  auto close = makeButton("Đóng", true);
  close->addAction(
      [weak](UIControl&) {
        if (auto self = weak.lock()) self->pick(std::nullopt);
      },
      UIControl::touchUpInside);
  closeGroup_->addSubview(close);
  root->addSubview(closeGroup_);
  root->setNeedsLayout();
}

void UIActivityViewController::viewDidAppear(bool animated) {
  UIViewController::viewDidAppear(animated);
  UIActivitySink::shared()->sheetShown(*this, availableActivities());
}

void UIActivityViewController::viewDidLayoutSubviews() {
  const CGRect bounds = view()->bounds();
  backdrop_->setFrame(bounds);
  const CGFloat width = bounds.width() - 2 * kMargin;
  CGFloat bottom = bounds.height() - std::max(view()->safeAreaInsets().bottom, kMargin);
  closeGroup_->setFrame(CGRect(kMargin, bottom - kRowHeight, width, kRowHeight));
  closeGroup_->subviews().front()->setFrame(CGRect(0, 0, width, kRowHeight));
  bottom -= kRowHeight + kMargin;
  CGFloat y = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const CGFloat height = i == 0 ? kSummaryHeight : kRowHeight;
    const CGFloat gap = i == 0 ? 0 : kHairline;
    rows_[i]->setFrame(CGRect(0, y + gap, width, height));
    y += gap + height;
  }
  sheet_->setFrame(CGRect(kMargin, bottom - y, width, y));
}

void UIActivityViewController::pick(std::optional<UIActivityType> type) {
  if (finishing_) return;
  finishing_ = true;
  const bool completed = type && UIActivitySink::shared()->perform(*type, items_);
  std::weak_ptr<UIActivityViewController> weak =
      std::static_pointer_cast<UIActivityViewController>(shared_from_this());
  dismiss(true, [weak, type, completed] {
    auto self = weak.lock();
    if (!self) return;
    self->finishing_ = false;
    auto handler = self->completionWithItemsHandler;
    if (handler) handler(type, completed, {}, std::nullopt);
  });
}

}  // namespace ios
