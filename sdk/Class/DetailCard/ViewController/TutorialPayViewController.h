#pragma once

#include <Foundation/Bundle.h>
#include <Foundation/Dictionary.h>
#include <UIKit/UITextView.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

// The guide to paying an order in cash: asks the server for the guide of transaction `transId` once,
// when its view loads, and shows the reply's `paymentGuide` as rich text. A failed request leaves the
// text view as the nib made it, with no message.
class TutorialPayViewController : public ios::UIViewController {
 public:
  // `init(nibName:bundle:)`; without a bundle the nib is found as NibBundle.h says.
  static std::shared_ptr<TutorialPayViewController> create(std::optional<std::string> nibName = std::nullopt,
                                                           std::shared_ptr<ios::Bundle> bundle = nullptr);
  TutorialPayViewController(std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle);

  void viewDidLoad() override;

  std::weak_ptr<ios::UITextView> textView;
  std::string transId;  // the order's transaction code, sent as it is (also empty)

  // Sends the one request for the guide.
  void loadData();
  // Pops the screen, animated.
  void backButtonClicked(const std::shared_ptr<ios::NSObject>& sender);

 private:
  void showGuide(ios::Dictionary reply);
};

// The server's HTML `text` in the system font at 15 points into `textView`; text the HTML reader
// cannot read empties it.
void renderHtml(ios::UITextView& textView, const std::string& text);

}  // namespace kerbelin
