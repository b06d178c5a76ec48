#pragma once

#include <Foundation/Bundle.h>
#include <UIKit/Nib/NibDocument.h>
#include <UIKit/Nib/NibError.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ios {

class NSLayoutConstraint;
class UIView;

// What `UINib::instantiate` may be given besides the owner.
struct NibOptions {
  // Objects made elsewhere that the file refers to by id, as if it had made them.
  std::map<std::string, std::shared_ptr<NSObject>, std::less<>> externalObjects;
};

// Makes the objects one interface file describes, in the order the format fixes
// (docs/INTERFACE_FILES.md): every object with its properties and subviews, then the constraints,
// then outlets and actions, and last `awakeFromNib` on every object made. The first problem stops
// the build and is kept in `error()`; the caller then drops everything made.
//
// One builder serves one instantiation: `build` each top-level object, then `connect` once.
class NibBuilder {
 public:
  // A limit on how deep views nest and how many objects one file makes, so that a hostile file
  // fails instead of exhausting the stack or memory.
  static constexpr int maximumDepth = 64;
  static constexpr std::size_t maximumObjects = 20000;

  NibBuilder(std::shared_ptr<const NibDocument> document, std::shared_ptr<Bundle> bundle,
             std::shared_ptr<NSObject> owner, const NibOptions& options = {});

  // Makes the object `decl` describes with its properties and subviews (not yet connected). A
  // top-level view keeps translating its frame into constraints unless the file says otherwise;
  // nested views do not. Null on error.
  std::shared_ptr<NSObject> build(const NibJSON& decl, const std::string& path, bool topLevel = true);
  // A storyboard scene's controller: class and properties only; its view comes later.
  std::shared_ptr<NSObject> buildController(const NibJSON& decl, const std::string& path);

  // Adds the constraints, connects the outlets of every object and `ownerOutlets` (outlet name ->
  // id) to the owner, wires the actions and sends `awakeFromNib`. False on error; outlets already
  // set on the owner are put back as they were.
  bool connect(const NibJSON* ownerOutlets, const std::string& ownerOutletsPath);

  const std::optional<NibError>& error() const { return error_; }
  // Every object made, in the order made (parents before their subviews).
  std::vector<std::shared_ptr<NSObject>> objects() const;

 private:
  struct Node {
    std::shared_ptr<NSObject> object;
    const NibJSON* decl;
    std::string path;
  };
  struct Connection {
    std::shared_ptr<NSObject> target;
    std::string key;
    std::shared_ptr<NSObject> value;
    std::string path;
    const NibJSON* at;  // the outlet's entry in the file
  };

  bool fail(const std::string& path, const std::string& problem, const NibJSON* at = nullptr);
  std::shared_ptr<NSObject> make(const NibJSON& decl, const std::string& path, int depth, bool topLevel);
  bool checkFields(const NibJSON& decl, const std::string& path, bool controller);
  bool registerId(const std::string& id, std::shared_ptr<NSObject> object, const std::string& path,
                  const NibJSON* at);
  bool setProperties(NSObject& object, const NibJSON& properties, const std::string& path);
  bool setProperty(NSObject& object, const std::string& keyPath, const NibJSON& value,
                   const std::string& path);
  bool applyPriorities(UIView& view, const NibJSON& decl, const std::string& path);
  bool addConstraints(const Node& node);
  bool addConstraint(UIView& holder, const NibJSON& expression, const std::string& path);
  bool collectOutlets(const std::shared_ptr<NSObject>& target, const NibJSON& outlets,
                      const std::string& path, std::vector<Connection>& into);
  bool setOutlet(const Connection& connection);
  // Gives each outlet view without an accessibility identifier its outlet name, unless the file set one.
  void nameOutletViews(const std::vector<Connection>& connections);
  bool addActions(const Node& node);
  void awake();

  std::shared_ptr<const NibDocument> document_;
  std::shared_ptr<Bundle> bundle_;
  std::shared_ptr<NSObject> owner_;
  std::map<std::string, std::shared_ptr<NSObject>, std::less<>> ids_;
  std::vector<Node> nodes_;
  std::vector<std::pair<std::string, std::shared_ptr<NSLayoutConstraint>>> namedConstraints_;
  std::optional<NibError> error_;
};

}  // namespace ios
