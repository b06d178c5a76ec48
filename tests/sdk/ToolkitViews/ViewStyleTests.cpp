#include <Ultilities/Extensions/UIViewStyleExtension.h>

#include <Foundation/Bundle.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <UIKit/UILabel.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kerbelin::toolkit_views_test {

// View classes that interface files make by name; their nibs are named after them.
class BannerView : public ios::UIView {
 public:
  static std::shared_ptr<BannerView> create() { return std::make_shared<BannerView>(); }
};
class FrameworkOnlyView : public ios::UIView {
 public:
  static std::shared_ptr<FrameworkOnlyView> create() { return std::make_shared<FrameworkOnlyView>(); }
};

const auto bannerRegistration = ios::ClassRegistration<BannerView, ios::UIView>("BannerView");
const auto frameworkRegistration =
    ios::ClassRegistration<FrameworkOnlyView, ios::UIView>("FrameworkOnlyView");

namespace {

using ios::CGRect;
using ios::CGSize;
using ios::UIColor;
using ios::UIView;

TEST(ViewStyling, CornerRadiusWritesTheLayerAndClips) {
  auto view = UIView::create(CGRect(0, 0, 50, 50));
  view->layer()->setShadowOpacity(0.5);
  setCornerRadius(*view, 8);
  EXPECT_EQ(view->layer()->cornerRadius(), 8);
  EXPECT_TRUE(view->layer()->masksToBounds());
  EXPECT_FALSE(view->layer()->hasVisibleShadow()) << "clipping hides the layer's own shadow";
}

TEST(ViewStyling, RadiusCircularRoundsToHalfTheShorterSideWhateverTheValue) {
  auto view = UIView::create(CGRect(5, 5, 40, 60));
  set_radiusCircular(*view, false);
  EXPECT_EQ(view->layer()->cornerRadius(), 20);
  EXPECT_TRUE(view->clipsToBounds());

  view->setFrame(CGRect(0, 0, 90, 30));  // the radius follows the frame only when set again
  EXPECT_EQ(view->layer()->cornerRadius(), 20);
  set_radiusCircular(*view, true);
  EXPECT_EQ(view->layer()->cornerRadius(), 15);
}

// Each setting writes the layer, as the nib test shows; reading back, no shadow colour is transparent
// black, and a shadow leaves clipping off.
TEST(ViewStyling, ShadowSettingsReadTheLayerBackAndLeaveClippingAlone) {
  auto view = UIView::create();
  view->layer()->setShadowColor(std::nullopt);
  EXPECT_EQ(shadowColor(*view)->cgColor(), ios::CGColor::rgb(0, 0, 0, 0));
  setShadowColor(*view, UIColor::blue());
  setShadowOpacity(*view, 0.1);
  EXPECT_TRUE(shadowColor(*view)->isEqual(*UIColor::blue()));
  EXPECT_EQ(shadowOpacity(*view), static_cast<double>(0.1f)) << "kept in single precision";
  EXPECT_FALSE(view->layer()->masksToBounds());
  EXPECT_TRUE(view->layer()->hasVisibleShadow());
}

TEST(ViewStyling, ClearSubviewsRemovesEverySubviewInOrder) {
  auto view = UIView::create();
  clearSubviews(*view);
  EXPECT_TRUE(view->subviews().empty());

  std::shared_ptr<UIView> children[3] = {UIView::create(), UIView::create(), UIView::create()};
  for (auto& child : children) view->addSubview(child);
  children[1]->addSubview(UIView::create());
  clearSubviews(*view);
  EXPECT_TRUE(view->subviews().empty());
  for (auto& child : children) EXPECT_FALSE(child->superview());
  EXPECT_EQ(children[1]->subviews().size(), 1u) << "only direct subviews are removed";
}

// ---- Nibs

constexpr const char* kBannerNib = R"({
  "objects": [
    {"class": "BannerView",
     "properties": {"frame": [0, 0, 40, 60], "cornerRadius": 8, "borderWidth": 2, "borderColor": "#FF0000",
                    "shadowColor": "#00FF00", "shadowOffset": [1, 2], "shadowOpacity": 0.25, "shadowRadius": 4,
                    "_radiusCircular": false},
     "subviews": [{"class": "UIView"}]},
    {"class": "UIView"}
  ]
})";

// Connects its owner's outlet "banner": a view class has no such key.
constexpr const char* kOwnedNib =
    R"({"owner": {"outlets": {"banner": "b"}}, "objects": [{"id": "b", "class": "UIView"}]})";

constexpr const char* kFrameworkNib = R"({"objects": [{"class": "FrameworkOnlyView"}]})";

// A main bundle and a stand-in framework bundle, both put back afterwards.
class NibLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    previousFramework = ios::Bundle::withIdentifier("Halvet.KerbelinSDK");
    ios::Bundle::setMainBundle(ios::Bundle::create(
        "toolkit.views.main", {{"BannerView.nib.json", kBannerNib},
                               {"Label.nib.json", R"({"objects": [{"class": "UILabel"}]})"},
                               {"Empty.nib.json", R"({"objects": []})"},
                               {"Broken.nib.json", R"({"objects": [{"class": "NoSuchClass"}]})"},
                               {"FrameworkOnlyView.nib.json", R"({"objects": [{"class": "UILabel"}]})"},
                               {"Strings.nib.json", R"({"objects": [{"class": "NSObject"}]})"},
                               {"Owned.nib.json", kOwnedNib}}));
    ios::Bundle::registerBundle(ios::Bundle::create(
        "Halvet.KerbelinSDK", {{"FrameworkOnlyView.nib.json", kFrameworkNib},
                               {"BannerView.nib.json", R"({"objects": [{"class": "UIView"}]})"}}));
  }
  void TearDown() override {
    ios::Bundle::setMainBundle(nullptr);
    if (previousFramework) ios::Bundle::registerBundle(previousFramework);
  }
  std::shared_ptr<ios::Bundle> previousFramework;
};

TEST_F(NibLoading, FromNibTakesTheFirstObjectOfTheMainBundlesNibWithItsAttributes) {
  auto banner = fromNib<BannerView>();
  ASSERT_TRUE(banner);
  EXPECT_EQ(banner->subviews().size(), 1u);
  const auto& layer = *banner->layer();
  EXPECT_EQ(layer.cornerRadius(), 20) << "_radiusCircular comes last in the file and wins";
  EXPECT_TRUE(layer.masksToBounds());
  EXPECT_EQ(layer.borderWidth(), 2);
  EXPECT_EQ(*layer.borderColor(), ios::CGColor::rgb(1, 0, 0, 1));
  EXPECT_EQ(*layer.shadowColor(), ios::CGColor::rgb(0, 1, 0, 1));
  EXPECT_EQ(layer.shadowOffset(), (CGSize{1, 2}));
  EXPECT_EQ(layer.shadowOpacity(), 0.25f);
  EXPECT_EQ(layer.shadowRadius(), 4);
}

TEST_F(NibLoading, InstanceFromNibLooksInTheFrameworkBundleOnly) {
  auto fromFramework = instanceFromNib<FrameworkOnlyView>();
  ASSERT_TRUE(fromFramework);

  ios::ConsoleCapture console;
  EXPECT_FALSE(fromNib<FrameworkOnlyView>()) << "the main bundle's nib of that name starts with a label";
  EXPECT_FALSE(instanceFromNib<BannerView>()) << "the framework's BannerView nib starts with a plain view";
  ASSERT_EQ(console.logMessages().size(), 2u);
  EXPECT_NE(console.logMessages()[0].find("FrameworkOnlyView"), std::string::npos);
}

TEST_F(NibLoading, AMissingNibGivesNoViewAndIsLogged) {
  ios::Bundle::setMainBundle(ios::Bundle::create("toolkit.views.empty", ios::Bundle::ResourceMap{}));
  ios::ConsoleCapture console;
  EXPECT_FALSE(fromNib<BannerView>());
  EXPECT_FALSE(loadFromNibNamed("BannerView"));
  ASSERT_EQ(console.logMessages().size(), 2u);
  EXPECT_NE(console.logMessages()[0].find("BannerView"), std::string::npos);
}

TEST_F(NibLoading, LoadFromNibNamedGivesTheFirstObjectOnlyWhenItIsAView) {
  auto label = std::dynamic_pointer_cast<ios::UILabel>(loadFromNibNamed("Label"));
  EXPECT_TRUE(label) << "a null bundle means the main bundle";
  EXPECT_TRUE(loadFromNibNamed("FrameworkOnlyView", ios::Bundle::withIdentifier("Halvet.KerbelinSDK")));

  ios::ConsoleCapture console;
  EXPECT_FALSE(loadFromNibNamed("Strings"));
  EXPECT_FALSE(loadFromNibNamed("Empty"));
  EXPECT_TRUE(console.logMessages().empty()) << "a nib that loads is not an error";
  EXPECT_FALSE(loadFromNibNamed("Broken"));
  EXPECT_EQ(console.logMessages().size(), 1u);
  EXPECT_FALSE(loadFromNibNamed("Owned")) << "the class is the owner";
  EXPECT_EQ(console.logMessages().size(), 2u);
}

}  // namespace
}  // namespace kerbelin::toolkit_views_test
