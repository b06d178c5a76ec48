#pragma once

#include <UIKit/Nib/UIStoryboard.h>

#include <memory>

namespace kerbelin {

// The framework's four storyboards, each read from the framework's own bundle ("Halvet.KerbelinSDK")
// on first use and kept for the life of the process. Scenes are instantiated from them by
// identifier, the identifier being the screen's class name. Safe to call from any thread.
const std::shared_ptr<ios::UIStoryboard>& shareInstanceBuyCardStoryboard();
const std::shared_ptr<ios::UIStoryboard>& shareInstanceMyCardStoryboard();
const std::shared_ptr<ios::UIStoryboard>& shareInstanceMyCodeStoryboard();
const std::shared_ptr<ios::UIStoryboard>& shareInstanceQRCodeStoryboard();

}  // namespace kerbelin
