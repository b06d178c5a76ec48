#pragma once

#include <CoreGraphics/UIEdgeInsets.h>
#include <CoreText/UIFont.h>
#include <Foundation/NSObject.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIControl.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIView.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <string>
#include <vector>

namespace nibtest {

// What the test classes saw, in order ("awake title", "viewDidLoad", ...).
std::vector<std::string>& journal();

// A view with keys of every convertible type, standing in for the toolkit's labels and image views.
class TestLabel : public ios::UIView {
 public:
  std::string text;
  std::shared_ptr<ios::UIFont> font;
  std::shared_ptr<ios::UIColor> textColor;
  int numberOfLines = 1;
  int textAlignment = 0;
  unsigned maximumCount = 0;
  float ratio = 0;
  bool highlighted = false;
  std::shared_ptr<ios::UIImage> image;
  ios::UIEdgeInsets insets;
  ios::CGSize preferredSize;
  ios::CGPoint anchor;
  // An outlet to another view of the nib; `awakeFromNib` notes whether it was already connected.
  std::shared_ptr<ios::UIView> peer;
  int awakeCount = 0;

  void awakeFromNib() override;
};

class TestButton : public ios::UIControl {
 public:
  using UIControl::UIControl;
  int awakeCount = 0;
  void awakeFromNib() override;
};

// A nib owner with typed outlets and action methods.
class TestOwner : public ios::NSObject {
 public:
  std::shared_ptr<ios::UIView> card;
  std::shared_ptr<TestLabel> title;
  std::shared_ptr<ios::NSLayoutConstraint> cstBottomMain;
  std::vector<std::shared_ptr<ios::NSObject>> taps;
  void didTap(std::shared_ptr<ios::NSObject> sender) { taps.push_back(std::move(sender)); }
};

// A screen controller with an input and outlets, as the SDK's screens are.
class TestController : public ios::UIViewController {
 public:
  using UIViewController::UIViewController;
  std::string input;
  std::string badge;
  std::shared_ptr<TestLabel> titleLabel;
  std::shared_ptr<ios::NSLayoutConstraint> cstBottomMain;
  // What viewDidLoad saw.
  std::string inputAtLoad;
  bool outletAtLoad = false;
  int awakeCount = 0;
  int viewDidLoadCount = 0;
  std::vector<std::shared_ptr<ios::NSObject>> taps;

  void viewDidLoad() override;
  void awakeFromNib() override;
  void didTap(std::shared_ptr<ios::NSObject> sender) { taps.push_back(std::move(sender)); }
};

}  // namespace nibtest
