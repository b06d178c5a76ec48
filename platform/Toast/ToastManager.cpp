#include <Toast/ToastManager.h>

namespace ios {

ToastManager& ToastManager::shared() {
  static ToastManager manager;
  return manager;
}

}  // namespace ios
