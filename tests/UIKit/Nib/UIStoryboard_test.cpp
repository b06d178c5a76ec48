#include "NibTestClasses.h"
#include "NibTestSupport.h"

#include <Foundation/Console.h>
#include <UIKit/Nib/UIStoryboard.h>

#include <gtest/gtest.h>

namespace {

using namespace ios;
using nibtest::TestButton;
using nibtest::TestController;
using nibtest::TestLabel;

const char* kBuyCard = R"({
  "initialViewController": "BuyCard",
  "scenes": {
    "BuyCard": {
      "class": "TestController",
      "properties": {"title": "Mua thẻ", "badge": "new"},
      "outlets": {"titleLabel": "title"},
      "view": {
        "class": "UIView",
        "properties": {"backgroundColor": "#FFFFFF"},
        "subviews": [
          {"class": "TestLabel", "id": "title", "properties": {"text": "Chọn mệnh giá"}},
          {"class": "TestButton", "id": "buy", "actions": [{"event": "touchUpInside", "selector": "didTap:"}]}
        ],
        "constraints": [
          "title.top == superview.safeArea.top + 16", "title.leading == superview.leading + 16",
          "title.trailing == superview.trailing - 16", "title.height == 20",
          "buy.top == title.bottom + 8", "buy.leading == title.leading", "buy.trailing == title.trailing",
          "buy.height == 44", "superview.bottom == buy.bottom + 40 @999 as cstBottomMain"
        ]
      }
    },
    "Empty": {"class": "UIViewController"},
    "Broken": {"class": "TestController", "outlets": {"nothing": "title"},
               "view": {"class": "UIView", "subviews": [{"class": "TestLabel", "id": "title"}]}},
    "NotAController": {"class": "UIView"}
  }
})";

std::shared_ptr<UIStoryboard> buyCard() {
  static auto bundle =
      nibtest::bundleWith({{"BuyCard.storyboard.json", kBuyCard}}, "Halvet.NibTests.Storyboards");
  return UIStoryboard::create("BuyCard", bundle);
}

TEST(UIStoryboard, ScenesMakeTheControllerAtOnceAndTheViewWhenItLoads) {
  nibtest::journal().clear();
  auto storyboard = buyCard();
  ASSERT_TRUE(storyboard);
  auto controller =
      std::dynamic_pointer_cast<TestController>(storyboard->instantiateViewController("BuyCard"));
  ASSERT_TRUE(controller);
  EXPECT_EQ(controller->title, "Mua thẻ");
  EXPECT_EQ(controller->badge, "new");
  EXPECT_EQ(controller->awakeCount, 1);
  EXPECT_FALSE(controller->isViewLoaded());
  EXPECT_FALSE(controller->titleLabel);

  controller->input = "100000";
  const auto& view = controller->view();
  EXPECT_EQ(controller->viewDidLoadCount, 1);
  EXPECT_EQ(controller->inputAtLoad, "100000");
  EXPECT_TRUE(controller->outletAtLoad);
  ASSERT_EQ(view->subviews().size(), 2u);
  EXPECT_EQ(controller->titleLabel, view->subviews()[0]);
  EXPECT_EQ(controller->titleLabel->text, "Chọn mệnh giá");
  EXPECT_EQ(controller->titleLabel->accessibilityIdentifier, "titleLabel");
  // The named constraint reached the controller's key of the same name.
  ASSERT_TRUE(controller->cstBottomMain);
  EXPECT_EQ(controller->cstBottomMain->constant(), 40);
  std::dynamic_pointer_cast<TestButton>(view->subviews()[1])->sendActions(UIControl::touchUpInside);
  EXPECT_EQ(controller->taps.size(), 1u);
  EXPECT_EQ(nibtest::journal(), (std::vector<std::string>{"awake controller", "awake titleLabel",
                                                          "awake button ", "viewDidLoad"}));

  view->setFrame({0, 0, 375, 812});
  view->layoutIfNeeded();
  EXPECT_EQ(controller->titleLabel->frame(), CGRect(16, 16, 343, 20));
}

TEST(UIStoryboard, EveryInstantiationIsANewControllerAndTheInitialOneIsNamedInTheFile) {
  auto storyboard = buyCard();
  auto first = storyboard->instantiateInitialViewController();
  auto second = storyboard->instantiateViewController("BuyCard");
  ASSERT_TRUE(first);
  ASSERT_TRUE(second);
  EXPECT_NE(first, second);
  EXPECT_NE(first->view(), second->view());
  auto empty = storyboard->instantiateViewController("Empty");
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->view()->subviews().empty());
  EXPECT_EQ(storyboard->identifiers(),
            (std::vector<std::string>{"BuyCard", "Empty", "Broken", "NotAController"}));
}

TEST(UIStoryboard, MissingStoryboardsAndScenesAndBrokenScenesFailCleanly) {
  EXPECT_FALSE(UIStoryboard::create("NoSuchStoryboard", nibtest::bundleWith()));
  auto storyboard = buyCard();
  ConsoleCapture capture;
  EXPECT_FALSE(storyboard->instantiateViewController("Nowhere"));
  ASSERT_EQ(capture.logMessages().size(), 1u);
  EXPECT_EQ(capture.logMessages()[0],
            "UIStoryboard: BuyCard.storyboard.json: no scene with identifier \"Nowhere\"");

  auto notController = storyboard->instantiate("NotAController");
  ASSERT_FALSE(notController);
  EXPECT_EQ(notController.error->message(),
            "BuyCard.storyboard.json:26: scenes.NotAController: a scene's class must be a view controller, "
            "not UIView");

  // A scene whose view cannot be made leaves the controller with a plain view and says why.
  auto broken = storyboard->instantiate("Broken");
  ASSERT_TRUE(broken);
  auto error = UIStoryboard::loadSceneView(*broken.controller);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->message(),
            "BuyCard.storyboard.json:24: scenes.Broken.outlets: missing outlet \"nothing\": TestController "
            "has no such key");
  EXPECT_FALSE(broken.controller->isViewLoaded());
  capture.clear();
  EXPECT_TRUE(broken.controller->view()->subviews().empty());
  ASSERT_EQ(capture.logMessages().size(), 1u);
  EXPECT_EQ(capture.logMessages()[0].rfind("Nib load error: BuyCard.storyboard.json:24: ", 0), 0u);

  auto malformed = UIStoryboard::fromData("Bad", "{\"scenes\": [}");
  ASSERT_TRUE(malformed);
  EXPECT_TRUE(malformed->identifiers().empty());
  auto result = malformed->instantiate("Any");
  ASSERT_FALSE(result);
  EXPECT_EQ(result.error->message().rfind("Bad.storyboard.json:1: malformed JSON", 0), 0u);
  auto badInitial = UIStoryboard::fromData("Bad", R"({"initialViewController": "X", "scenes": {}})");
  EXPECT_EQ(badInitial->documentError()->message(),
            "Bad.storyboard.json:1: initialViewController: must name a scene");
}

}  // namespace
