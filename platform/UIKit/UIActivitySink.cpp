#include <UIKit/UIActivitySink.h>

#include <Foundation/Console.h>

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

std::shared_ptr<UIActivitySink>& installed() {
  static std::shared_ptr<UIActivitySink> sink = std::make_shared<NoActivitySink>();
  return sink;
}

}  // namespace

std::shared_ptr<UIActivitySink> UIActivitySink::shared() {
  return installed();
}

void UIActivitySink::setShared(std::shared_ptr<UIActivitySink> sink) {
  installed() = sink ? std::move(sink) : std::make_shared<NoActivitySink>();
}

}  // namespace ios
