#pragma once

#include <Foundation/Bundle.h>

#include <memory>
#include <string_view>

namespace kerbelin {

// The identifier of the framework's own bundle, which holds its storyboards, nibs and images.
inline constexpr std::string_view kFrameworkBundleIdentifier = "Halvet.KerbelinSDK";

// The framework's own bundle (compiled into the library, so always there).
std::shared_ptr<ios::Bundle> frameworkBundle();

// The bundle a screen made with `init(nibName:bundle:)` loads its nib from. A given bundle is kept.
// Without one the platform's rule is the main bundle; the screens' nibs ship in the framework's own
// bundle, so when the main bundle lacks the nib the framework bundle is used instead. A host can
// still replace a screen's nib by putting one of the same name in its main bundle.
std::shared_ptr<ios::Bundle> resolveNibBundle(std::string_view nibName, std::shared_ptr<ios::Bundle> bundle);

}  // namespace kerbelin
