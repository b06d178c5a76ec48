#include <UIKit/Nib/NibBuilder.h>

#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/Nib/NibConstraintParser.h>
#include <UIKit/Nib/NibValueConverter.h>
#include <UIKit/UIControl.h>
#include <UIKit/UILayoutGuide.h>
#include <UIKit/UIView.h>
#include <UIKit/UIViewController.h>

#include <algorithm>
#include <array>
#include <map>
#include <mutex>
#include <set>
#include <unordered_map>

namespace ios {

namespace {

constexpr std::array kObjectFields{"class",          "id",
                                   "properties",     "subviews",
                                   "constraints",    "outlets",
                                   "actions",        "translatesAutoresizingMaskIntoConstraints",
                                   "contentHugging", "compressionResistance"};
constexpr std::array kControllerFields{"class", "properties", "view", "outlets"};
constexpr std::array kReservedIds{"owner", "self", "superview", "safeArea", "margins"};

using ParsedConstraint = std::variant<NibConstraintDescription, NibConstraintSyntaxError>;

// Cells load their interface file for every cell made, with the same constraint texts each time:
// each text is read once.
ParsedConstraint parsedConstraint(const std::string& text) {
  static std::mutex mutex;
  static std::unordered_map<std::string, ParsedConstraint> parsed;
  constexpr std::size_t kLimit = 4096;
  std::lock_guard lock(mutex);
  if (auto found = parsed.find(text); found != parsed.end()) return found->second;
  if (parsed.size() >= kLimit) parsed.clear();
  return parsed.emplace(text, NibConstraintParser::parse(text)).first->second;
}

std::string registeredName(const NSObject& object) {
  if (const ClassInfo* info = ClassRegistry::shared().infoFor(object)) return info->name;
  return object.className();
}

std::optional<unsigned> eventNamed(std::string_view name) {
  static const std::map<std::string_view, unsigned> events{
      {"touchDown", UIControl::touchDown},
      {"touchDownRepeat", UIControl::touchDownRepeat},
      {"touchDragInside", UIControl::touchDragInside},
      {"touchDragOutside", UIControl::touchDragOutside},
      {"touchDragEnter", UIControl::touchDragEnter},
      {"touchDragExit", UIControl::touchDragExit},
      {"touchUpInside", UIControl::touchUpInside},
      {"touchUpOutside", UIControl::touchUpOutside},
      {"touchCancel", UIControl::touchCancel},
      {"valueChanged", UIControl::valueChanged},
      {"primaryActionTriggered", UIControl::primaryActionTriggered},
      {"editingDidBegin", UIControl::editingDidBegin},
      {"editingChanged", UIControl::editingChanged},
      {"editingDidEnd", UIControl::editingDidEnd},
      {"editingDidEndOnExit", UIControl::editingDidEndOnExit},
      {"allTouchEvents", UIControl::allTouchEvents},
      {"allEditingEvents", UIControl::allEditingEvents},
      {"allEvents", UIControl::allEvents}};
  auto found = events.find(name);
  if (found == events.end()) return std::nullopt;
  return found->second;
}

bool contains(const UIView& ancestor, const UIView& view) {
  return &view == &ancestor || view.isDescendant(ancestor);
}

const UIView* rootOf(const UIView& view) {
  const UIView* top = &view;
  while (auto parent = top->superview()) top = parent.get();
  return top;
}

}  // namespace

NibBuilder::NibBuilder(std::shared_ptr<const NibDocument> document, std::shared_ptr<Bundle> bundle,
                       std::shared_ptr<NSObject> owner, const NibOptions& options)
    : document_(std::move(document)), bundle_(std::move(bundle)), owner_(std::move(owner)) {
  for (const auto& [id, object] : options.externalObjects) ids_[id] = object;
  if (owner_) ids_["owner"] = owner_;
}

bool NibBuilder::fail(const std::string& path, const std::string& problem, const NibJSON* at) {
  if (!error_) {
    error_ = NibError{document_->file(), document_->lineOf(at), path, problem};
  }
  return false;
}

std::vector<std::shared_ptr<NSObject>> NibBuilder::objects() const {
  std::vector<std::shared_ptr<NSObject>> all;
  for (const auto& node : nodes_) all.push_back(node.object);
  return all;
}

std::shared_ptr<NSObject> NibBuilder::build(const NibJSON& decl, const std::string& path, bool topLevel) {
  if (error_) return nullptr;
  auto object = make(decl, path, 0, topLevel);
  return error_ ? nullptr : object;
}

bool NibBuilder::checkFields(const NibJSON& decl, const std::string& path, bool controller) {
  for (const auto& [field, value] : decl.items()) {
    bool known =
        controller
            ? std::find(kControllerFields.begin(), kControllerFields.end(), field) != kControllerFields.end()
            : std::find(kObjectFields.begin(), kObjectFields.end(), field) != kObjectFields.end();
    if (!known) return fail(path, "unknown field \"" + field + "\"", &value);
  }
  if (!decl.contains("class") || !decl["class"].is_string())
    return fail(path, "an object needs a \"class\" name", &decl);
  return true;
}

bool NibBuilder::registerId(const std::string& id, std::shared_ptr<NSObject> object, const std::string& path,
                            const NibJSON* at) {
  if (id.empty()) return fail(path, "an id must not be empty", at);
  if (std::find(kReservedIds.begin(), kReservedIds.end(), id) != kReservedIds.end()) {
    return fail(path, "\"" + id + "\" is a reserved name and cannot be an id", at);
  }
  if (!ids_.emplace(id, std::move(object)).second) return fail(path, "duplicate id \"" + id + "\"", at);
  return true;
}

std::shared_ptr<NSObject> NibBuilder::buildController(const NibJSON& decl, const std::string& path) {
  if (error_) return nullptr;
  if (!decl.is_object()) return fail(path, "a scene must be a JSON object", &decl), nullptr;
  if (!checkFields(decl, path, true)) return nullptr;
  const auto& className = decl["class"].get_ref<const std::string&>();
  if (!ClassRegistry::shared().isSubclass(className, "UIViewController")) {
    if (!ClassRegistry::shared().find(className))
      return fail(path, "unknown class \"" + className + "\"", &decl["class"]), nullptr;
    return fail(path, "a scene's class must be a view controller, not " + className, &decl["class"]), nullptr;
  }
  auto object = ClassRegistry::shared().makeObject(className);
  if (!object)
    return fail(path, "class \"" + className + "\" cannot be made by name", &decl["class"]), nullptr;
  nodes_.push_back({object, &decl, path});
  if (decl.contains("properties") && !setProperties(*object, decl["properties"], path)) return nullptr;
  return object;
}

std::shared_ptr<NSObject> NibBuilder::make(const NibJSON& decl, const std::string& path, int depth,
                                           bool topLevel) {
  if (depth > maximumDepth)
    return fail(path, "views nest deeper than " + std::to_string(maximumDepth), &decl), nullptr;
  if (nodes_.size() >= maximumObjects) {
    return fail(path, "more than " + std::to_string(maximumObjects) + " objects", &decl), nullptr;
  }
  if (!decl.is_object()) return fail(path, "an object must be a JSON object", &decl), nullptr;
  if (!checkFields(decl, path, false)) return nullptr;
  const auto& className = decl["class"].get_ref<const std::string&>();
  if (!ClassRegistry::shared().find(className))
    return fail(path, "unknown class \"" + className + "\"", &decl["class"]), nullptr;
  auto object = ClassRegistry::shared().makeObject(className);
  if (!object)
    return fail(path, "class \"" + className + "\" cannot be made by name", &decl["class"]), nullptr;

  std::string label = path;
  if (decl.contains("id")) {
    if (!decl["id"].is_string()) return fail(path, "an id must be a string", &decl["id"]), nullptr;
    const auto& id = decl["id"].get_ref<const std::string&>();
    label += " (" + id + ")";
    if (!registerId(id, object, label, &decl["id"])) return nullptr;
  }
  nodes_.push_back({object, &decl, label});

  auto view = std::dynamic_pointer_cast<UIView>(object);
  bool translates = topLevel;
  if (decl.contains("translatesAutoresizingMaskIntoConstraints")) {
    const auto& flag = decl["translatesAutoresizingMaskIntoConstraints"];
    if (!flag.is_boolean())
      return fail(label, "translatesAutoresizingMaskIntoConstraints must be true or false", &flag), nullptr;
    translates = flag.get<bool>();
  }
  for (const char* field : {"subviews", "constraints", "contentHugging", "compressionResistance",
                            "translatesAutoresizingMaskIntoConstraints"}) {
    if (!view && decl.contains(field)) {
      return fail(label, std::string("\"") + field + "\" needs a view, and " + className + " is not one",
                  &decl[field]),
             nullptr;
    }
  }
  if (view) view->setTranslatesAutoresizingMaskIntoConstraints(translates);
  if (decl.contains("properties") && !setProperties(*object, decl["properties"], label)) return nullptr;
  if (view && !applyPriorities(*view, decl, label)) return nullptr;

  if (decl.contains("subviews")) {
    const auto& subviews = decl["subviews"];
    if (!subviews.is_array())
      return fail(label, "\"subviews\" must be an array of objects", &subviews), nullptr;
    for (std::size_t i = 0; i < subviews.size(); ++i) {
      std::string childPath = path + ".subviews[" + std::to_string(i) + "]";
      if (!subviews[i].is_object()) {
        return fail(childPath, "a subview must be an object written in place (references are not allowed)",
                    &subviews[i]),
               nullptr;
      }
      auto child = make(subviews[i], childPath, depth + 1, false);
      if (!child) return nullptr;
      auto childView = std::dynamic_pointer_cast<UIView>(child);
      if (!childView) return fail(childPath, "a subview must be a view", &subviews[i]), nullptr;
      view->addSubview(childView);
    }
  }
  return object;
}

bool NibBuilder::setProperties(NSObject& object, const NibJSON& properties, const std::string& path) {
  if (!properties.is_object())
    return fail(path, "\"properties\" must be an object of key: value", &properties);
  for (const auto& [key, value] : properties.items()) {
    if (!setProperty(object, key, value, path)) return false;
  }
  return true;
}

bool NibBuilder::setProperty(NSObject& object, const std::string& keyPath, const NibJSON& value,
                             const std::string& path) {
  NSObject* target = &object;
  std::shared_ptr<NSObject> hold;
  std::string_view rest = keyPath;
  while (true) {
    auto dot = rest.find('.');
    std::string key(rest.substr(0, dot));
    if (key.empty()) return fail(path, "bad key path \"" + keyPath + "\"", &value);
    auto& registry = ClassRegistry::shared();
    const PropertyAccessor* accessor = registry.findProperty(registry.infoFor(*target), key);
    if (!accessor) {
      return fail(path, "unknown key \"" + key + "\" for class " + registeredName(*target), &value);
    }
    if (dot == std::string_view::npos) {
      if (!accessor->set) return fail(path, "key \"" + keyPath + "\" is read-only", &value);
      NibValueConverter::Context context{*target, key, bundle_};
      auto converted = NibValueConverter::convert(value, accessor->type, context);
      if (auto* problem = std::get_if<std::string>(&converted)) {
        return fail(path, "bad value for \"" + keyPath + "\": " + *problem, &value);
      }
      if (!target->setValue(std::get<std::any>(converted), key)) {
        return fail(path, "key \"" + keyPath + "\" refused the value", &value);
      }
      return true;
    }
    std::any next = target->value(key);
    auto* reference = std::any_cast<std::shared_ptr<NSObject>>(&next);
    if (!reference || !*reference) {
      return fail(path, "key \"" + key + "\" of \"" + keyPath + "\" does not lead to an object", &value);
    }
    hold = *reference;
    target = hold.get();
    rest = rest.substr(dot + 1);
  }
}

bool NibBuilder::applyPriorities(UIView& view, const NibJSON& decl, const std::string& path) {
  for (const char* field : {"contentHugging", "compressionResistance"}) {
    if (!decl.contains(field)) continue;
    const auto& entry = decl[field];
    if (!entry.is_object())
      return fail(path, std::string("\"") + field + "\" must be {\"horizontal\": p, \"vertical\": p}",
                  &entry);
    for (const auto& [axisName, value] : entry.items()) {
      UILayoutConstraintAxis axis;
      if (axisName == "horizontal") {
        axis = UILayoutConstraintAxis::horizontal;
      } else if (axisName == "vertical") {
        axis = UILayoutConstraintAxis::vertical;
      } else {
        return fail(path, std::string("\"") + field + "\" has no axis \"" + axisName + "\"", &value);
      }
      if (!value.is_number() || value.get<double>() < 1 || value.get<double>() > 1000) {
        return fail(path, std::string("\"") + field + "\" priorities are numbers 1...1000", &value);
      }
      auto priority = static_cast<UILayoutPriority>(value.get<double>());
      if (std::string_view(field) == "contentHugging") {
        view.setContentHuggingPriority(priority, axis);
      } else {
        view.setContentCompressionResistancePriority(priority, axis);
      }
    }
  }
  return true;
}

bool NibBuilder::addConstraints(const Node& node) {
  const auto& decl = *node.decl;
  if (!decl.contains("constraints")) return true;
  const auto& list = decl["constraints"];
  if (!list.is_array()) return fail(node.path, "\"constraints\" must be an array of expressions", &list);
  auto& holder = dynamic_cast<UIView&>(*node.object);
  for (std::size_t i = 0; i < list.size(); ++i) {
    std::string path = node.path + ".constraints[" + std::to_string(i) + "]";
    if (!list[i].is_string()) return fail(path, "a constraint must be an expression string", &list[i]);
    if (!addConstraint(holder, list[i], path)) return false;
  }
  return true;
}

bool NibBuilder::addConstraint(UIView& holder, const NibJSON& expression, const std::string& path) {
  const auto& text = expression.get_ref<const std::string&>();
  auto parsed = parsedConstraint(text);
  if (auto* syntax = std::get_if<NibConstraintSyntaxError>(&parsed)) {
    return fail(path,
                "bad constraint \"" + text + "\" at column " + std::to_string(syntax->column) + ": " +
                    syntax->message,
                &expression);
  }
  const auto& description = std::get<NibConstraintDescription>(parsed);
  auto bad = [&](const std::string& problem) {
    return fail(path, "bad constraint \"" + text + "\": " + problem, &expression);
  };

  // The views the two terms name, before guides; `superview` is the superview of the other view.
  auto named = [&](const NibConstraintTerm& term) -> std::shared_ptr<UIView> {
    if (term.item == "self") return std::static_pointer_cast<UIView>(holder.shared_from_this());
    auto found = ids_.find(term.item);
    if (found == ids_.end()) return bad("unknown id \"" + term.item + "\""), nullptr;
    auto view = std::dynamic_pointer_cast<UIView>(found->second);
    if (!view) return bad("\"" + term.item + "\" is not a view"), nullptr;
    return view;
  };
  const bool firstIsSuper = description.first.item == "superview";
  const bool secondIsSuper = description.second && description.second->item == "superview";
  if (firstIsSuper && (!description.second || secondIsSuper)) {
    return bad("\"superview\" needs another item to be the superview of");
  }
  std::shared_ptr<UIView> firstView = firstIsSuper ? nullptr : named(description.first);
  if (!firstIsSuper && !firstView) return false;
  std::shared_ptr<UIView> secondView;
  if (description.second && !secondIsSuper) {
    secondView = named(*description.second);
    if (!secondView) return false;
  }
  if (firstIsSuper) {
    firstView = secondView->superview();
    if (!firstView) return bad("\"" + description.second->item + "\" has no superview");
  }
  if (secondIsSuper) {
    secondView = firstView->superview();
    if (!secondView) return bad("\"" + description.first.item + "\" has no superview");
  }

  auto item = [](const std::shared_ptr<UIView>& view,
                 NibConstraintTerm::Guide guide) -> std::shared_ptr<NSObject> {
    switch (guide) {
      case NibConstraintTerm::Guide::safeArea:
        return view->safeAreaLayoutGuide();
      case NibConstraintTerm::Guide::margins:
        return view->layoutMarginsGuide();
      case NibConstraintTerm::Guide::none:
        break;
    }
    return view;
  };
  auto constraint = NSLayoutConstraint::create(
      item(firstView, description.first.guide), description.first.attribute, description.relation,
      secondView ? item(secondView, description.second->guide) : nullptr,
      description.second ? description.second->attribute : NSLayoutAttribute::notAnAttribute,
      description.multiplier, description.constant);
  constraint->setPriority(description.priority);
  constraint->identifier = description.name;

  if (secondView && rootOf(*firstView) != rootOf(*secondView))
    return bad("its items are not in one view tree");
  if (contains(holder, *firstView) && (!secondView || contains(holder, *secondView))) {
    holder.addConstraint(constraint);
  } else {
    constraint->setActive(true);
  }
  if (!description.name.empty()) {
    if (!registerId(description.name, constraint, path, &expression)) return false;
    namedConstraints_.emplace_back(description.name, constraint);
  }
  return true;
}

bool NibBuilder::collectOutlets(const std::shared_ptr<NSObject>& target, const NibJSON& outlets,
                                const std::string& path, std::vector<Connection>& into) {
  if (!outlets.is_object()) return fail(path, "\"outlets\" must be an object of outlet: id", &outlets);
  for (const auto& [key, id] : outlets.items()) {
    if (!id.is_string()) return fail(path, "outlet \"" + key + "\" must name an id", &id);
    const auto& name = id.get_ref<const std::string&>();
    if (name == "owner" && !owner_) continue;  // no owner given: nothing to connect to
    auto found = ids_.find(name);
    if (found == ids_.end())
      return fail(path, "outlet \"" + key + "\" refers to unknown id \"" + name + "\"", &id);
    if (!target) continue;
    bool isControllerView = key == "view" && dynamic_cast<UIViewController*>(target.get());
    if (!isControllerView) {
      auto& registry = ClassRegistry::shared();
      const PropertyAccessor* accessor = registry.findProperty(registry.infoFor(*target), key);
      if (!accessor) {
        return fail(path, "missing outlet \"" + key + "\": " + registeredName(*target) + " has no such key",
                    &id);
      }
      if (!accessor->set)
        return fail(path, "outlet \"" + key + "\" of " + registeredName(*target) + " is read-only", &id);
    }
    into.push_back({target, key, found->second, path, &id});
  }
  return true;
}

bool NibBuilder::setOutlet(const Connection& connection) {
  auto* controller = dynamic_cast<UIViewController*>(connection.target.get());
  auto view = std::dynamic_pointer_cast<UIView>(connection.value);
  if (controller && connection.key == "view") {
    if (!view) return fail(connection.path, "outlet \"view\" must be a view", connection.at);
    controller->setView(view);
  } else if (!connection.target->setValue(std::any(connection.value), connection.key)) {
    return fail(connection.path,
                "outlet \"" + connection.key + "\" of " + registeredName(*connection.target) +
                    " cannot hold a " + registeredName(*connection.value),
                connection.at);
  }
  return true;
}

void NibBuilder::nameOutletViews(const std::vector<Connection>& connections) {
  for (const auto& connection : connections) {
    auto view = std::dynamic_pointer_cast<UIView>(connection.value);
    if (!view || !view->accessibilityIdentifier.empty()) continue;
    if (connection.key == "view" && dynamic_cast<UIViewController*>(connection.target.get())) continue;
    bool setByFile = std::any_of(nodes_.begin(), nodes_.end(), [&](const Node& node) {
      return node.object == view && node.decl->contains("properties") &&
             (*node.decl)["properties"].is_object() &&
             (*node.decl)["properties"].contains("accessibilityIdentifier");
    });
    if (!setByFile) view->accessibilityIdentifier = connection.key;
  }
}

bool NibBuilder::addActions(const Node& node) {
  const auto& decl = *node.decl;
  if (!decl.contains("actions")) return true;
  const auto& actions = decl["actions"];
  auto control = std::dynamic_pointer_cast<UIControl>(node.object);
  if (!control)
    return fail(node.path, "only controls have actions, and " + registeredName(*node.object) + " is not one",
                &actions);
  if (!actions.is_array()) return fail(node.path, "\"actions\" must be an array", &actions);
  for (std::size_t i = 0; i < actions.size(); ++i) {
    std::string path = node.path + ".actions[" + std::to_string(i) + "]";
    const auto& action = actions[i];
    if (!action.is_object() || !action.contains("event") || !action.contains("selector") ||
        !action["selector"].is_string() || (action.contains("target") && !action["target"].is_string()) ||
        action.size() > (action.contains("target") ? 3u : 2u)) {
      return fail(path, "an action is {\"event\": name, \"selector\": name, \"target\": id}", &action);
    }
    unsigned events = 0;
    const auto& event = action["event"];
    std::vector<NibJSON> names =
        event.is_array() ? std::vector<NibJSON>(event.begin(), event.end()) : std::vector<NibJSON>{event};
    for (const auto& name : names) {
      auto bits = name.is_string() ? eventNamed(name.get<std::string>()) : std::nullopt;
      if (!bits) return fail(path, "unknown control event " + name.dump(), &action);
      events |= *bits;
    }
    const auto& selector = action["selector"].get_ref<const std::string&>();
    std::string targetId = action.contains("target") ? action["target"].get<std::string>() : "owner";
    if (targetId == "owner" && !owner_) continue;
    auto found = ids_.find(targetId);
    if (found == ids_.end()) return fail(path, "action target \"" + targetId + "\" is not an id", &action);
    if (!found->second->respondsTo(selector)) {
      return fail(path, registeredName(*found->second) + " has no method \"" + selector + "\"", &action);
    }
    control->addTarget(std::weak_ptr<NSObject>(found->second), selector, events);
  }
  return true;
}

void NibBuilder::awake() {
  for (const auto& node : nodes_) {
    if (auto* view = dynamic_cast<UIView*>(node.object.get())) {
      view->awakeFromNib();
    } else if (auto* controller = dynamic_cast<UIViewController*>(node.object.get())) {
      controller->awakeFromNib();
    } else if (node.object->respondsTo("awakeFromNib")) {
      node.object->perform("awakeFromNib");
    }
  }
}

bool NibBuilder::connect(const NibJSON* ownerOutlets, const std::string& ownerOutletsPath) {
  if (error_) return false;
  for (const auto& node : nodes_) {
    if (dynamic_cast<UIView*>(node.object.get()) && !addConstraints(node)) return false;
  }
  std::vector<Connection> inner;
  for (const auto& node : nodes_) {
    if (node.decl->contains("outlets") && !dynamic_cast<UIViewController*>(node.object.get()) &&
        !collectOutlets(node.object, (*node.decl)["outlets"], node.path, inner)) {
      return false;
    }
  }
  std::vector<Connection> toOwner;
  if (ownerOutlets && !collectOutlets(owner_, *ownerOutlets, ownerOutletsPath, toOwner)) return false;
  if (owner_) {
    std::set<std::string> explicitKeys;
    for (const auto& connection : toOwner) explicitKeys.insert(connection.key);
    for (const auto& [name, constraint] : namedConstraints_) {
      if (!explicitKeys.count(name) && owner_->typeOfKey(name)) {
        toOwner.push_back({owner_, name, constraint, ownerOutletsPath, nullptr});
      }
    }
  }
  for (const auto& node : nodes_) {
    if (!addActions(node)) return false;
  }
  for (const auto& connection : inner) {
    if (!setOutlet(connection)) return false;
  }
  // The owner outlives a failed load: put back what was changed on it.
  std::vector<std::pair<std::string, std::any>> previous;
  auto* controller = dynamic_cast<UIViewController*>(owner_.get());
  const bool hadView = controller && controller->isViewLoaded();
  for (const auto& connection : toOwner) {
    if (connection.key != "view" || !controller)
      previous.emplace_back(connection.key, owner_->value(connection.key));
    if (!setOutlet(connection)) {
      for (const auto& [key, value] : previous) owner_->setValue(value, key);
      if (controller && !hadView) controller->setView(nullptr);
      return false;
    }
  }
  // The owner's outlet names come first: they are the names screens are known by.
  nameOutletViews(toOwner);
  nameOutletViews(inner);
  awake();
  return true;
}

}  // namespace ios
