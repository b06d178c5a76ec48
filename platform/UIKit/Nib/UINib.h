#pragma once

#include <Foundation/Bundle.h>
#include <Foundation/NSObject.h>
#include <UIKit/Nib/NibBuilder.h>
#include <UIKit/Nib/NibDocument.h>
#include <UIKit/Nib/NibError.h>

#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ios {

// A nib: the file "<name>.nib.json" of a bundle (docs/INTERFACE_FILES.md), read once and
// instantiated any number of times.
class UINib : public NSObject {
  struct Passkey {};

 public:
  static constexpr std::string_view fileExtension = "nib.json";

  // `UINib(nibName:bundle:)`; a null bundle means the main bundle. Null when the bundle has no
  // such file. A file that is not valid JSON still makes a nib, whose every instantiation fails.
  static std::shared_ptr<UINib> create(std::string_view name, std::shared_ptr<Bundle> bundle = nullptr);
  // A nib from bytes in memory; images it names are looked up in `bundle` (null: the main bundle).
  static std::shared_ptr<UINib> fromData(std::string name, std::string_view bytes,
                                         std::shared_ptr<Bundle> bundle = nullptr);

  // `instantiate(withOwner:options:)`: the top-level objects in file order, or an error and no
  // objects. The owner may be null: outlets and actions aimed at it are then skipped.
  NibInstantiation instantiate(const std::shared_ptr<NSObject>& owner, const NibOptions& options = {}) const;

  const std::string& name() const { return name_; }
  const std::shared_ptr<Bundle>& bundle() const { return bundle_; }

  UINib(Passkey, std::string name, std::shared_ptr<Bundle> bundle,
        std::variant<std::shared_ptr<const NibDocument>, NibError> document);

 private:
  std::string name_;
  std::shared_ptr<Bundle> bundle_;
  std::variant<std::shared_ptr<const NibDocument>, NibError> document_;
};

// `Bundle.loadNibNamed(_:owner:options:)` (Bundle lives below UIKit, so this is a free function): the
// top-level objects, or an error, also when the bundle has no such nib. A null bundle means the main one.
NibInstantiation loadNibNamed(const std::shared_ptr<Bundle>& bundle, std::string_view name,
                              const std::shared_ptr<NSObject>& owner, const NibOptions& options = {});

}  // namespace ios
