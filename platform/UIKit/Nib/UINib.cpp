#include <UIKit/Nib/UINib.h>

namespace ios {

UINib::UINib(Passkey, std::string name, std::shared_ptr<Bundle> bundle,
             std::variant<std::shared_ptr<const NibDocument>, NibError> document)
    : name_(std::move(name)), bundle_(std::move(bundle)), document_(std::move(document)) {}

std::shared_ptr<UINib> UINib::create(std::string_view name, std::shared_ptr<Bundle> bundle) {
  if (!bundle) bundle = Bundle::main();
  if (!bundle || name.empty()) return nullptr;
  auto bytes = bundle->data(name, fileExtension);
  if (!bytes) return nullptr;
  return fromData(std::string(name), *bytes, std::move(bundle));
}

std::shared_ptr<UINib> UINib::fromData(std::string name, std::string_view bytes,
                                       std::shared_ptr<Bundle> bundle) {
  if (!bundle) bundle = Bundle::main();
  auto document = NibDocument::parse(name + "." + std::string(fileExtension), bytes);
  return std::make_shared<UINib>(Passkey{}, std::move(name), std::move(bundle), std::move(document));
}

NibInstantiation UINib::instantiate(const std::shared_ptr<NSObject>& owner, const NibOptions& options) const {
  if (auto* error = std::get_if<NibError>(&document_)) return {{}, *error};
  const auto& document = std::get<std::shared_ptr<const NibDocument>>(document_);
  const NibJSON& root = document->root();
  NibBuilder builder(document, bundle_, owner, options);
  auto failure = [&]() -> NibInstantiation { return {{}, builder.error()}; };
  for (const auto& [field, value] : root.items()) {
    if (field != "objects" && field != "owner" && field != "format") {
      return {{},
              NibError{document->file(), document->lineOf(&value), "", "unknown field \"" + field + "\""}};
    }
  }
  if (!root.contains("objects") || !root["objects"].is_array()) {
    return {{}, NibError{document->file(), 0, "", "a nib needs an \"objects\" array"}};
  }
  const NibJSON* ownerOutlets = nullptr;
  if (root.contains("owner")) {
    const auto& ownerSpec = root["owner"];
    if (!ownerSpec.is_object())
      return {{}, NibError{document->file(), 0, "owner", "\"owner\" must be an object"}};
    for (const auto& [field, value] : ownerSpec.items()) {
      if (field != "class" && field != "outlets") {
        return {
            {},
            NibError{document->file(), document->lineOf(&value), "owner", "unknown field \"" + field + "\""}};
      }
    }
    if (ownerSpec.contains("class")) {
      const auto& expected = ownerSpec["class"];
      if (!expected.is_string())
        return {{}, NibError{document->file(), 0, "owner", "\"class\" must be a class name"}};
      // An unregistered owner class cannot be checked; the outlets still are.
      const auto& name = expected.get_ref<const std::string&>();
      if (owner && ClassRegistry::shared().find(name) && !owner->isKindOf(name)) {
        return {{},
                NibError{document->file(), document->lineOf(&expected), "owner",
                         "the owner must be a " + name + ", not " + owner->className()}};
      }
    }
    if (ownerSpec.contains("outlets")) ownerOutlets = &ownerSpec["outlets"];
  }
  std::vector<std::shared_ptr<NSObject>> topLevel;
  const auto& objects = root["objects"];
  for (std::size_t i = 0; i < objects.size(); ++i) {
    auto object = builder.build(objects[i], "objects[" + std::to_string(i) + "]");
    if (!object) return failure();
    topLevel.push_back(std::move(object));
  }
  if (!builder.connect(ownerOutlets, "owner.outlets")) return failure();
  return {std::move(topLevel), std::nullopt};
}

NibInstantiation loadNibNamed(const std::shared_ptr<Bundle>& bundle, std::string_view name,
                              const std::shared_ptr<NSObject>& owner, const NibOptions& options) {
  auto nib = UINib::create(name, bundle);
  if (!nib) {
    auto searched = bundle ? bundle : Bundle::main();
    return {{},
            NibError{std::string(name), 0, "",
                     "no nib named \"" + std::string(name) + "\" in bundle \"" +
                         (searched ? searched->bundleIdentifier : std::string()) + "\""}};
  }
  return nib->instantiate(owner, options);
}

}  // namespace ios
