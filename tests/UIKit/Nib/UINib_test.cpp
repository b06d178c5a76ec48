#include "NibTestClasses.h"
#include "NibTestSupport.h"

#include <CoreText/UIFont.h>
#include <Foundation/Bundle.h>
#include <Foundation/Console.h>
#include <UIKit/Nib/NibEnumNames.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/UILayoutGuide.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace ios;
using nibtest::load;
using nibtest::loadError;
using nibtest::TestButton;
using nibtest::TestLabel;
using nibtest::TestOwner;

template <class T>
std::shared_ptr<T> first(const NibInstantiation& result) {
  EXPECT_TRUE(result) << (result.error ? result.error->message() : "");
  if (result.objects.empty()) return nullptr;
  return std::dynamic_pointer_cast<T>(result.objects.front());
}

TEST(UINib, ConvertsEveryPropertyTypeByTheKeysDeclaredType) {
  auto label = first<TestLabel>(load(R"({"objects": [{"class": "TestLabel", "properties": {
      "text": "Xin chào",
      "font": {"system": 15, "weight": "semibold"},
      "textColor": "#33669980",
      "backgroundColor": "#F26739",
      "tintColor": {"white": 0.5, "alpha": 1},
      "numberOfLines": 0,
      "textAlignment": "center",
      "contentMode": "scaleAspectFill",
      "maximumCount": 7,
      "ratio": 0.25,
      "alpha": 1,
      "highlighted": true,
      "hidden": false,
      "tag": 42,
      "image": "star",
      "insets": [1, 2, 3, 4],
      "preferredSize": {"width": 30, "height": 20},
      "anchor": [5, 6],
      "frame": [10, 20, 300, 40],
      "layer.cornerRadius": 8,
      "layer.borderWidth": 1.5,
      "layer.borderColor": "#000000"
    }}]})"));
  ASSERT_TRUE(label);
  EXPECT_EQ(label->text, "Xin chào");
  EXPECT_EQ(label->font->pointSize(), 15);
  EXPECT_EQ(label->font->weight(), UIFontWeight::semibold);
  EXPECT_EQ(label->textColor->cgColor(),
            CGColor::rgb(0x33 / 255.0, 0x66 / 255.0, 0x99 / 255.0, 0x80 / 255.0));
  EXPECT_EQ(label->backgroundColor()->cgColor(), CGColor::rgb(0xF2 / 255.0, 0x67 / 255.0, 0x39 / 255.0, 1));
  CGFloat white = 0, alpha = 0;
  ASSERT_TRUE(label->tintColor()->getWhite(&white, &alpha));
  EXPECT_DOUBLE_EQ(white, 0.5);
  EXPECT_EQ(label->numberOfLines, 0);
  EXPECT_EQ(label->textAlignment, 1);
  EXPECT_EQ(label->contentMode(), UIViewContentMode::scaleAspectFill);
  EXPECT_EQ(label->maximumCount, 7u);
  EXPECT_FLOAT_EQ(label->ratio, 0.25f);
  EXPECT_TRUE(label->highlighted);
  EXPECT_EQ(label->tag, 42);
  EXPECT_EQ(label->image->size().width, 10);
  EXPECT_EQ(label->insets, (UIEdgeInsets{1, 2, 3, 4}));
  EXPECT_EQ(label->preferredSize, (CGSize{30, 20}));
  EXPECT_EQ(label->anchor, (CGPoint{5, 6}));
  EXPECT_EQ(label->frame(), CGRect(10, 20, 300, 40));
  EXPECT_EQ(label->layer()->cornerRadius(), 8);
  EXPECT_EQ(label->layer()->borderWidth(), 1.5);
  ASSERT_TRUE(label->layer()->borderColor());
  EXPECT_EQ(*label->layer()->borderColor(), CGColor::rgb(0, 0, 0, 1));
}

TEST(UINib, ReadsFontsByNameColoursByNameAndNullReferences) {
  auto label = first<TestLabel>(load(R"({"objects": [{"class": "TestLabel", "properties": {
      "font": {"name": "HelveticaNeue-Bold", "size": 14}, "textColor": "systemBlue",
      "image": null, "backgroundColor": {"red": 1, "green": 0, "blue": 0, "alpha": 0.5}}}]})"));
  ASSERT_TRUE(label);
  EXPECT_EQ(label->font->pointSize(), 14);
  EXPECT_TRUE(label->font->isBold());
  EXPECT_TRUE(equalColors(label->textColor, UIColor::systemBlue()));
  EXPECT_FALSE(label->image);
  EXPECT_EQ(label->backgroundColor()->cgColor(), CGColor::rgb(1, 0, 0, 0.5));
}

TEST(UINib, RefusesValuesOfTheWrongShapeNamingTheKey) {
  struct Case {
    const char* property;
    const char* expected;
  };
  const Case cases[] = {
      {R"("text": 3)", "bad value for \"text\": expected a string"},
      {R"("numberOfLines": 1.5)", "bad value for \"numberOfLines\": expected an integer in range"},
      {R"("numberOfLines": "two")", "bad value for \"numberOfLines\": expected a number"},
      {R"("textAlignment": "justified")",
       "bad value for \"textAlignment\": expected one of left, center, right"},
      {R"("maximumCount": -1)", "bad value for \"maximumCount\": expected an integer in range"},
      {R"("highlighted": 1)", "bad value for \"highlighted\": expected true or false"},
      {R"("textColor": "#12345")", "bad value for \"textColor\": expected a colour"},
      {R"("textColor": "#GG0000")", "bad value for \"textColor\": expected a colour"},
      {R"("font": {"system": 0})", "bad value for \"font\": a system font needs a positive size"},
      {R"("font": {"system": 12, "weight": "loud"})", "bad value for \"font\": unknown font weight \"loud\""},
      {R"("font": {"name": "NoSuchFont", "size": 12})",
       "bad value for \"font\": unknown font name \"NoSuchFont\""},
      {R"("image": "missing")",
       "bad value for \"image\": no image named \"missing\" in bundle \"Halvet.NibTests.Memory\""},
      {R"("frame": [1, 2, 3])", "bad value for \"frame\": expected a rectangle [x, y, width, height]"},
      {R"("insets": {"top": 1})", "bad value for \"insets\": expected insets [top, left, bottom, right]"},
      {R"("anchor": ["a", 1])", "bad value for \"anchor\": expected a point [x, y]"},
      {R"("contentMode": "sideways")", "bad value for \"contentMode\": expected one of scaleToFill"},
      {R"("layer": 1)", "key \"layer\" is read-only"},
      {R"("layer.shape": 1)", "unknown key \"shape\" for class CALayer"},
      {R"("text.length": 1)", "key \"text\" of \"text.length\" does not lead to an object"},
  };
  for (const auto& c : cases) {
    std::string json =
        std::string(R"({"objects": [{"class": "TestLabel", "properties": {)") + c.property + "}}]}";
    std::string message = loadError(json);
    EXPECT_NE(message.find(c.expected), std::string::npos) << message;
    EXPECT_EQ(message.rfind("Test.nib.json:1: objects[0]: ", 0), 0u) << message;
  }
}

TEST(UINib, AddsSubviewsInOrderAndTurnsOffFrameTranslationBelowTheTop) {
  auto result = load(R"({"objects": [
      {"class": "UIView", "id": "root", "subviews": [
        {"class": "UIView", "properties": {"tag": 1}, "subviews": [{"class": "UIView", "properties": {"tag": 3}}]},
        {"class": "TestLabel", "properties": {"tag": 2}, "translatesAutoresizingMaskIntoConstraints": true}]},
      {"class": "UIView", "properties": {"tag": 9}}]})");
  ASSERT_TRUE(result) << result.error->message();
  ASSERT_EQ(result.objects.size(), 2u);
  auto root = std::dynamic_pointer_cast<UIView>(result.objects[0]);
  EXPECT_EQ(std::dynamic_pointer_cast<UIView>(result.objects[1])->tag, 9);
  ASSERT_EQ(root->subviews().size(), 2u);
  EXPECT_EQ(root->subviews()[0]->tag, 1);
  EXPECT_EQ(root->subviews()[1]->tag, 2);
  EXPECT_EQ(root->subviews()[0]->subviews()[0]->tag, 3);
  EXPECT_TRUE(root->translatesAutoresizingMaskIntoConstraints());
  EXPECT_FALSE(root->subviews()[0]->translatesAutoresizingMaskIntoConstraints());
  EXPECT_FALSE(root->subviews()[0]->subviews()[0]->translatesAutoresizingMaskIntoConstraints());
  EXPECT_TRUE(root->subviews()[1]->translatesAutoresizingMaskIntoConstraints());
}

TEST(UINib, ConstraintsLayTheViewsOutAndNamedOnesReachTheOwner) {
  auto owner = std::make_shared<TestOwner>();
  auto result = load(R"({"owner": {"class": "TestOwner", "outlets": {"card": "card"}},
    "objects": [{"class": "UIView", "id": "card", "properties": {"frame": [0, 0, 375, 200]},
      "subviews": [
        {"class": "UIView", "id": "icon"},
        {"class": "TestLabel", "id": "title"},
        {"class": "UIView", "id": "body"}],
      "constraints": [
        "icon.leading == superview.leading + 16", "icon.top == superview.top + 12",
        "icon.width == 40", "icon.height == icon.width * 0.5",
        "title.leading == icon.trailing + 8", "title.trailing == superview.trailing - 16",
        "title.top == icon.top", "title.height >= 10", "title.height == 20 @750",
        "body.leading == superview.margins.leading", "body.trailing == superview.margins.trailing",
        "body.top == title.bottom + 4", "superview.bottom == body.bottom + 3 @999 as cstBottomMain"]}]})",
                     owner);
  ASSERT_TRUE(result) << result.error->message();
  auto card = owner->card;
  ASSERT_TRUE(card);
  card->layoutIfNeeded();
  auto icon = card->subviews()[0], title = card->subviews()[1], body = card->subviews()[2];
  EXPECT_EQ(icon->frame(), CGRect(16, 12, 40, 20));
  EXPECT_EQ(title->frame(), CGRect(64, 12, 295, 20));
  EXPECT_EQ(body->frame(), CGRect(8, 36, 359, 161));
  ASSERT_TRUE(owner->cstBottomMain);
  EXPECT_EQ(owner->cstBottomMain->identifier, "cstBottomMain");
  EXPECT_EQ(owner->cstBottomMain->priority(), 999);
  owner->cstBottomMain->setConstant(13);
  card->layoutIfNeeded();
  EXPECT_EQ(body->frame().size.height, 151);
}

TEST(UINib, SafeAreaGuideAndSelfNameTheirViews) {
  auto root = first<UIView>(load(R"({"objects": [{"class": "UIView", "id": "root",
      "properties": {"frame": [0, 0, 100, 100]},
      "subviews": [{"class": "UIView", "id": "bar",
                    "constraints": ["self.width == 30", "self.height == 10"]}],
      "constraints": ["bar.top == superview.safeArea.top", "bar.leading == self.leading + 5"]}]})"));
  ASSERT_TRUE(root);
  auto bar = root->subviews()[0];
  EXPECT_EQ(bar->constraints().size(), 2u);
  EXPECT_EQ(root->constraints()[0]->secondItem(), root->safeAreaLayoutGuide());
  root->layoutIfNeeded();
  EXPECT_EQ(bar->frame(), CGRect(5, 0, 30, 10));
}

TEST(UINib, OutletsConnectToTheOwnerAndToObjectsAndNameTheirViews) {
  auto owner = std::make_shared<TestOwner>();
  auto result = load(R"({"owner": {"outlets": {"card": "card", "title": "title"}},
    "objects": [{"class": "UIView", "id": "card", "subviews": [
      {"class": "TestLabel", "id": "title", "outlets": {"peer": "badge"}},
      {"class": "UIView", "id": "badge", "properties": {"accessibilityIdentifier": "customBadge"}},
      {"class": "TestLabel", "id": "other", "properties": {"accessibilityIdentifier": ""}, "outlets": {"peer": "badge"}}]}]})",
                     owner);
  ASSERT_TRUE(result) << result.error->message();
  ASSERT_TRUE(owner->card);
  EXPECT_EQ(owner->card, result.objects[0]);
  ASSERT_TRUE(owner->title);
  EXPECT_EQ(owner->title, owner->card->subviews()[0]);
  EXPECT_EQ(owner->title->peer, owner->card->subviews()[1]);
  EXPECT_EQ(owner->card->accessibilityIdentifier, "card");
  EXPECT_EQ(owner->title->accessibilityIdentifier, "title");
  // Identifiers the file sets, even empty ones, are kept.
  EXPECT_EQ(owner->card->subviews()[1]->accessibilityIdentifier, "customBadge");
  EXPECT_EQ(owner->card->subviews()[2]->accessibilityIdentifier, "");
}

TEST(UINib, WithoutAnOwnerOwnerOutletsAndActionsAreSkipped) {
  auto button = first<TestButton>(load(R"({"owner": {"outlets": {"card": "card"}},
    "objects": [{"class": "TestButton", "id": "card", "outlets": {},
                 "actions": [{"event": "touchUpInside", "selector": "didTap:"}]}]})"));
  EXPECT_TRUE(button->actions(nullptr, UIControl::touchUpInside).empty());
}

TEST(UINib, ActionsReachTheirTargetsThroughSendActions) {
  auto owner = std::make_shared<TestOwner>();
  auto result = load(R"({"objects": [
      {"class": "TestButton", "id": "pay", "actions": [{"event": "touchUpInside", "selector": "didTap:"}]},
      {"class": "TestButton", "id": "other",
       "actions": [{"event": ["valueChanged", "editingChanged"], "selector": "didTap:", "target": "helper"}]},
      {"class": "TestOwner", "id": "helper"}]})",
                     owner);
  ASSERT_TRUE(result) << result.error->message();
  auto pay = std::dynamic_pointer_cast<TestButton>(result.objects[0]);
  auto other = std::dynamic_pointer_cast<TestButton>(result.objects[1]);
  auto helper = std::dynamic_pointer_cast<TestOwner>(result.objects[2]);
  pay->sendActions(UIControl::touchDown);
  EXPECT_TRUE(owner->taps.empty());
  pay->sendActions(UIControl::touchUpInside);
  ASSERT_EQ(owner->taps.size(), 1u);
  EXPECT_EQ(owner->taps[0], pay);
  other->sendActions(UIControl::editingChanged);
  other->sendActions(UIControl::valueChanged);
  EXPECT_EQ(helper->taps.size(), 2u);
  EXPECT_EQ(owner->taps.size(), 1u);
}

TEST(UINib, AwakeFromNibRunsOnceForEveryObjectAfterAllConnections) {
  nibtest::journal().clear();
  auto owner = std::make_shared<TestOwner>();
  auto result = load(R"({"owner": {"outlets": {"title": "title"}},
    "objects": [
      {"class": "TestLabel", "id": "title", "outlets": {"peer": "late"},
       "subviews": [{"class": "TestButton", "id": "inner"}]},
      {"class": "TestLabel", "id": "late", "outlets": {"peer": "title"}}]})",
                     owner);
  ASSERT_TRUE(result) << result.error->message();
  // Every object awakes once, parents first, and each already sees its outlets (even one to an object
  // made after it) and the owner's.
  EXPECT_EQ(nibtest::journal(),
            (std::vector<std::string>{"awake title peer", "awake button ", "awake peer peer"}));
  EXPECT_EQ(owner->title->awakeCount, 1);
  owner->title->peer.reset();  // the two labels hold each other
}

TEST(UINib, ExternalObjectsCanBeReferencedById) {
  auto shared = UIView::create();
  NibOptions options;
  options.externalObjects["shared"] = shared;
  auto label = first<TestLabel>(
      load(R"({"objects": [{"class": "TestLabel", "outlets": {"peer": "shared"}}]})", nullptr, options));
  ASSERT_TRUE(label);
  EXPECT_EQ(label->peer, shared);
}

TEST(UINib, RefusesBrokenFilesWithMessagesNamingTheFileAndPlace) {
  struct Case {
    std::string json;
    std::string expected;
  };
  const Case cases[] = {
      {R"({"objects": [{"class": "UILabelX"}]})", "Test.nib.json:1: objects[0]: unknown class \"UILabelX\""},
      {R"({"objects": [{"class": "UIView", "properties": {"colour": 1}}]})",
       "Test.nib.json:1: objects[0]: unknown key \"colour\" for class UIView"},
      {R"({"objects": [{"class": "UIView", "id": "a"}, {"class": "UIView", "id": "a"}]})",
       "objects[1] (a): duplicate id \"a\""},
      {R"({"objects": [{"class": "UIView", "id": "owner"}]})",
       "\"owner\" is a reserved name and cannot be an id"},
      {R"({"objects": [{"class": "TestLabel", "outlets": {"peer": "nobody"}}]})",
       "objects[0]: outlet \"peer\" refers to unknown id \"nobody\""},
      {R"({"objects": [{"class": "TestLabel", "id": "x", "outlets": {"friend": "x"}}]})",
       "Test.nib.json:1: objects[0] (x): missing outlet \"friend\": TestLabel has no such key"},
      {R"({"objects": [{"class": "TestLabel", "id": "x", "outlets": {"font": "x"}}]})",
       "objects[0] (x): outlet \"font\" of TestLabel cannot hold a TestLabel"},
      {R"({"objects": [{"class": "UIView", "subviews": ["child"]}]})",
       "objects[0].subviews[0]: a subview must be an object written in place (references are not allowed)"},
      {R"({"objects": [{"class": "UIView", "subviews": [{"class": "TestOwner"}]}]})",
       "objects[0].subviews[0]: a subview must be a view"},
      {R"({"objects": [{"class": "TestOwner", "subviews": []}]})",
       "objects[0]: \"subviews\" needs a view, and TestOwner is not one"},
      {R"({"objects": [{"class": "UIView", "colour": 1}]})", "objects[0]: unknown field \"colour\""},
      {R"({"objects": [{"class": "UIView", "actions": []}]})",
       "only controls have actions, and UIView is not one"},
      {R"({"objects": [{"class": "TestButton", "actions": [{"event": "tap", "selector": "didTap:"}]}]})",
       "objects[0].actions[0]: unknown control event \"tap\""},
      {R"({"objects": [{"class": "TestButton", "actions": [{"event": "touchDown", "selector": "fly:", "target": "me"}]},
                       {"class": "TestOwner", "id": "me"}]})",
       "objects[0].actions[0]: TestOwner has no method \"fly:\""},
      {R"({"objects": [{"class": "UIView", "id": "v", "constraints": ["v.width == ghost.width"]}]})",
       "objects[0] (v).constraints[0]: bad constraint \"v.width == ghost.width\": unknown id \"ghost\""},
      {R"({"objects": [{"class": "UIView", "id": "v", "constraints": ["v.leading == superview.leading"]}]})",
       "bad constraint \"v.leading == superview.leading\": \"v\" has no superview"},
      {R"({"objects": [{"class": "UIView", "id": "a"}, {"class": "UIView", "id": "b",
                        "constraints": ["a.width == b.width"]}]})",
       "bad constraint \"a.width == b.width\": its items are not in one view tree"},
      {R"({"objects": [{"class": "TestOwner", "id": "o"}, {"class": "UIView", "constraints": ["o.width == 3"]}]})",
       "bad constraint \"o.width == 3\": \"o\" is not a view"},
      {R"({"objects": [{"class": "UIView"}], "extra": 1})", "Test.nib.json:1: unknown field \"extra\""},
      {R"({"objects": {}})", "Test.nib.json: a nib needs an \"objects\" array"},
      {R"([1, 2])", "Test.nib.json:1: the file must hold a JSON object"},
      {R"({"objects": [{"id": "x"}]})", "objects[0]: an object needs a \"class\" name"},
  };
  for (const auto& c : cases) {
    std::string message = loadError(c.json);
    EXPECT_NE(message.find(c.expected), std::string::npos)
        << "got: " << message << "\nwanted: " << c.expected;
  }
}

TEST(UINib, BadConstraintsAndMalformedJSONPointAtTheirLine) {
  std::string message = loadError(
      "{\n"
      "  \"objects\": [{\"class\": \"UIView\", \"id\": \"v\",\n"
      "    \"subviews\": [{\"class\": \"UIView\", \"id\": \"w\"}],\n"
      "    \"constraints\": [\n"
      "      \"w.width == 10\",\n"
      "      \"w.top == superview.top +\"\n"
      "    ]}]\n"
      "}\n");
  EXPECT_EQ(message,
            "Test.nib.json:6: objects[0] (v).constraints[1]: bad constraint \"w.top == superview.top +\" at "
            "column 25: expected a constant");

  std::string malformed = loadError("{\n  \"objects\": [\n    {\"class\": \"UIView\",}\n  ]\n}\n");
  EXPECT_EQ(malformed.rfind("Test.nib.json:3: malformed JSON: ", 0), 0u) << malformed;
  EXPECT_EQ(loadError(R"({"objects": [], "a": 1e400})"),
            "Test.nib.json: malformed JSON: number overflow parsing '1e400'");
}

TEST(UINib, RefusesOversizedAndDeeplyNestedFiles) {
  std::string big = R"({"objects": [], "format": ")" + std::string(NibDocument::maximumSize, 'x') + "\"}";
  EXPECT_NE(loadError(big).find("an interface file may have"), std::string::npos);

  std::string deep = R"({"objects": [)";
  for (int i = 0; i <= NibBuilder::maximumDepth + 1; ++i) deep += R"({"class": "UIView", "subviews": [)";
  for (int i = 0; i <= NibBuilder::maximumDepth + 1; ++i) deep += "]}";
  deep += "]}";
  EXPECT_NE(loadError(deep).find("views nest deeper than 64"), std::string::npos);
}

TEST(UINib, AFailedLoadLeavesTheOwnerAsItWas) {
  auto owner = std::make_shared<TestOwner>();
  auto previous = UIView::create();
  owner->card = previous;
  std::string message = loadError(R"({"owner": {"outlets": {"card": "card", "title": "card"}},
    "objects": [{"class": "UIView", "id": "card"}]})",
                                  owner);
  EXPECT_NE(message.find("outlet \"title\" of TestOwner cannot hold a UIView"), std::string::npos) << message;
  EXPECT_EQ(owner->card, previous);
  EXPECT_FALSE(owner->title);

  message = loadError(R"({"owner": {"class": "TestLabel"}, "objects": []})", owner);
  EXPECT_NE(message.find("the owner must be a TestLabel"), std::string::npos) << message;
  EXPECT_EQ(
      loadError(
          R"({"owner": {"outlets": {"lblAmount": "card"}}, "objects": [{"class": "UIView", "id": "card"}]})",
          owner),
      "Test.nib.json:1: owner.outlets: missing outlet \"lblAmount\": TestOwner has no such key");
}

TEST(UINib, NibsAreFoundInTheBundleAskedForAndNullMeansTheMainBundle) {
  const char* json = R"({"objects": [{"class": "UIView", "properties": {"tag": 7}}]})";
  auto framework = nibtest::bundleWith({{"Cell.nib.json", json}}, "Halvet.NibTests.Framework");
  Bundle::setMainBundle(nibtest::bundleWith({{"MainOnly.nib.json", json}}, "Halvet.NibTests.Main"));

  EXPECT_FALSE(UINib::create("Cell"));
  EXPECT_FALSE(UINib::create("Cell", nullptr));
  auto found = UINib::create("Cell", framework);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->bundle(), framework);
  EXPECT_TRUE(UINib::create("MainOnly"));
  EXPECT_FALSE(UINib::create("MainOnly", framework));

  auto fromMain = loadNibNamed(nullptr, "MainOnly", nullptr);
  ASSERT_TRUE(fromMain);
  EXPECT_EQ(std::dynamic_pointer_cast<UIView>(fromMain.objects[0])->tag, 7);
  auto missing = loadNibNamed(nullptr, "Cell", nullptr);
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error->message(), "Cell: no nib named \"Cell\" in bundle \"Halvet.NibTests.Main\"");

  // Each instantiation makes new objects.
  auto again = found->instantiate(nullptr);
  EXPECT_NE(found->instantiate(nullptr).objects[0], again.objects[0]);
  Bundle::setMainBundle(nullptr);
}

// Files are parsed once per content: a file of the same name with other contents, in another
// bundle or given as data, loads what it says, and a broken text that is fixed loads too.
TEST(UINib, AFileWithTheSameNameButOtherContentsLoadsWhatItSays) {
  auto nibWithTag = [](int tag) {
    return R"({"objects": [{"class": "UIView", "properties": {"tag": )" + std::to_string(tag) + "}}]}";
  };
  auto tagOf = [](const std::shared_ptr<UINib>& nib) {
    auto loaded = nib->instantiate(nullptr);
    EXPECT_TRUE(loaded) << (loaded.error ? loaded.error->message() : "");
    return loaded ? std::dynamic_pointer_cast<UIView>(loaded.objects.at(0))->tag : -1;
  };
  struct Case {
    const char* what;
    std::function<std::shared_ptr<UINib>(int)> nib;
  };
  const std::vector<Case> cases = {
      {"bundles", [&](int tag) {
         return UINib::create("Row", nibtest::bundleWith({{"Row.nib.json", nibWithTag(tag)}},
                                                         "Halvet.NibTests.Row" + std::to_string(tag)));
       }},
      {"data", [&](int tag) { return UINib::fromData("Row", nibWithTag(tag)); }},
  };
  for (const auto& c : cases) {
    for (int tag : {7, 8, 7}) {
      auto nib = c.nib(tag);
      ASSERT_TRUE(nib) << c.what;
      EXPECT_EQ(tagOf(nib), tag) << c.what;
    }
  }
  EXPECT_FALSE(UINib::fromData("Fixed", R"({"objects": [)")->instantiate(nullptr));
  EXPECT_EQ(tagOf(UINib::fromData("Fixed", nibWithTag(9))), 9);
}

// Each constraint text is read once for every file that repeats it: texts that differ only in a
// number, a relation or a priority still lay the view out by what they say, however often loaded.
TEST(UINib, ConstraintTextsThatDifferInANumberLayOutByTheirOwn) {
  struct Case {
    const char* height;  // the constraint on the box's height
    CGFloat expected;
  };
  const std::vector<Case> cases = {
      {"box.height == 30", 30},        {"box.height == 31", 31},       {"box.height == box.width * 2", 20},
      {"box.height >= 50 @999", 50},   {"box.height == 30", 30},       {"box.height == 12 as h", 12},
  };
  for (int round = 0; round < 2; ++round) {
    for (const auto& c : cases) {
      auto root = first<UIView>(load(std::string(R"({"objects": [{"class": "UIView",
        "properties": {"frame": [0, 0, 100, 100]}, "subviews": [{"class": "UIView", "id": "box"}],
        "constraints": ["box.top == superview.top", "box.leading == superview.leading",
                        "box.width == 10", "box.height <= 40 @500", ")") +
                                             c.height + "\"]}]}"));
      ASSERT_TRUE(root) << c.height;
      root->layoutIfNeeded();
      EXPECT_EQ(root->subviews().at(0)->frame().height(), c.expected) << c.height;
    }
  }
}

TEST(UINib, ControllerWithANibNameLoadsItsViewWithItselfAsOwner) {
  auto bundle = nibtest::bundleWith(
      {{"Pay.nib.json", R"({
      "owner": {"class": "TestController", "outlets": {"view": "root", "titleLabel": "title"}},
      "objects": [{"class": "UIView", "id": "root", "subviews": [
        {"class": "TestButton", "id": "pay", "actions": [{"event": "touchUpInside", "selector": "didTap:"}]},
        {"class": "TestLabel", "id": "title"}]}]})"},
       {"Plain.nib.json", R"({"objects": [{"class": "UIView", "properties": {"tag": 5}}]})"},
       {"Broken.nib.json", R"({"objects": [{"class": "Nope"}]})"}});
  auto controller = std::make_shared<nibtest::TestController>("Pay", bundle);
  controller->input = "set before the view loads";
  const auto& view = controller->view();
  ASSERT_EQ(view->subviews().size(), 2u);
  EXPECT_EQ(controller->titleLabel, view->subviews()[1]);
  EXPECT_EQ(controller->viewDidLoadCount, 1);
  EXPECT_TRUE(controller->outletAtLoad);
  EXPECT_EQ(controller->inputAtLoad, "set before the view loads");
  EXPECT_EQ(controller->awakeCount, 0);  // the owner is not one of the nib's objects
  std::dynamic_pointer_cast<TestButton>(view->subviews()[0])->sendActions(UIControl::touchUpInside);
  EXPECT_EQ(controller->taps.size(), 1u);

  // Without a "view" outlet the first top-level view is the view.
  auto plain = std::make_shared<nibtest::TestController>("Plain", bundle);
  EXPECT_EQ(plain->view()->tag, 5);
  // A nib that is missing or broken leaves the plain view, and a broken one says why.
  ConsoleCapture capture;
  auto broken = std::make_shared<nibtest::TestController>("Broken", bundle);
  EXPECT_TRUE(broken->view());
  EXPECT_TRUE(broken->view()->subviews().empty());
  ASSERT_EQ(capture.logMessages().size(), 1u);
  EXPECT_EQ(capture.logMessages()[0],
            "Nib load error: Broken.nib.json:1: objects[0]: unknown class \"Nope\"");
  auto missing = std::make_shared<nibtest::TestController>("Missing", bundle);
  EXPECT_TRUE(missing->view());
}

}  // namespace
