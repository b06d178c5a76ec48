#pragma once

#include <UIKit/UIView.h>

#include <cstddef>
#include <memory>

namespace ios {

class Timer;

// Raw values as UIKit's.
enum class UIActivityIndicatorViewStyle { whiteLarge = 0, white = 1, gray = 2 };

// The platform's spinner: twelve spokes around the centre, the leading one opaque and the ones
// behind it fading, the lead moving one spoke every twelfth of a second while animating.
//
// The spokes advance on the run loop's clock through a repeating timer that runs only while the
// view animates and is in a window: stopping, leaving the window or going away ends it. A view
// that is not animating is hidden when `hidesWhenStopped` is on (the default), so a new spinner
// starts hidden. Its size is the style's: 20 × 20 points, 37 × 37 for the large style; changing
// the style resizes the view about its centre.
class UIActivityIndicatorView : public UIView {
 public:
  static std::shared_ptr<UIActivityIndicatorView> create(
      UIActivityIndicatorViewStyle style = UIActivityIndicatorViewStyle::white);
  explicit UIActivityIndicatorView(UIActivityIndicatorViewStyle style = UIActivityIndicatorViewStyle::white);
  ~UIActivityIndicatorView() override;

  UIActivityIndicatorViewStyle activityIndicatorViewStyle() const { return style_; }
  void setActivityIndicatorViewStyle(UIActivityIndicatorViewStyle style);
  // The spokes' colour; null restores the style's (white, or grey for the gray style).
  std::shared_ptr<UIColor> color() const;
  void setColor(std::shared_ptr<UIColor> color);
  bool hidesWhenStopped() const { return hidesWhenStopped_; }
  void setHidesWhenStopped(bool hides);

  void startAnimating();
  void stopAnimating();
  bool isAnimating() const { return animating_; }
  // The spoke drawn opaque, 0...11 clockwise from the top.
  std::size_t leadingSpoke() const { return leadingSpoke_; }

  CGSize intrinsicContentSize() const override;
  CGSize sizeThatFits(CGSize) const override { return intrinsicContentSize(); }
  void draw(const CGRect& rect) override;
  void didMoveToWindow() override;

  static constexpr std::size_t spokeCount = 12;

 private:
  void updateTimer();
  void advance();

  UIActivityIndicatorViewStyle style_;
  std::shared_ptr<UIColor> color_;
  bool hidesWhenStopped_ = true;
  bool animating_ = false;
  std::size_t leadingSpoke_ = 0;
  std::shared_ptr<Timer> timer_;
};

}  // namespace ios
