#include <UIKit/UIGraphics.h>

#include <UIKit/UIImage.h>
#include <UIKit/UIScreen.h>

#include <memory>
#include <vector>

namespace ios {

namespace {

struct Entry {
  std::unique_ptr<CGContext> owned;
  CGContext* context = nullptr;
};

std::vector<Entry>& stack() {
  thread_local std::vector<Entry> entries;
  return entries;
}

}  // namespace

void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale) {
  if (scale <= 0) scale = UIScreen::main()->scale();
  Entry entry;
  entry.owned = CGContext::bitmap(size, scale, opaque);
  entry.context = entry.owned.get();
  stack().push_back(std::move(entry));
}

void UIGraphicsBeginImageContext(CGSize size) { UIGraphicsBeginImageContextWithOptions(size, false, 1); }

CGContext* UIGraphicsGetCurrentContext() { return stack().empty() ? nullptr : stack().back().context; }

void UIGraphicsEndImageContext() {
  if (!stack().empty()) stack().pop_back();
}

std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext() {
  CGContext* context = UIGraphicsGetCurrentContext();
  return context ? UIImage::create(context->makeImage(), context->scale()) : nullptr;
}

void UIGraphicsPushContext(CGContext* context) { stack().push_back(Entry{nullptr, context}); }

void UIGraphicsPopContext() { UIGraphicsEndImageContext(); }

}  // namespace ios
