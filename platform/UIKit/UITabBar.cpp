#include <UIKit/UITabBar.h>

#include <CoreText/UIFont.h>
#include <UIKit/TextDrawing.h>
#include <UIKit/UIGraphics.h>
#include <UIKit/UIImage.h>
#include <UIKit/UITouch.h>

#include <algorithm>

namespace ios {

namespace {

const auto registration = ClassRegistration<UITabBar, UIView>("UITabBar").factory([] { return UITabBar::create(); });

// Icon and title placement inside an item's slot.
constexpr CGFloat kIconTop = 6;
constexpr CGFloat kIconSize = 25;
constexpr CGFloat kTitleBaselineFromTop = 41;

}  // namespace

std::shared_ptr<UITabBar> UITabBar::create(const CGRect& frame) { return std::make_shared<UITabBar>(frame); }

UITabBar::UITabBar(const CGRect& frame) : UIView(frame) { applyAppearance(); }

UITabBar::Appearance& UITabBar::appearance() {
  static Appearance shared;
  return shared;
}

void UITabBar::applyAppearance() {
  auto background = barTintColor ? barTintColor
                                 : (appearance().barTintColor ? appearance().barTintColor : appearance().backgroundColor);
  if (!background) background = UIColor::create(0.97, 0.97, 0.97, 1);
  setBackgroundColor(background);
}

void UITabBar::willMoveToWindow(const std::shared_ptr<UIWindow>&) { applyAppearance(); }

void UITabBar::setItems(std::vector<std::shared_ptr<UITabBarItem>> items) {
  items_ = std::move(items);
  if (selectedItem_ && std::find(items_.begin(), items_.end(), selectedItem_) == items_.end()) selectedItem_ = nullptr;
  setNeedsDisplay();
}

void UITabBar::setSelectedItem(std::shared_ptr<UITabBarItem> item) {
  if (item == selectedItem_) return;
  selectedItem_ = std::move(item);
  setNeedsDisplay();
}

CGRect UITabBar::itemRect(std::size_t index) const {
  if (items_.empty()) return CGRect::null;
  const CGFloat width = bounds().width() / static_cast<CGFloat>(items_.size());
  return CGRect(width * static_cast<CGFloat>(index), 0, width, barHeight);
}

std::shared_ptr<UITabBarItem> UITabBar::itemAt(CGPoint point) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (itemRect(i).contains(point)) return items_[i];
  return nullptr;
}

void UITabBar::touchesEnded(const Touches& touches, const UIEvent*) {
  if (touches.empty()) return;
  auto item = itemAt((*touches.begin())->location(this));
  if (!item || !item->isEnabled) return;
  if (onSelect) onSelect(item);
}

void UITabBar::draw(const CGRect&) {
  applyAppearance();
  CGContext* context = UIGraphicsGetCurrentContext();
  if (!context) return;
  // A hairline on top, as the platform's bar shadow.
  context->setFillColor(CGColor::rgb(0, 0, 0, 0.15));
  context->fill(CGRect(0, 0, bounds().width(), 1.0 / std::max<CGFloat>(1, context->scale())));
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const auto& item = items_[i];
    const bool selected = item == selectedItem_;
    const CGRect slot = itemRect(i);
    const UIOffset offset = item->effectiveTitlePositionAdjustment();

    auto image = selected && item->selectedImage ? item->selectedImage : item->image;
    if (image && image->cgImage()) {
      CGSize size = image->size();
      const CGFloat fit = std::min<CGFloat>(1, kIconSize / std::max(size.width, size.height));
      size = {size.width * fit, size.height * fit};
      context->draw(*image->cgImage(), CGRect(slot.midX() - size.width / 2, kIconTop + (kIconSize - size.height) / 2,
                                              size.width, size.height));
    }

    NSAttributes attributes = item->titleTextAttributes(selected ? UIControl::selected : UIControl::normal);
    if (!attributes.count(NSAttributedStringKey::font))
      attributes.insert_or_assign(NSAttributedStringKey::font, NSAttributeValue(std::shared_ptr<const UIFont>(UIFont::systemFont(10))));
    TextLayoutOptions options;
    options.numberOfLines = 1;
    options.defaultColor = selected ? tintColor()->cgColor() : CGColor::grey(0.57, 1);
    TextLayout layout(NSAttributedString::create(item->title, attributes), options);
    const CGRect used = layout.usedRect();
    const CGFloat baseline = layout.lineFragments().empty() ? used.height() : layout.lineFragments().front().baseline;
    const CGPoint origin{slot.midX() - used.width() / 2 + offset.horizontal,
                         kTitleBaselineFromTop - baseline + offset.vertical};
    drawTextWithAttachments(layout, *context, origin);
  }
}

}  // namespace ios
