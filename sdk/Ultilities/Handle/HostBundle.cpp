#include <Ultilities/Handle/HostBundle.h>

#include <Foundation/Bundle.h>
#include <Foundation/Console.h>
#include <UIKit/Nib/UINib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kerbelin {

namespace {

// The images the screens ask the main bundle for by name, in the order the README lists them.
constexpr std::string_view kHostImages[] = {
    "Icon_muathe_active",    "Icon_muathe_unactive",
    "Icon_thecuatoi_active", "Icon_thecuatoi_unactive",
    "Icon_macuatoi_active",  "Icon_macuatoi_unactive",
    "Icon_quetma_active",    "Icon_quetma_unactive",
    "Icon_sapxep",           "Icon_sapxep_giatang",
    "Icon_sapxep_giagiam",   "Icon_hanmucconlai",
    "Icon_hanmucdacap",      "icon_chot",
    "icon_check_white",
};
constexpr std::string_view kHostNib = "ViewAlertNoInternet";
constexpr std::string_view kLookedUp =
    "; the SDK looks up there its tab icons, sort marks, row icons, badge icons and the nib "
    "ViewAlertNoInternet";

// Whether `UIImage::named` finds `name`: a PNG made for some scale, or a drawing.
bool hasImage(const ios::Bundle& bundle, std::string_view name) {
  const std::string stem(name);
  for (const std::string& file : {stem, stem + "@2x", stem + "@3x"}) {
    if (bundle.urlForResource(file, "png")) return true;
  }
  return bundle.urlForResource(stem, "svg").has_value();
}

std::string missingNames(const ios::Bundle& bundle) {
  std::string missing;
  const auto add = [&missing](std::string_view name) {
    missing += (missing.empty() ? "" : ", ") + std::string(name);
  };
  for (std::string_view name : kHostImages) {
    if (!hasImage(bundle, name)) add(name);
  }
  if (!bundle.urlForResource(kHostNib, ios::UINib::fileExtension)) add(std::string(kHostNib) + " (nib)");
  return missing;
}

// What is wrong with `bundle` as the host's main bundle; "" when nothing is.
std::string complaint(const ios::Bundle& bundle) {
  const auto folder = bundle.bundlePath();
  if (!folder && bundle.bundleIdentifier.empty() && bundle.resourceNames().empty()) {
    return "no main bundle was given (ios::Bundle::setMainBundle)" + std::string(kLookedUp);
  }
  const std::string where = folder ? "the main bundle's folder " + folder->string()
                                   : "the main bundle \"" + bundle.bundleIdentifier + "\"";
  if (folder && !std::filesystem::is_directory(*folder))
    return where + " does not exist" + std::string(kLookedUp);
  const std::string missing = missingNames(bundle);
  return missing.empty() ? "" : where + " lacks " + missing;
}

}  // namespace

void reportIncompleteHostBundle() {
  static std::weak_ptr<ios::Bundle> judged;
  const auto bundle = ios::Bundle::main();
  if (judged.lock() == bundle) return;
  judged = bundle;
  if (const std::string problem = complaint(*bundle); !problem.empty()) ios::NSLog("KerbelinSDK: " + problem);
}

}  // namespace kerbelin
