#include <FloatingPanel/FloatingPanelBackdropView.h>

#include <UIKit/UIColor.h>

namespace ios {

std::shared_ptr<FloatingPanelBackdropView> FloatingPanelBackdropView::create() {
  return std::make_shared<FloatingPanelBackdropView>();
}

FloatingPanelBackdropView::FloatingPanelBackdropView() {
  setBackgroundColor(UIColor::black());
  setAlpha(0);
}

}  // namespace ios
