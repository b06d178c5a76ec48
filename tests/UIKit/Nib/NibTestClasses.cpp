#include "NibTestClasses.h"

#include <Foundation/ClassRegistry.h>
#include <UIKit/Nib/NibEnumNames.h>

namespace nibtest {

namespace {

using namespace ios;

const auto labelRegistration = ClassRegistration<TestLabel, UIView>("TestLabel")
                                   .property("text", &TestLabel::text)
                                   .property("font", &TestLabel::font)
                                   .property("textColor", &TestLabel::textColor)
                                   .property("numberOfLines", &TestLabel::numberOfLines)
                                   .property("textAlignment", &TestLabel::textAlignment)
                                   .property("maximumCount", &TestLabel::maximumCount)
                                   .property("ratio", &TestLabel::ratio)
                                   .property("highlighted", &TestLabel::highlighted)
                                   .property("image", &TestLabel::image)
                                   .property("insets", &TestLabel::insets)
                                   .property("preferredSize", &TestLabel::preferredSize)
                                   .property("anchor", &TestLabel::anchor)
                                   .property("peer", &TestLabel::peer);
const NibEnumNames::Table alignmentNames("TestLabel", "textAlignment",
                                         {{"left", 0}, {"center", 1}, {"right", 2}});

const auto buttonRegistration = ClassRegistration<TestButton, UIControl>("TestButton");

const auto ownerRegistration = ClassRegistration<TestOwner>("TestOwner")
                                   .property("card", &TestOwner::card)
                                   .property("title", &TestOwner::title)
                                   .property("cstBottomMain", &TestOwner::cstBottomMain)
                                   .method("didTap:", &TestOwner::didTap);

const auto controllerRegistration = ClassRegistration<TestController, UIViewController>("TestController")
                                        .property("input", &TestController::input)
                                        .property("badge", &TestController::badge)
                                        .property("titleLabel", &TestController::titleLabel)
                                        .property("cstBottomMain", &TestController::cstBottomMain)
                                        .method("didTap:", &TestController::didTap);

}  // namespace

std::vector<std::string>& journal() {
  static std::vector<std::string> entries;
  return entries;
}

void TestLabel::awakeFromNib() {
  ++awakeCount;
  journal().push_back("awake " + accessibilityIdentifier + (peer ? " peer" : ""));
}

void TestButton::awakeFromNib() {
  ++awakeCount;
  journal().push_back("awake button " + accessibilityIdentifier);
}

void TestController::viewDidLoad() {
  ++viewDidLoadCount;
  inputAtLoad = input;
  outletAtLoad = titleLabel != nullptr;
  journal().push_back("viewDidLoad");
}

void TestController::awakeFromNib() {
  ++awakeCount;
  journal().push_back("awake controller");
}

}  // namespace nibtest
