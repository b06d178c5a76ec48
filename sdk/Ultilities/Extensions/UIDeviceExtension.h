#pragma once

// Device facts for display and diagnostics: whether the main screen has the native height of the
// phone model it names, and the device's marketing name from its hardware model identifier. Each
// free function stands for the device member of the same name.

#include <UIKit/UIDevice.h>

#include <functional>
#include <string>
#include <string_view>

namespace kerbelin {

// `UIDevice.iPhoneX`: true exactly when the main screen's native height is 2436 pixels.
bool iPhoneX(const ios::UIDevice& device);

// `UIDevice.modelName`: computed on first use (thread-safe) and kept for the rest of the process.
const std::string& modelName();

// The name for one hardware identifier ("iPhone10,3" gives "iPhone X"); an identifier the table
// lacks is returned unchanged. "i386" and "x86_64" give "Simulator " and the mapping of the
// environment value "SIMULATOR_MODEL_IDENTIFIER", or of "iOS" when it is unset.
std::string modelNameForIdentifier(std::string_view identifier);

// The hardware identifier: the `machine` field of `uname`, its non-zero bytes one character each.
std::string machineIdentifier();
// Replaces where `machineIdentifier` reads the raw `machine` field (tests); null restores `uname`.
using MachineFieldSource = std::function<std::string()>;
void setMachineFieldSource(MachineFieldSource source);

}  // namespace kerbelin
