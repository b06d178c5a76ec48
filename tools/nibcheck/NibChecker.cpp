#include "NibChecker.h"

#include "PermissiveOwner.h"

#include <Foundation/Console.h>
#include <UIKit/Nib/NibConstraintParser.h>
#include <UIKit/Nib/NibDocument.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/Nib/UIStoryboard.h>
#include <UIKit/UIView.h>
#include <UIKit/UIViewController.h>

#include <functional>

namespace kerbelin::nibcheck {

namespace {

std::string stripExtension(const std::string& resource, std::string_view extension) {
  return resource.substr(0, resource.size() - extension.size() - 1);
}

// The outlet names and action selectors a nib aims at its owner, so the stand-in can accept them.
void ownerNeeds(const ios::NibJSON& root, std::vector<std::string>& keys,
                std::vector<std::string>& selectors) {
  if (root.contains("owner") && root["owner"].is_object() && root["owner"].contains("outlets") &&
      root["owner"]["outlets"].is_object()) {
    for (const auto& [key, id] : root["owner"]["outlets"].items()) keys.push_back(key);
  }
  std::function<void(const ios::NibJSON&)> visit = [&](const ios::NibJSON& object) {
    if (!object.is_object()) return;
    if (object.contains("actions") && object["actions"].is_array()) {
      for (const auto& action : object["actions"]) {
        if (!action.is_object() || !action.contains("selector") || !action["selector"].is_string()) continue;
        bool toOwner = !action.contains("target") || action["target"] == "owner";
        if (toOwner) selectors.push_back(action["selector"].get<std::string>());
      }
    }
    if (object.contains("subviews") && object["subviews"].is_array()) {
      for (const auto& child : object["subviews"]) visit(child);
    }
  };
  if (root.contains("objects") && root["objects"].is_array()) {
    for (const auto& object : root["objects"]) visit(object);
  }
}

std::string describe(const ios::UIView& view) {
  std::string name = view.className();
  if (!view.accessibilityIdentifier.empty()) name += " \"" + view.accessibilityIdentifier + "\"";
  return name;
}

// Visits every view below `view` with its path in the interface file ("objects[0].subviews[1]").
void forEachDescendant(const std::shared_ptr<ios::UIView>& view, const std::string& path,
                       const std::function<void(ios::UIView&, const std::string&)>& body) {
  const auto& subviews = view->subviews();
  for (std::size_t i = 0; i < subviews.size(); ++i) {
    std::string childPath = path + ".subviews[" + std::to_string(i) + "]";
    body(*subviews[i], childPath);
    forEachDescendant(subviews[i], childPath, body);
  }
}

}  // namespace

void NibChecker::run() {
  for (const auto& resource : bundle_->resourceNames(ios::UINib::fileExtension)) checkNib(resource);
  for (const auto& resource : bundle_->resourceNames(ios::UIStoryboard::fileExtension))
    checkStoryboard(resource);
}

void NibChecker::checkNib(const std::string& resource) {
  ++nibs_;
  auto bytes = bundle_->data(resource, "");
  auto nib =
      ios::UINib::fromData(stripExtension(resource, ios::UINib::fileExtension), bytes.value_or(""), bundle_);
  auto parsed = ios::NibDocument::parse(resource, bytes.value_or(""));
  if (auto* document = std::get_if<std::shared_ptr<const ios::NibDocument>>(&parsed)) {
    std::vector<std::string> keys, selectors;
    ownerNeeds((*document)->root(), keys, selectors);
    PermissiveOwner::accept(keys, selectors);
  }
  auto owner = PermissiveOwner::create();
  auto result = nib->instantiate(owner);
  if (!result) {
    report(result.error->message());
    return;
  }
  for (std::size_t i = 0; i < result.objects.size(); ++i) {
    if (auto view = std::dynamic_pointer_cast<ios::UIView>(result.objects[i])) {
      checkLayout(resource + ": objects[" + std::to_string(i) + "]", view, false);
    }
  }
}

void NibChecker::checkStoryboard(const std::string& resource) {
  auto bytes = bundle_->data(resource, "");
  auto storyboard = ios::UIStoryboard::fromData(stripExtension(resource, ios::UIStoryboard::fileExtension),
                                                bytes.value_or(""), bundle_);
  if (auto error = storyboard->documentError()) {
    report(error->message());
    return;
  }
  for (const auto& identifier : storyboard->identifiers()) {
    ++scenes_;
    auto made = storyboard->instantiate(identifier);
    if (!made) {
      report(made.error->message());
      continue;
    }
    // The view is loaded directly, without viewDidLoad: the check must not start the screen's work.
    if (auto error = ios::UIStoryboard::loadSceneView(*made.controller)) {
      report(error->message());
      continue;
    }
    checkLayout(resource + ": scenes." + identifier + ".view", made.controller->view(), true);
  }
}

void NibChecker::checkLayout(const std::string& where, const std::shared_ptr<ios::UIView>& view,
                             bool fullScreen) {
  ios::ConsoleCapture capture;
  double height = screenHeight;
  if (!fullScreen) {
    auto fitted = view->systemLayoutSizeFitting({screenWidth, 0}, ios::UILayoutPriorityRequired,
                                                ios::UILayoutPriorityFittingSizeLevel);
    height = fitted.height > 0 ? fitted.height
                               : (view->bounds().size.height > 0 ? view->bounds().size.height : screenHeight);
  }
  view->setFrame({0, 0, screenWidth, height});
  view->layoutIfNeeded();
  for (const auto& message : capture.logMessages()) {
    if (message.starts_with("Auto Layout:")) report(where + ": " + message);
  }
  forEachDescendant(view, where, [&](ios::UIView& descendant, const std::string& path) {
    if (descendant.hasAmbiguousLayout()) {
      report(path + ": ambiguous layout of " + describe(descendant) + " at a width of 375 points");
    }
  });
}

}  // namespace kerbelin::nibcheck
