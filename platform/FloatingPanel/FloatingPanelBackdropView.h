#pragma once

#include <UIKit/UIView.h>

namespace ios {

// The dimming view behind a panel, covering the whole parent. Its alpha follows the panel's
// position as the layout says; at alpha 0 it lets touches through to the parent.
class FloatingPanelBackdropView : public UIView {
 public:
  static std::shared_ptr<FloatingPanelBackdropView> create();
  FloatingPanelBackdropView();
};

}  // namespace ios
