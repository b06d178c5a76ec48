#pragma once

#include <Foundation/Bundle.h>
#include <Foundation/NSObject.h>
#include <UIKit/Nib/NibDocument.h>
#include <UIKit/Nib/NibError.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ios {

class UIViewController;

// A controller made from a storyboard scene, or why it could not be made.
struct StoryboardInstantiation {
  std::shared_ptr<UIViewController> controller;
  std::optional<NibError> error;
  explicit operator bool() const { return controller != nullptr; }
};

// A storyboard: the file "<name>.storyboard.json" of a bundle, holding scenes by identifier
// (docs/INTERFACE_FILES.md).
//
// Instantiating a scene makes only its controller (class and properties) and sends it
// `awakeFromNib`. The scene's view, its constraints, outlets and actions are made when the
// controller's view loads, with the controller as owner, so that values a caller sets right after
// instantiating are in place in `viewDidLoad`.
class UIStoryboard : public NSObject {
  struct Passkey {};

 public:
  static constexpr std::string_view fileExtension = "storyboard.json";

  // `UIStoryboard(name:bundle:)`; a null bundle means the main bundle. Null when the bundle has no
  // such file. A malformed file still makes a storyboard whose every instantiation fails.
  static std::shared_ptr<UIStoryboard> create(std::string_view name,
                                              std::shared_ptr<Bundle> bundle = nullptr);
  static std::shared_ptr<UIStoryboard> fromData(std::string name, std::string_view bytes,
                                                std::shared_ptr<Bundle> bundle = nullptr);

  // `instantiateViewController(withIdentifier:)`: null, with the error logged, when the identifier is
  // unknown or the scene cannot be made.
  std::shared_ptr<UIViewController> instantiateViewController(std::string_view identifier) const;
  // The scene named by "initialViewController", or null (logged).
  std::shared_ptr<UIViewController> instantiateInitialViewController() const;
  // As `instantiateViewController`, with the error given back instead of logged.
  StoryboardInstantiation instantiate(std::string_view identifier) const;

  // The scene identifiers in file order; empty for a malformed file.
  std::vector<std::string> identifiers() const;
  // The file's error, when the file itself is unusable.
  std::optional<NibError> documentError() const;
  const std::string& name() const { return name_; }

  // Loads the scene view of a controller this storyboard class made: builds the view, connects the
  // scene's outlets to the controller and sets it as the controller's view, without `viewDidLoad`
  // (the controller's own view loading calls this through the nib view loader). nullopt on success;
  // an error when the view cannot be made or `controller` came from no scene.
  static std::optional<NibError> loadSceneView(UIViewController& controller);
  // Whether `controller` came from a scene and its view has not been made yet.
  static bool hasPendingScene(const UIViewController& controller);

  UIStoryboard(Passkey, std::string name, std::shared_ptr<Bundle> bundle,
               std::variant<std::shared_ptr<const NibDocument>, NibError> document);

 private:
  std::optional<NibError> checkStructure() const;

  std::string name_;
  std::shared_ptr<Bundle> bundle_;
  std::variant<std::shared_ptr<const NibDocument>, NibError> document_;
};

}  // namespace ios
