#pragma once

#include <UIKit/UIView.h>

#include <memory>
#include <vector>

namespace ios {

class UILayoutGuide;

// Raw values as UIKit's.
enum class UIStackViewDistribution { fill = 0, fillEqually = 1, fillProportionally = 2, equalSpacing = 3 };
enum class UIStackViewAlignment {
  fill = 0,
  leading = 1,
  top = 1,
  firstBaseline = 2,
  center = 3,
  trailing = 4,
  bottom = 4,
  lastBaseline = 5,
};

// Lines its arranged subviews up along an axis with constraints it holds itself, rebuilt whenever
// the arrangement, a setting or an arranged view's `isHidden` changes.
//
// Along the axis the views follow each other `spacing` apart from edge to edge of the stack. `fill`
// leaves their lengths to their own constraints and content priorities; `fillEqually` makes them equal;
// `equalSpacing` keeps their lengths and spreads the free space evenly between them (at least
// `spacing`); `fillProportionally` is laid out as `fill`. Across the axis, `fill` pins both edges and
// the others pin one edge or the centre and keep the view inside the stack, the stack hugging its
// widest view at the lowest priority; the baseline alignments act as leading and trailing. A hidden
// arranged view collapses to zero length at priority 999 and takes no spacing.
//
// Arranged views are subviews; adding one makes it a subview and turns off its autoresizing-mask
// translation. `removeArrangedSubview` keeps the view as a subview (as UIKit does); removing it from
// the stack view also removes it from the arrangement.
class UIStackView : public UIView {
 public:
  static std::shared_ptr<UIStackView> create(
      const std::vector<std::shared_ptr<UIView>>& arrangedSubviews = {});
  explicit UIStackView(const CGRect& frame = CGRect::zero);

  const std::vector<std::shared_ptr<UIView>>& arrangedSubviews() const { return arranged_; }
  void addArrangedSubview(const std::shared_ptr<UIView>& view);
  void insertArrangedSubview(const std::shared_ptr<UIView>& view, std::size_t index);
  void removeArrangedSubview(const std::shared_ptr<UIView>& view);

  UILayoutConstraintAxis axis() const { return axis_; }
  void setAxis(UILayoutConstraintAxis axis);
  CGFloat spacing() const { return spacing_; }
  void setSpacing(CGFloat spacing);
  UIStackViewAlignment alignment() const { return alignment_; }
  void setAlignment(UIStackViewAlignment alignment);
  UIStackViewDistribution distribution() const { return distribution_; }
  void setDistribution(UIStackViewDistribution distribution);

 protected:
  void willRemoveSubview(const std::shared_ptr<UIView>& subview) override;
  void subviewHiddenDidChange(UIView& subview) override;

 private:
  bool isArranged(const UIView& view) const;
  void rebuild();
  void constrainAlongAxis();
  void constrainAcrossAxis(const std::shared_ptr<UIView>& view);
  void add(const std::shared_ptr<NSObject>& item1, NSLayoutAttribute attribute1, NSLayoutRelation relation,
           const std::shared_ptr<NSObject>& item2, NSLayoutAttribute attribute2, CGFloat constant = 0,
           UILayoutPriority priority = UILayoutPriorityRequired);

  std::vector<std::shared_ptr<UIView>> arranged_;
  UILayoutConstraintAxis axis_ = UILayoutConstraintAxis::horizontal;
  CGFloat spacing_ = 0;
  UIStackViewAlignment alignment_ = UIStackViewAlignment::fill;
  UIStackViewDistribution distribution_ = UIStackViewDistribution::fill;
  std::vector<std::shared_ptr<NSLayoutConstraint>> own_;
  std::vector<std::shared_ptr<UILayoutGuide>> spacers_;
  std::vector<std::shared_ptr<NSLayoutConstraint>> pending_;
};

}  // namespace ios
