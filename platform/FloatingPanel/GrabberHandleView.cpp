#include <FloatingPanel/GrabberHandleView.h>

#include <UIKit/UIColor.h>

namespace ios {

std::shared_ptr<GrabberHandleView> GrabberHandleView::create() {
  return std::make_shared<GrabberHandleView>();
}

GrabberHandleView::GrabberHandleView() : UIView(CGRect(0, 0, width, height)) {
  setBackgroundColor(UIColor::create(0.76, 0.76, 0.78, 1));
  layer()->setCornerRadius(height / 2);
}

}  // namespace ios
