#include <Ultilities/Handle/NibBundle.h>

#include <UIKit/Nib/UINib.h>

namespace kerbelin {

std::shared_ptr<ios::Bundle> frameworkBundle() {
  return ios::Bundle::withIdentifier(kFrameworkBundleIdentifier);
}

std::shared_ptr<ios::Bundle> resolveNibBundle(std::string_view nibName, std::shared_ptr<ios::Bundle> bundle) {
  if (bundle) return bundle;
  if (ios::Bundle::main()->data(nibName, ios::UINib::fileExtension)) return ios::Bundle::main();
  if (auto framework = frameworkBundle(); framework && framework->data(nibName, ios::UINib::fileExtension)) {
    return framework;
  }
  return nullptr;
}

}  // namespace kerbelin
