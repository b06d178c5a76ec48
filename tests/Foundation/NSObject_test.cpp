#include <Foundation/NSObject.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kerbelin_test {

using ios::NSObject;

// Small classes standing in for views and screens.
class Shape : public NSObject {
 public:
  int sides = 0;
  bool filled = false;
  std::string name;
  std::weak_ptr<NSObject> outlet;
  std::shared_ptr<Shape> child;

  double area() const { return area_; }
  void setArea(double area) {
    willChangeValue("area");
    area_ = area;
    didChangeValue("area");
  }
  std::string kind() const { return "shape"; }
  const std::string& title() const { return title_; }
  Shape& setTitle(const std::string& title) {
    title_ = title + "!";
    return *this;
  }

  void didTap(std::shared_ptr<NSObject> sender) { taps.push_back(sender); }
  std::vector<std::shared_ptr<NSObject>> taps;

 private:
  double area_ = 0;
  std::string title_;
};

class Square : public Shape {
 public:
  float side = 0;
  long long serial = 0;
  void refreshData() { ++refreshes; }
  void didPick(std::shared_ptr<Square> sender) { picked.push_back(sender); }
  int refreshes = 0;
  std::vector<std::shared_ptr<Square>> picked;
};

// Not registered: behaves as its nearest registered ancestor.
class TinySquare : public Square {};

class AbstractThing : public NSObject {
 public:
  virtual void draw() = 0;
};

class Made : public NSObject {
 public:
  static std::shared_ptr<Made> create() {
    auto made = std::make_shared<Made>();
    made->viaCreate = true;
    return made;
  }
  bool viaCreate = false;
};

const auto shapeRegistration = ios::ClassRegistration<Shape>()
                                   .property("sides", &Shape::sides)
                                   .property("filled", &Shape::filled)
                                   .property("name", &Shape::name)
                                   .property("outlet", &Shape::outlet)
                                   .property("child", &Shape::child)
                                   .property("area", &Shape::area, &Shape::setArea)
                                   .property("kind", &Shape::kind)
                                   .property("title", &Shape::title, &Shape::setTitle)
                                   .method("didTap:", &Shape::didTap);
const auto squareRegistration =
    ios::ClassRegistration<Square, Shape>()
        .property("side", &Square::side)
        .property("serial", &Square::serial)
        .method("refreshData", &Square::refreshData)
        .method("didPick:", &Square::didPick)
        .method("shout", [](Square& square) { square.name = "!"; })
        .method("pickInLambda:",
                [](Square& square, std::shared_ptr<Square> sender) { square.picked.push_back(sender); });
const auto abstractRegistration = ios::ClassRegistration<AbstractThing>("AbstractThing");
const auto madeRegistration = ios::ClassRegistration<Made>();

TEST(NSObjectIdentity, ClassNameIsTheUnqualifiedDynamicName) {
  std::shared_ptr<NSObject> square = std::make_shared<Square>();
  EXPECT_EQ(square->className(), "Square");
  EXPECT_EQ(NSObject::className<Shape>(), "Shape");
  EXPECT_EQ(std::make_shared<TinySquare>()->className(), "TinySquare");
  EXPECT_EQ(std::make_shared<NSObject>()->className(), "NSObject");
}

TEST(NSObjectIdentity, TypedSelfPointersShareOwnershipAndWeakOnesExpireWithTheObject) {
  auto tiny = std::make_shared<TinySquare>();
  NSObject& object = *tiny;
  const NSObject& constant = *tiny;
  EXPECT_EQ(object.sharedAs<Square>().get(), tiny.get());
  EXPECT_EQ(object.sharedAs<Shape>().get(), tiny.get());
  EXPECT_EQ(constant.sharedAs<TinySquare>().get(), tiny.get());
  {
    // Counted before the typed pointer exists: the order in which the operands of one expression
    // are evaluated is the compiler's choice.
    const long owners = tiny.use_count();
    const std::shared_ptr<Square> typed = object.sharedAs<Square>();
    EXPECT_EQ(typed.use_count(), owners + 1);
  }
  std::weak_ptr<Square> weak = object.weakAs<Square>();
  std::weak_ptr<const Shape> constWeak = constant.weakAs<Shape>();
  EXPECT_EQ(weak.lock().get(), tiny.get());
  tiny.reset();
  EXPECT_TRUE(weak.expired());
  EXPECT_TRUE(constWeak.expired());
}

TEST(NSObjectIdentity, ATypedSelfPointerToAnotherClassStopsWithBothNames) {
  auto shape = std::make_shared<Shape>();
  EXPECT_DEATH(shape->sharedAs<Square>(), "a Shape is not a Square");
  EXPECT_DEATH(std::as_const(*shape).weakAs<Made>(), "a Shape is not a Made");
}

TEST(NSObjectIdentity, KindAndMemberFollowTheRegisteredChain) {
  auto square = std::make_shared<Square>();
  EXPECT_TRUE(square->isKindOf("Square"));
  EXPECT_TRUE(square->isKindOf("Shape"));
  EXPECT_TRUE(square->isKindOf("NSObject"));
  EXPECT_TRUE(square->isMemberOf("Square"));
  EXPECT_FALSE(square->isMemberOf("Shape"));
  EXPECT_FALSE(std::make_shared<Shape>()->isKindOf("Square"));
  EXPECT_FALSE(square->isKindOf("NoSuchClass"));

  auto tiny = std::make_shared<TinySquare>();
  EXPECT_TRUE(tiny->isKindOf("Square"));
  EXPECT_FALSE(tiny->isMemberOf("Square"));
}

TEST(NSObjectIdentity, MakeObjectByName) {
  auto made = ios::makeObject("Square");
  EXPECT_TRUE(std::dynamic_pointer_cast<Square>(made));
  EXPECT_TRUE(ios::makeObject<Made>("Made")->viaCreate);
  EXPECT_FALSE(ios::makeObject("AbstractThing"));
  EXPECT_FALSE(ios::makeObject("NoSuchClass"));
  EXPECT_FALSE(ios::makeObject<Shape>("Made"));
}

TEST(KeyValueCoding, SetsAndReadsDeclaredTypes) {
  auto square = std::make_shared<Square>();
  EXPECT_TRUE(square->setValue(5, "sides"));
  EXPECT_TRUE(square->setValue(std::string("box"), "name"));
  EXPECT_TRUE(square->setValue(2.5f, "side"));
  EXPECT_TRUE(square->setValue("Card", "title"));  // through a setter taking const std::string&
  EXPECT_EQ(square->title(), "Card!");
  EXPECT_EQ(square->name, "box");
  EXPECT_FLOAT_EQ(square->side, 2.5f);
  EXPECT_EQ(std::any_cast<int>(square->value("sides")), 5);
  EXPECT_EQ(std::any_cast<std::string>(square->value("kind")), "shape");
  EXPECT_EQ(square->typeOfKey("side"), std::type_index(typeid(float)));
  EXPECT_FALSE(square->value("nothing").has_value());
  EXPECT_FALSE(square->typeOfKey("nothing"));
}

TEST(KeyValueCoding, WidensNumbersOnlyWithoutLoss) {
  auto square = std::make_shared<Square>();
  EXPECT_TRUE(square->setValue(3, "area"));  // int into double
  EXPECT_DOUBLE_EQ(square->area(), 3.0);
  EXPECT_TRUE(square->setValue(4.0, "sides"));  // integral double into int
  EXPECT_EQ(square->sides, 4);
  EXPECT_FALSE(square->setValue(4.5, "sides"));
  EXPECT_FALSE(square->setValue(1e12, "sides"));  // out of int's range
  EXPECT_EQ(square->sides, 4);
  EXPECT_TRUE(square->setValue(std::int64_t{1} << 40, "serial"));
  EXPECT_EQ(square->serial, std::int64_t{1} << 40);
  EXPECT_TRUE(square->setValue(1, "filled"));
  EXPECT_TRUE(square->filled);
  EXPECT_FALSE(square->setValue(2, "filled"));
  EXPECT_TRUE(square->setValue(true, "sides"));
  EXPECT_EQ(square->sides, 1);
  EXPECT_TRUE(square->setValue(7u, "area"));
  EXPECT_DOUBLE_EQ(square->area(), 7.0);
}

TEST(KeyValueCoding, RefusesUnknownReadOnlyAndMistypedKeysWithoutChange) {
  auto square = std::make_shared<Square>();
  square->name = "kept";
  EXPECT_FALSE(square->setValue(1, "noSuchKey"));
  EXPECT_FALSE(square->setValue(std::string("x"), "kind"));  // getter only
  EXPECT_FALSE(square->setValue(std::string("7"), "sides"));
  EXPECT_FALSE(square->setValue(3, "name"));
  EXPECT_TRUE(square->setValue("literal", "name"));  // a C string is text
  EXPECT_EQ(square->name, "literal");
  EXPECT_EQ(square->sides, 0);
}

TEST(KeyValueCoding, ObjectReferencesFollowTheClassHierarchy) {
  auto square = std::make_shared<Square>();
  auto child = std::make_shared<Square>();
  EXPECT_TRUE(square->setValue(child, "child"));  // a Square where a Shape is declared
  EXPECT_EQ(square->child, child);
  EXPECT_FALSE(square->setValue(std::make_shared<NSObject>(), "child"));
  EXPECT_EQ(square->child, child);
  EXPECT_TRUE(square->setValue(std::any(nullptr), "child"));
  EXPECT_EQ(square->child, nullptr);

  auto target = std::make_shared<NSObject>();
  EXPECT_TRUE(square->setValue(target, "outlet"));  // outlets are weak
  EXPECT_EQ(square->outlet.lock(), target);
  target.reset();
  EXPECT_TRUE(square->outlet.expired());
}

TEST(KeyValueCoding, InheritedKeysAreListedWithTheirTypes) {
  auto keys = ios::ClassRegistry::shared().properties("Square");
  std::map<std::string, std::pair<std::type_index, bool>> byKey;
  for (const auto& info : keys) byKey.emplace(info.key, std::make_pair(info.type, info.readOnly));
  EXPECT_EQ(byKey.at("side").first, std::type_index(typeid(float)));
  EXPECT_EQ(byKey.at("outlet").first, std::type_index(typeid(std::weak_ptr<NSObject>)));
  EXPECT_TRUE(byKey.at("kind").second);
  EXPECT_FALSE(byKey.at("area").second);
  EXPECT_EQ(keys.front().key, "area");  // the base class's keys come first

  auto tiny = std::make_shared<TinySquare>();
  EXPECT_TRUE(tiny->setValue(2, "side"));
  EXPECT_FLOAT_EQ(tiny->side, 2.0f);
}

TEST(KeyValueObserving, ObserversSeeOldAndNewValues) {
  auto square = std::make_shared<Square>();
  std::vector<std::pair<double, double>> changes;
  auto id = square->addObserver("area", [&](const ios::KeyValueChange& change) {
    changes.emplace_back(std::any_cast<double>(change.oldValue), std::any_cast<double>(change.newValue));
  });
  square->setArea(2);             // a setter that brackets its change itself
  square->setValue(5, "area");    // through key-value coding
  square->setValue(3, "sides");   // another key
  square->setValue("x", "area");  // refused: no notification
  EXPECT_THAT(changes, ::testing::ElementsAre(std::make_pair(0.0, 2.0), std::make_pair(2.0, 5.0)));
  square->removeObserver(id);
  square->setArea(9);
  EXPECT_EQ(changes.size(), 2u);
}

TEST(KeyValueObserving, RemovalInsideACallbackStopsLaterObservers) {
  auto square = std::make_shared<Square>();
  int firstCalls = 0;
  int secondCalls = 0;
  ios::KeyValueObserverId second = 0;
  auto first = square->addObserver("sides", [&](const ios::KeyValueChange&) {
    ++firstCalls;
    square->removeObserver(second);
  });
  second = square->addObserver("sides", [&](const ios::KeyValueChange&) { ++secondCalls; });
  square->setValue(1, "sides");
  square->setValue(2, "sides");
  EXPECT_EQ(firstCalls, 2);
  EXPECT_EQ(secondCalls, 0);
  square->removeObserver(first);
}

TEST(Selectors, RespondsToAndPerformWithSender) {
  auto square = std::make_shared<Square>();
  auto button = std::make_shared<NSObject>();
  EXPECT_TRUE(square->respondsTo("refreshData"));
  EXPECT_TRUE(square->respondsTo("didTap:"));  // inherited
  EXPECT_FALSE(square->respondsTo("didTap"));
  EXPECT_FALSE(std::make_shared<Shape>()->respondsTo("refreshData"));

  EXPECT_TRUE(square->perform("refreshData", button));
  EXPECT_TRUE(square->perform("didTap:", button));
  EXPECT_TRUE(square->perform("shout"));
  EXPECT_FALSE(square->perform("noSuchMethod:"));
  EXPECT_EQ(square->refreshes, 1);
  EXPECT_THAT(square->taps, ::testing::ElementsAre(button));
  EXPECT_EQ(square->name, "!");
}

TEST(Selectors, ATypedSenderOfAnotherClassArrivesAsNull) {
  auto square = std::make_shared<Square>();
  auto other = std::make_shared<Square>();
  square->perform("didPick:", other);
  square->perform("didPick:", std::make_shared<Shape>());
  square->perform("pickInLambda:", other);
  square->perform("pickInLambda:", std::make_shared<NSObject>());
  EXPECT_THAT(square->picked, ::testing::ElementsAre(other, nullptr, other, nullptr));
}

const char kGestureKey = 0;
const char kHandlerKey = 0;

TEST(AssociatedObjects, AssignNeverDanglesAndRetainLastsAsLongAsTheOwner) {
  auto owner = std::make_shared<Shape>();
  auto assigned = std::make_shared<Square>();
  owner->setAssociatedObject(&kGestureKey, assigned, ios::AssociationPolicy::assign);
  EXPECT_EQ(std::any_cast<std::shared_ptr<Square>>(owner->associatedObject(&kGestureKey)), assigned);
  std::weak_ptr<Square> weakAssigned = assigned;
  assigned.reset();
  EXPECT_TRUE(weakAssigned.expired());  // assign did not retain it
  EXPECT_EQ(std::any_cast<std::shared_ptr<Square>>(owner->associatedObject(&kGestureKey)), nullptr);

  auto retained = std::make_shared<Square>();
  std::weak_ptr<Square> weakRetained = retained;
  owner->setAssociatedObject(&kGestureKey, std::move(retained), ios::AssociationPolicy::retainNonatomic);
  EXPECT_FALSE(weakRetained.expired());
  owner.reset();
  EXPECT_TRUE(weakRetained.expired());
}

TEST(AssociatedObjects, CopyStoresValuesAndReplacingReleasesTheOld) {
  auto owner = std::make_shared<Shape>();
  int calls = 0;
  std::function<void()> handler = [&] { ++calls; };
  owner->setAssociatedObject(&kHandlerKey, std::any(handler), ios::AssociationPolicy::copyNonatomic);
  handler = nullptr;
  std::any_cast<std::function<void()>>(owner->associatedObject(&kHandlerKey))();
  EXPECT_EQ(calls, 1);

  auto first = std::make_shared<Square>();
  std::weak_ptr<Square> weakFirst = first;
  owner->setAssociatedObject(&kGestureKey, std::move(first), ios::AssociationPolicy::retain);
  owner->setAssociatedObject(&kGestureKey, std::make_shared<Square>(), ios::AssociationPolicy::retain);
  EXPECT_TRUE(weakFirst.expired());
  owner->setAssociatedObject(&kGestureKey, std::any(), ios::AssociationPolicy::retain);
  EXPECT_FALSE(owner->associatedObject(&kGestureKey).has_value());
  EXPECT_TRUE(owner->associatedObject(&kHandlerKey).has_value());
}

}  // namespace kerbelin_test
