#include <Foundation/URL.h>
#include <UIKit/UIActivityViewController.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include "ControllerTestSupport.h"

#include <algorithm>
#include <string>
#include <vector>

namespace ios {
namespace {

using test::findButton;
using test::tapButton;

// Records what the sheet hands over, and answers with a preset result.
class RecordingSink : public UIActivitySink {
 public:
  std::vector<std::vector<UIActivityType>> shown;
  std::vector<std::pair<UIActivityType, std::size_t>> performed;  // type, number of items
  std::shared_ptr<UIImage> lastImage;
  bool answer = true;

  void sheetShown(const UIActivityViewController&, const std::vector<UIActivityType>& available) override {
    shown.push_back(available);
  }
  bool perform(const UIActivityType& type, const std::vector<std::any>& items) override {
    performed.emplace_back(type, items.size());
    for (const auto& item : items)
      if (auto image = std::any_cast<std::shared_ptr<UIImage>>(&item)) lastImage = *image;
    return answer;
  }
};

struct Finished {
  std::optional<UIActivityType> type;
  bool completed;
  bool presenterStillPresenting;
};

class ShareSheet : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    UIActivitySink::setShared(sink);
    show(presenter);
    image = UIImage::create(CGImage::create(4, 4, std::vector<std::uint32_t>(16, 0xFF000000)));
  }
  void TearDown() override {
    UIActivitySink::setShared(nullptr);
    WindowTest::TearDown();
  }
  std::shared_ptr<UIActivityViewController> present(std::vector<std::any> items) {
    auto sheet = UIActivityViewController::create(std::move(items));
    sheet->excludedActivityTypes = {UIActivityType::airDrop, UIActivityType::postToFacebook};
    sheet->completionWithItemsHandler = [this](std::optional<UIActivityType> type, bool completed,
                                               const std::vector<std::any>&,
                                               const std::optional<std::string>&) {
      finished.push_back({type, completed, presenter->presentedViewController() != nullptr});
    };
    presenter->present(sheet, true);
    settle();
    return sheet;
  }

  std::shared_ptr<RecordingSink> sink = std::make_shared<RecordingSink>();
  std::shared_ptr<UIViewController> presenter = UIViewController::create();
  std::shared_ptr<UIImage> image;
  std::vector<Finished> finished;
};

TEST_F(ShareSheet, OffersWhatSuitsTheItemsMinusTheExcludedAndTellsTheSinkWhenShown) {
  auto sheet = present({image});
  ASSERT_EQ(sink->shown.size(), 1u);
  EXPECT_EQ(sink->shown[0], sheet->availableActivities());
  EXPECT_EQ(findButton(window, "AirDrop"), nullptr);
  EXPECT_EQ(findButton(window, "Facebook"), nullptr);
  EXPECT_NE(findButton(window, "Lưu ảnh"), nullptr);
  EXPECT_NE(findButton(window, "Sao chép"), nullptr);
  EXPECT_NE(findButton(window, "Đóng"), nullptr);
  EXPECT_TRUE(presenter->isVisible());  // the sheet covers the screen only partly

  // Text alone cannot be saved to the album.
  auto text = UIActivityViewController::create({std::string("mã thẻ")});
  const auto textOffered = text->availableActivities();
  EXPECT_EQ(std::count(textOffered.begin(), textOffered.end(), UIActivityType::saveToCameraRoll), 0);
}

TEST_F(ShareSheet, PickingAnActivityHandsTheItemsOverThenReportsAfterTheDismissal) {
  present({image, std::string("QR"), *URL::fromString("https://example.invalid/a")});
  ASSERT_TRUE(tapButton(window, "Lưu ảnh"));
  ASSERT_EQ(sink->performed.size(), 1u);
  EXPECT_EQ(sink->performed[0].first, UIActivityType::saveToCameraRoll);
  EXPECT_EQ(sink->performed[0].second, 3u);
  EXPECT_EQ(sink->lastImage, image);
  EXPECT_TRUE(finished.empty());  // not before the sheet has gone
  settle();
  ASSERT_EQ(finished.size(), 1u);
  EXPECT_EQ(finished[0].type, UIActivityType::saveToCameraRoll);
  EXPECT_TRUE(finished[0].completed);
  EXPECT_FALSE(finished[0].presenterStillPresenting);
}

TEST_F(ShareSheet, AFailedServiceAndClosingReportNotCompleted) {
  sink->answer = false;
  present({image});
  ASSERT_TRUE(tapButton(window, "Sao chép"));
  settle();
  ASSERT_EQ(finished.size(), 1u);
  EXPECT_EQ(finished[0].type, UIActivityType::copyToPasteboard);
  EXPECT_FALSE(finished[0].completed);

  present({image});
  auto save = findButton(window, "Lưu ảnh");
  ASSERT_TRUE(save);
  TouchGenerator(window).tap(save->superview()->convert(CGPoint{20, 10}, nullptr));  // on the summary line
  settle();
  EXPECT_EQ(finished.size(), 1u);
  ASSERT_TRUE(tapButton(window, "Đóng"));
  settle();
  ASSERT_EQ(finished.size(), 2u);
  EXPECT_FALSE(finished[1].type.has_value());
  EXPECT_FALSE(finished[1].completed);
  EXPECT_EQ(sink->performed.size(), 1u);  // closing hands nothing over
  EXPECT_EQ(presenter->presentedViewController(), nullptr);
}

TEST_F(ShareSheet, TheSummaryNamesTheKindsOfItems) {
  present({image, image, std::string("a")});
  bool found = false;
  std::function<void(const std::shared_ptr<UIView>&)> walk = [&](const std::shared_ptr<UIView>& v) {
    if (auto label = std::dynamic_pointer_cast<UILabel>(v); label && label->text() == "2 ảnh, 1 văn bản")
      found = true;
    for (const auto& child : v->subviews()) walk(child);
  };
  walk(window);
  EXPECT_TRUE(found);
}

}  // namespace
}  // namespace ios
