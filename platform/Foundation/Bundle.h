#pragma once

#include <Foundation/NSObject.h>

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ios {

// A set of named resources: either a directory on disk or an in-memory map from resource name to
// bytes (how the SDK's framework bundle "Halvet.KerbelinSDK" ships, compiled into the library).
//
// A resource is found by "name.ext" (or by `name` alone when `ext` is empty): first as a path
// relative to the bundle's root ("Nibs/Cell.json" works), then by file name anywhere in the bundle.
// Names with ".." or a leading "/" find nothing.
//
// `main()` is the host's bundle (the simulator's resources, a test's directory or map), empty until a
// host or test sets it. `withIdentifier` finds bundles registered by identifier, the main one
// included. Bundles may be registered at static-initialisation time (see BundleRegistration).
class Bundle : public NSObject {
  struct Passkey {};

 public:
  using ResourceMap = std::map<std::string, std::string, std::less<>>;

  static std::shared_ptr<Bundle> create(std::string identifier, std::filesystem::path directory);
  static std::shared_ptr<Bundle> create(std::string identifier, ResourceMap resources);

  static std::shared_ptr<Bundle> main();
  // Null restores the empty main bundle.
  static void setMainBundle(std::shared_ptr<Bundle> bundle);
  // `Bundle(identifier:)`: null when no such bundle is registered.
  static std::shared_ptr<Bundle> withIdentifier(std::string_view identifier);
  // Registers `bundle` under its identifier, replacing an earlier one of the same identifier.
  static void registerBundle(std::shared_ptr<Bundle> bundle);

  const std::string bundleIdentifier;
  // The root directory of a directory bundle; nullopt for an in-memory bundle.
  std::optional<std::filesystem::path> bundlePath() const { return directory_; }

  // The file path of a resource. In-memory resources have none: use `data`.
  std::optional<std::string> path(std::string_view name, std::string_view ext) const;
  // A URL for a resource: "file:///..." for a directory bundle, "bundle://<identifier>/<name>" for an
  // in-memory one. `contentsOfURL` reads either kind.
  std::optional<std::string> urlForResource(std::string_view name, std::string_view ext) const;
  // The bytes of a resource.
  std::optional<std::string> data(std::string_view name, std::string_view ext) const;
  // The names (relative paths) of every resource, or only of those with extension `ext`, sorted.
  std::vector<std::string> resourceNames(std::string_view ext = {}) const;

  // Reads a "bundle://" URL of a registered bundle, a "file://" URL or a plain file path.
  static std::optional<std::string> contentsOfURL(std::string_view url);

  Bundle(Passkey, std::string identifier, std::optional<std::filesystem::path> directory,
         ResourceMap resources);

 private:
  // The relative name of the resource, or nullopt.
  std::optional<std::string> find(std::string_view name, std::string_view ext) const;
  const std::vector<std::string>& index() const;

  std::optional<std::filesystem::path> directory_;
  ResourceMap resources_;
  mutable std::mutex indexMutex_;
  mutable std::optional<std::vector<std::string>> index_;  // a directory's files, listed once on first use
};

// Registers an in-memory bundle at static-initialisation time:
//   const ios::BundleRegistration kResources("Halvet.KerbelinSDK", {{"MyCard.json", "..."}});
struct BundleRegistration {
  BundleRegistration(std::string identifier, Bundle::ResourceMap resources);
};

}  // namespace ios
