#pragma once

#include <CoreGraphics/CGAffineTransform.h>
#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/UIEdgeInsets.h>
#include <QuartzCore/CALayer.h>
#include <UIKit/NSLayoutAnchor.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIResponder.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ios {

class UIWindow;
class UIGestureRecognizer;
class UILayoutGuide;
class LayoutEngine;
namespace detail {
struct AutoLayoutState;
}

// Autoresizing masks, raw values as UIKit's. Auto Layout honours flexibleWidth and flexibleHeight for a
// view some constraint mentions (it keeps the margins its frame had to the superview's edges as the
// superview resizes); the other bits are stored only, and a view outside constraints keeps its frame
// when its superview resizes.
struct UIViewAutoresizing {
  enum : unsigned {
    none = 0,
    flexibleLeftMargin = 1u << 0,
    flexibleWidth = 1u << 1,
    flexibleRightMargin = 1u << 2,
    flexibleTopMargin = 1u << 3,
    flexibleHeight = 1u << 4,
    flexibleBottomMargin = 1u << 5,
  };
};

// Options of the animation functions; the curve is one of the first four (ease-in-out by default).
struct UIViewAnimationOptions {
  enum : unsigned {
    curveEaseInOut = 0,
    curveEaseIn = 1u << 16,
    curveEaseOut = 2u << 16,
    curveLinear = 3u << 16,
    allowUserInteraction = 1u << 1,
    beginFromCurrentState = 1u << 2,
    transitionNone = 0,
    transitionCrossDissolve = 5u << 20,
  };
};

// How a view lays out its content when its bounds change; raw values as UIKit's.
enum class UIViewContentMode {
  scaleToFill = 0, scaleAspectFit, scaleAspectFill, redraw, center, top, bottom, left, right,
  topLeft, topRight, bottomLeft, bottomRight,
};

// A rectangle on screen with its own layer. Geometry lives in the layer: `frame`, `bounds` and
// `center` read and write it, the transform applies about the centre, and subviews' layers are kept
// in the same order as the subviews. `alpha` keeps whatever number it is given (the layer's
// opacity takes it clamped to 0...1).
//
// Views are made with `create` (or a subclass's own) and live in `std::shared_ptr`; a subclass
// picks its layer class by passing a layer to the constructor, as `layerClass` does on the platform.
class UIView : public UIResponder, public CALayerDelegate {
 public:
  static std::shared_ptr<UIView> create(const CGRect& frame = CGRect::zero);
  explicit UIView(const CGRect& frame = CGRect::zero, std::shared_ptr<CALayer> layer = nullptr);
  ~UIView() override;

  const std::shared_ptr<CALayer>& layer() const { return layer_; }

  // Geometry, in the superview's coordinates for `frame` and `center`, the view's own for `bounds`.
  CGRect frame() const { return layer_->frame(); }
  void setFrame(const CGRect& frame);
  CGRect bounds() const { return layer_->bounds(); }
  void setBounds(const CGRect& bounds);
  CGPoint center() const { return layer_->position(); }
  void setCenter(CGPoint center);
  CGAffineTransform transform() const { return layer_->affineTransform(); }
  void setTransform(const CGAffineTransform& transform);

  // Appearance.
  CGFloat alpha() const { return alpha_; }
  void setAlpha(CGFloat alpha);
  bool isHidden() const { return layer_->isHidden(); }
  void setHidden(bool hidden);
  const std::shared_ptr<UIColor>& backgroundColor() const { return backgroundColor_; }
  virtual void setBackgroundColor(std::shared_ptr<UIColor> color);
  bool clipsToBounds() const { return layer_->masksToBounds(); }
  void setClipsToBounds(bool clips) { layer_->setMasksToBounds(clips); }
  bool isOpaque() const { return layer_->isOpaque(); }
  void setOpaque(bool opaque) { layer_->setOpaque(opaque); }
  UIViewContentMode contentMode() const { return contentMode_; }
  virtual void setContentMode(UIViewContentMode mode);
  // The tint of this view or, when unset, of the nearest ancestor that has one; system blue at the
  // top. Overridable, so a view that forwards its tint is reached through any reference.
  virtual std::shared_ptr<UIColor> tintColor() const;
  virtual void setTintColor(std::shared_ptr<UIColor> color);
  virtual void tintColorDidChange() {}

  // Identity and accessibility.
  long tag = 0;
  std::string accessibilityIdentifier;
  std::string accessibilityLabel;
  bool isAccessibilityElement = false;

  // Hierarchy, back to front.
  const std::vector<std::shared_ptr<UIView>>& subviews() const { return subviews_; }
  std::shared_ptr<UIView> superview() const { return superview_.lock(); }
  // The window at the top of this view's tree, if there is one.
  std::shared_ptr<UIWindow> window() const;
  void addSubview(const std::shared_ptr<UIView>& view);
  void insertSubview(const std::shared_ptr<UIView>& view, std::size_t index);
  void insertSubview(const std::shared_ptr<UIView>& view, const std::shared_ptr<UIView>& sibling, bool above);
  void removeFromSuperview();
  void bringSubviewToFront(const std::shared_ptr<UIView>& view);
  void sendSubviewToBack(const std::shared_ptr<UIView>& view);
  void exchangeSubview(std::size_t index1, std::size_t index2);
  bool isDescendant(const UIView& ancestor) const;
  // Depth-first pre-order: the receiver, then each subview in order, recursively.
  std::shared_ptr<UIView> viewWithTag(long tag);

  // Hierarchy notifications for subclasses.
  virtual void willMoveToSuperview(const std::shared_ptr<UIView>&) {}
  virtual void didMoveToSuperview() {}
  virtual void willMoveToWindow(const std::shared_ptr<UIWindow>&) {}
  virtual void didMoveToWindow() {}
  virtual void didAddSubview(const std::shared_ptr<UIView>&) {}
  virtual void willRemoveSubview(const std::shared_ptr<UIView>&) {}

  // Touches. Hidden views, views with alpha below 0.01 and views with interaction off are skipped
  // with their subtrees; a point outside the bounds misses the view and its subviews.
  bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
  void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
  bool isMultipleTouchEnabled = false;
  bool isExclusiveTouch = false;
  virtual std::shared_ptr<UIView> hitTest(CGPoint point, const UIEvent* event);
  virtual bool pointInside(CGPoint point, const UIEvent* event) const;
  // Resigns the first responder when it is this view or one inside it (a text field being edited);
  // true when nothing inside is left editing. `force` is accepted for the platform's signature; the
  // field's delegate is still asked.
  bool endEditing(bool force);
  // Gesture recognizers attached to this view, in the order added.
  void addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer);
  void removeGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer);
  const std::vector<std::shared_ptr<UIGestureRecognizer>>& gestureRecognizers() const { return gestureRecognizers_; }
  // Whether a recognizer of an ancestor may act on a touch that landed on this view; controls refuse
  // single taps so that their own action wins.
  virtual bool allowsAncestorGesture(const UIGestureRecognizer&) const { return true; }
  // Whether the view is in a motion it drives by itself on the run loop's timers (a deceleration, an
  // animated scroll, a sliding sheet): what waiting for the screen to settle waits out besides
  // layer animations.
  virtual bool isMovingByItself() const { return false; }
  // The controller whose root view this is, if any; see `next()`.
  std::shared_ptr<UIResponder> viewDelegate() const { return viewDelegate_.lock(); }
  void setViewDelegate(std::weak_ptr<UIResponder> owner) { viewDelegate_ = std::move(owner); }
  std::shared_ptr<UIResponder> next() const override;

  // Coordinate conversion between views of one tree; a null view means the window (the top of the
  // tree).
  CGPoint convert(CGPoint point, const UIView* to) const;
  CGPoint convertFrom(CGPoint point, const UIView* from) const;
  CGRect convert(const CGRect& rect, const UIView* to) const;
  CGRect convertFrom(const CGRect& rect, const UIView* from) const;

  // Layout. `setNeedsLayout` marks; the run loop's layout pass or `layoutIfNeeded` runs
  // `layoutSubviews` top-down for every marked view. A change of bounds size marks the view.
  virtual void layoutSubviews() {}
  void setNeedsLayout();
  void layoutIfNeeded();
  bool needsLayout() const { return needsLayout_; }
  virtual CGSize sizeThatFits(CGSize /*size*/) const { return bounds().size; }
  void sizeToFit();
  // The size the view would like for its content, or -1 for no preference along an axis.
  static constexpr CGFloat noIntrinsicMetric = -1;
  virtual CGSize intrinsicContentSize() const { return {noIntrinsicMetric, noIntrinsicMetric}; }
  // Overrides call this base too, so that Auto Layout picks the new size up.
  virtual void invalidateIntrinsicContentSize();
  // The part of the window's safe area that covers this view, as insets from its bounds.
  UIEdgeInsets safeAreaInsets() const;
  UIEdgeInsets layoutMargins{8, 8, 8, 8};

  // Drawing: `draw(rect)` paints the view's own content in its bounds coordinates, between the
  // background and the subviews. `setNeedsDisplay` asks for a new frame.
  virtual void draw(const CGRect& /*rect*/) {}
  void setNeedsDisplay() { layer_->setNeedsDisplay(); }
  // Draws the view and its subviews, as on screen, into the current image context scaled into
  // `rect`; false when there is no current context.
  bool drawHierarchy(const CGRect& rect, bool afterScreenUpdates);

  // Animation blocks. Inside `animations`, changes of animatable properties (frame, bounds, center,
  // transform, alpha, background colour) take their new model value at once while the screen moves
  // from the old value over `duration` on the run loop's clock. The completion always runs, on a
  // later turn, also for a duration of 0; `finished` is false when an animation was replaced or
  // removed before its end. While animations are disabled, blocks apply at once.
  using Animations = std::function<void()>;
  using Completion = std::function<void(bool finished)>;
  static void animate(double duration, const Animations& animations, Completion completion = nullptr);
  static void animate(double duration, double delay, unsigned options, const Animations& animations,
                      Completion completion);
  static void animate(double duration, double delay, double dampingRatio, double initialVelocity,
                      unsigned options, const Animations& animations, Completion completion);
  // Cross-dissolves from how `view` looks now to how it looks after `animations`.
  static void transition(const std::shared_ptr<UIView>& view, double duration, unsigned options,
                         const Animations& animations, Completion completion);
  static void setAnimationsEnabled(bool enabled);
  static bool areAnimationsEnabled();
  static void performWithoutAnimation(const Animations& actions);

  // ---- Auto Layout (UIViewAutoLayout.cpp; the engine is LayoutEngine) ----
  //
  // Constraints live on views: an active constraint is held by one view and listed in its
  // `constraints()`. The tree's root keeps the engine, made the first time the tree holding any
  // constraint is laid out. `layoutIfNeeded` (and so the window's pass every run-loop turn) first
  // brings the engine up to date and writes the solved frames, then runs `layoutSubviews` as before.
  // Removing a view from its superview deactivates the constraints held outside its subtree that
  // mention the subtree; the constraints held inside move with it to the new tree.
  //
  // A view whose `translatesAutoresizingMaskIntoConstraints` is true (the default in code; nibs set it
  // false) keeps its frame: when a constraint mentions it, the frame becomes required constraints, and
  // a frame set by hand later moves them. Views no constraint mentions keep pure frame layout.
  bool translatesAutoresizingMaskIntoConstraints() const;
  void setTranslatesAutoresizingMaskIntoConstraints(bool translates);
  unsigned autoresizingMask() const;
  void setAutoresizingMask(unsigned mask);

  const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints() const;
  // Holds `constraint` here (activating it); this view must contain all its items, or the request is
  // logged and ignored. A constraint active elsewhere moves here.
  void addConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint);
  void addConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);
  // Deactivates `constraint` if this view holds it.
  void removeConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint);
  void removeConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints);

  NSLayoutXAxisAnchor leadingAnchor() const { return xAnchor(NSLayoutAttribute::leading); }
  NSLayoutXAxisAnchor trailingAnchor() const { return xAnchor(NSLayoutAttribute::trailing); }
  NSLayoutXAxisAnchor leftAnchor() const { return xAnchor(NSLayoutAttribute::left); }
  NSLayoutXAxisAnchor rightAnchor() const { return xAnchor(NSLayoutAttribute::right); }
  NSLayoutXAxisAnchor centerXAnchor() const { return xAnchor(NSLayoutAttribute::centerX); }
  NSLayoutYAxisAnchor topAnchor() const { return yAnchor(NSLayoutAttribute::top); }
  NSLayoutYAxisAnchor bottomAnchor() const { return yAnchor(NSLayoutAttribute::bottom); }
  NSLayoutYAxisAnchor centerYAnchor() const { return yAnchor(NSLayoutAttribute::centerY); }
  NSLayoutYAxisAnchor firstBaselineAnchor() const { return yAnchor(NSLayoutAttribute::firstBaseline); }
  NSLayoutYAxisAnchor lastBaselineAnchor() const { return yAnchor(NSLayoutAttribute::lastBaseline); }
  NSLayoutDimension widthAnchor() const { return {weakSelf(), NSLayoutAttribute::width}; }
  NSLayoutDimension heightAnchor() const { return {weakSelf(), NSLayoutAttribute::height}; }

  // Guides made on first use: the safe area (`safeAreaInsets`) and the layout margins.
  const std::shared_ptr<UILayoutGuide>& safeAreaLayoutGuide();
  const std::shared_ptr<UILayoutGuide>& layoutMarginsGuide();
  void addLayoutGuide(const std::shared_ptr<UILayoutGuide>& guide);
  void removeLayoutGuide(const std::shared_ptr<UILayoutGuide>& guide);
  std::vector<std::shared_ptr<UILayoutGuide>> layoutGuides() const;

  // How strongly the view resists growing beyond (hugging, default 250) and shrinking below
  // (compression resistance, default 750) its intrinsic content size along an axis.
  UILayoutPriority contentHuggingPriority(UILayoutConstraintAxis axis) const;
  void setContentHuggingPriority(UILayoutPriority priority, UILayoutConstraintAxis axis);
  UILayoutPriority contentCompressionResistancePriority(UILayoutConstraintAxis axis) const;
  void setContentCompressionResistancePriority(UILayoutPriority priority, UILayoutConstraintAxis axis);

  // Height for width: a view whose intrinsic height depends on the width it gets (multi-line text)
  // answers true and gives that height. Auto Layout first solves with `intrinsicContentSize()`, then
  // asks for the height at the solved width and solves again until the heights settle (a few rounds
  // at most), which is how self-sizing cells get the height of wrapped text.
  virtual bool hasIntrinsicHeightForWidth() const { return false; }
  virtual CGFloat intrinsicHeightForWidth(CGFloat /*width*/) const { return intrinsicContentSize().height; }

  // The size the constraints held in this view's subtree give it when its width and height are pulled
  // towards `targetSize` at the given priorities (by default the fitting-size level, 50, so that the
  // target is only a preference: UILayoutFittingCompressedSize gives the smallest size). Measured on a
  // scratch engine: the live layout is left as it is. A size that nothing else determines comes out as
  // the target.
  CGSize systemLayoutSizeFitting(CGSize targetSize) const;
  CGSize systemLayoutSizeFitting(CGSize targetSize, UILayoutPriority horizontalFittingPriority,
                                 UILayoutPriority verticalFittingPriority) const;
  // The same size, measured in the live engine of the tree the view is in when its constraints are
  // there already, which spares adding them all again to a scratch engine. Only for views no
  // constraint held outside their subtree mentions (a list's cells): those would count here.
  CGSize systemLayoutSizeFittingInPlace(CGSize targetSize, UILayoutPriority horizontalFittingPriority,
                                        UILayoutPriority verticalFittingPriority);
  // Brings the tree's engine up to date and writes the solved frames, without `layoutSubviews`.
  void updateConstraintsIfNeeded();
  // Whether the constraints leave this view's frame undetermined; false for views no constraint
  // mentions. For tests and debugging: it costs two small solves per coordinate.
  bool hasAmbiguousLayout();

  // Nib life cycle: called once all the outlets and actions of the nib are connected.
  virtual void awakeFromNib() {}

  // CALayerDelegate.
  void drawLayer(const CALayer& layer, CGContext& context) override;
  void layerNeedsLayout(CALayer& layer) override;

 protected:
  // Subclasses whose content depends on the bounds (image views, labels) override to redraw.
  virtual void boundsDidChange(const CGRect& /*oldBounds*/) {}
  // A subview was shown or hidden (stack views collapse hidden arranged views).
  virtual void subviewHiddenDidChange(UIView& /*subview*/) {}

 private:
  void attachLayer(const std::shared_ptr<UIView>& view);
  void detachFromSuperview(bool notify);
  void notifyWillMoveToWindow(const std::shared_ptr<UIWindow>& window);
  void notifyDidMoveToWindow();
  void layoutTree();

  // Auto Layout hooks (UIViewAutoLayout.cpp).
  friend class LayoutEngine;
  friend class NSLayoutConstraint;
  std::weak_ptr<NSObject> weakSelf() const { return std::const_pointer_cast<NSObject>(shared_from_this()); }
  NSLayoutXAxisAnchor xAnchor(NSLayoutAttribute attribute) const { return {weakSelf(), attribute}; }
  NSLayoutYAxisAnchor yAnchor(NSLayoutAttribute attribute) const { return {weakSelf(), attribute}; }
  detail::AutoLayoutState& autoLayout();
  UIView* layoutRoot();
  LayoutEngine* liveEngine();
  void hold(const std::shared_ptr<NSLayoutConstraint>& constraint);
  void release(NSLayoutConstraint& constraint);
  void addHeldCount(std::ptrdiff_t delta);
  void autoLayoutGeometryDidChange();
  void autoLayoutWillDetach();
  void autoLayoutDidAttach();
  bool autoLayoutNeedsUpdate();

  std::shared_ptr<CALayer> layer_;
  CGFloat alpha_ = 1;
  std::shared_ptr<UIColor> backgroundColor_;
  std::shared_ptr<UIColor> tintColor_;
  UIViewContentMode contentMode_ = UIViewContentMode::scaleToFill;
  bool userInteractionEnabled_ = true;
  bool needsLayout_ = false;
  std::vector<std::shared_ptr<UIView>> subviews_;
  std::vector<std::shared_ptr<UIGestureRecognizer>> gestureRecognizers_;
  std::weak_ptr<UIView> superview_;
  std::weak_ptr<UIResponder> viewDelegate_;
  std::unique_ptr<detail::AutoLayoutState> autoLayout_;
};

}  // namespace ios
