#include <UIKit/Nib/UIStoryboard.h>

#include <Foundation/Console.h>
#include <UIKit/Nib/NibBuilder.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UIViewController.h>

namespace ios {

namespace {

// What a scene's controller keeps until its view is made.
struct PendingScene {
  std::shared_ptr<const NibDocument> document;
  std::shared_ptr<Bundle> bundle;
  std::string identifier;
};

const char kPendingSceneKey = 0;

std::shared_ptr<const PendingScene> pendingScene(const UIViewController& controller) {
  std::any stored = controller.associatedObject(&kPendingSceneKey);
  if (auto* scene = std::any_cast<std::shared_ptr<const PendingScene>>(&stored)) return *scene;
  return nullptr;
}

}  // namespace

UIStoryboard::UIStoryboard(Passkey, std::string name, std::shared_ptr<Bundle> bundle,
                           std::variant<std::shared_ptr<const NibDocument>, NibError> document)
    : name_(std::move(name)), bundle_(std::move(bundle)), document_(std::move(document)) {}

std::shared_ptr<UIStoryboard> UIStoryboard::create(std::string_view name, std::shared_ptr<Bundle> bundle) {
  if (!bundle) bundle = Bundle::main();
  if (!bundle || name.empty()) return nullptr;
  auto bytes = bundle->data(name, fileExtension);
  if (!bytes) return nullptr;
  return fromData(std::string(name), *bytes, std::move(bundle));
}

std::shared_ptr<UIStoryboard> UIStoryboard::fromData(std::string name, std::string_view bytes,
                                                     std::shared_ptr<Bundle> bundle) {
  if (!bundle) bundle = Bundle::main();
  auto document = NibDocument::parse(name + "." + std::string(fileExtension), bytes);
  return std::make_shared<UIStoryboard>(Passkey{}, std::move(name), std::move(bundle), std::move(document));
}

std::optional<NibError> UIStoryboard::checkStructure() const {
  if (auto* error = std::get_if<NibError>(&document_)) return *error;
  const auto& document = *std::get<std::shared_ptr<const NibDocument>>(document_);
  const NibJSON& root = document.root();
  for (const auto& [field, value] : root.items()) {
    if (field != "scenes" && field != "initialViewController" && field != "format") {
      return NibError{document.file(), document.lineOf(&value), "", "unknown field \"" + field + "\""};
    }
  }
  if (!root.contains("scenes") || !root["scenes"].is_object()) {
    return NibError{document.file(), 0, "", "a storyboard needs a \"scenes\" object"};
  }
  if (root.contains("initialViewController")) {
    const auto& initial = root["initialViewController"];
    if (!initial.is_string() || !root["scenes"].contains(initial.get<std::string>())) {
      return NibError{document.file(), document.lineOf(&root["initialViewController"]),
                      "initialViewController", "must name a scene"};
    }
  }
  return std::nullopt;
}

std::optional<NibError> UIStoryboard::documentError() const {
  return checkStructure();
}

std::vector<std::string> UIStoryboard::identifiers() const {
  std::vector<std::string> names;
  if (checkStructure()) return names;
  for (const auto& [identifier, scene] :
       std::get<std::shared_ptr<const NibDocument>>(document_)->root()["scenes"].items()) {
    names.push_back(identifier);
  }
  return names;
}

StoryboardInstantiation UIStoryboard::instantiate(std::string_view identifier) const {
  if (auto error = checkStructure()) return {nullptr, error};
  const auto& document = std::get<std::shared_ptr<const NibDocument>>(document_);
  const auto& scenes = document->root()["scenes"];
  auto found = scenes.find(std::string(identifier));
  if (found == scenes.end()) {
    return {nullptr, NibError{document->file(), 0, "",
                              "no scene with identifier \"" + std::string(identifier) + "\""}};
  }
  std::string path = "scenes." + std::string(identifier);
  NibBuilder builder(document, bundle_, nullptr);
  auto object = builder.buildController(*found, path);
  if (!object || !builder.connect(nullptr, path)) return {nullptr, builder.error()};
  auto controller = std::dynamic_pointer_cast<UIViewController>(object);
  auto scene = std::make_shared<const PendingScene>(PendingScene{document, bundle_, std::string(identifier)});
  controller->setAssociatedObject(&kPendingSceneKey, std::any(scene), AssociationPolicy::retain);
  return {controller, std::nullopt};
}

std::shared_ptr<UIViewController> UIStoryboard::instantiateViewController(std::string_view identifier) const {
  auto result = instantiate(identifier);
  if (!result) NSLog("UIStoryboard: " + result.error->message());
  return result.controller;
}

std::shared_ptr<UIViewController> UIStoryboard::instantiateInitialViewController() const {
  if (auto error = checkStructure()) {
    NSLog("UIStoryboard: " + error->message());
    return nullptr;
  }
  const auto& root = std::get<std::shared_ptr<const NibDocument>>(document_)->root();
  if (!root.contains("initialViewController")) {
    NSLog("UIStoryboard: " + name_ + " has no initial view controller");
    return nullptr;
  }
  return instantiateViewController(root["initialViewController"].get<std::string>());
}

bool UIStoryboard::hasPendingScene(const UIViewController& controller) {
  return pendingScene(controller) != nullptr;
}

std::optional<NibError> UIStoryboard::loadSceneView(UIViewController& controller) {
  auto scene = pendingScene(controller);
  if (!scene)
    return NibError{controller.className(), 0, "", "the controller was not made from a storyboard scene"};
  const auto& decl = scene->document->root()["scenes"][scene->identifier];
  std::string path = "scenes." + scene->identifier;
  auto owner = std::static_pointer_cast<NSObject>(controller.shared_from_this());
  NibBuilder builder(scene->document, scene->bundle, owner);
  std::shared_ptr<UIView> view;
  if (decl.contains("view")) {
    view = std::dynamic_pointer_cast<UIView>(builder.build(decl["view"], path + ".view"));
    if (!view) {
      if (builder.error()) return builder.error();
      return NibError{scene->document->file(), 0, path + ".view", "a scene's view must be a view"};
    }
  } else {
    view = UIView::create();
  }
  if (view->bounds().size.width == 0 && view->bounds().size.height == 0)
    view->setFrame(UIScreen::main()->bounds());
  const bool hadView = controller.isViewLoaded();
  if (!hadView) controller.setView(view);
  const NibJSON* outlets = decl.contains("outlets") ? &decl["outlets"] : nullptr;
  if (!builder.connect(outlets, path + ".outlets")) {
    if (!hadView) controller.setView(nullptr);
    return builder.error();
  }
  controller.setAssociatedObject(&kPendingSceneKey, std::any(), AssociationPolicy::retain);
  return std::nullopt;
}

}  // namespace ios
