#include <UIKit/UIActivitySink.h>

#include <Foundation/Console.h>
#include <Foundation/SharedSlot.h>

namespace ios {

namespace {

// No sharing service on this machine: every activity fails, with a line on the log.
class NoActivitySink : public UIActivitySink {
 public:
  bool perform(const UIActivityType& type, const std::vector<std::any>&) override {
    NSLog("No sharing service for " + type.rawValue);
    return false;
  }
};

SharedSlot<UIActivitySink>& installed() {
  static SharedSlot<UIActivitySink> slot([] { return std::make_shared<NoActivitySink>(); });
  return slot;
}

}  // namespace

std::shared_ptr<UIActivitySink> UIActivitySink::shared() {
  return installed().get();
}

void UIActivitySink::setShared(std::shared_ptr<UIActivitySink> sink) {
  installed().set(std::move(sink));
}

}  // namespace ios
