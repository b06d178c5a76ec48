#pragma once

#include <CoreGraphics/CGColor.h>
#include <CoreGraphics/CGContext.h>
#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGImage.h>
#include <CoreGraphics/CGPath.h>
#include <Foundation/NSObject.h>
#include <QuartzCore/CATransaction.h>
#include <QuartzCore/CATransform3D.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ios {

class CALayer;
struct LayerBacking;

// What a layer asks of the object that owns it (a view): to draw its content, and that it now needs
// drawing or layout. Not owned: the owner clears itself as delegate before it goes away.
class CALayerDelegate {
 public:
  virtual ~CALayerDelegate() = default;
  // Draws the layer's own content in its bounds coordinates into the layer's backing store; called
  // only when the layer was marked as needing display or its store's size or scale changed.
  virtual void drawLayer(const CALayer&, CGContext&) {}
  virtual void layerNeedsDisplay(CALayer&) {}
  virtual void layerNeedsLayout(CALayer&) {}
  virtual void layoutSublayers(CALayer&) {}
};

// How `contents` fills the bounds.
enum class CALayerContentsGravity {
  center, top, bottom, left, right, topLeft, topRight, bottomLeft, bottomRight,
  resize, resizeAspect, resizeAspectFill,
};

// The model layer: geometry, appearance and sublayers. It draws nothing itself; the renderer reads
// these properties. Defaults are Core Animation's: opaque black border and shadow colour, shadow
// opacity 0, shadow offset (0, -3), shadow radius 3, anchor point (0.5, 0.5), identity transforms.
//
// Every setter follows one shape: return if unchanged, store, mark what the change affects:
// `needsDisplay` for what the layer's own content draws (a new bounds size, contents, its drawing),
// the composition for what the renderer puts together around it (background, border, mask,
// sublayers), the placement for where and how visibly it goes (geometry, opacity, shadow). Nothing is laid out or drawn
// inside a setter.
class CALayer : public NSObject {
 public:
  static std::shared_ptr<CALayer> create();
  CALayer();
  ~CALayer() override;

  // Geometry. `frame` is derived from bounds, position, anchor point and transform; setting it sets
  // the position and the bounds' size (the transform is kept).
  CGRect frame() const;
  void setFrame(const CGRect& frame);
  const CGRect& bounds() const { return bounds_; }
  void setBounds(const CGRect& bounds);
  CGPoint position() const { return position_; }
  void setPosition(CGPoint position);
  CGPoint anchorPoint() const { return anchorPoint_; }
  void setAnchorPoint(CGPoint anchorPoint);
  CGFloat zPosition() const { return zPosition_; }
  void setZPosition(CGFloat z);
  const CATransform3D& transform() const { return transform_; }
  void setTransform(const CATransform3D& transform);
  CGAffineTransform affineTransform() const;
  void setAffineTransform(const CGAffineTransform& transform);
  const CATransform3D& sublayerTransform() const { return sublayerTransform_; }
  void setSublayerTransform(const CATransform3D& transform);

  // Appearance.
  const std::optional<CGColor>& backgroundColor() const { return backgroundColor_; }
  void setBackgroundColor(std::optional<CGColor> color);
  CGFloat cornerRadius() const { return cornerRadius_; }
  void setCornerRadius(CGFloat radius);
  // Clips sublayers and contents to the (rounded) bounds; also hides the layer's own shadow.
  bool masksToBounds() const { return masksToBounds_; }
  void setMasksToBounds(bool masks);
  CGFloat borderWidth() const { return borderWidth_; }
  void setBorderWidth(CGFloat width);
  const std::optional<CGColor>& borderColor() const { return borderColor_; }
  void setBorderColor(std::optional<CGColor> color);
  float opacity() const { return opacity_; }
  void setOpacity(float opacity);
  bool isHidden() const { return hidden_; }
  void setHidden(bool hidden);
  bool isOpaque() const { return opaque_; }
  void setOpaque(bool opaque);

  // Shadow. Without a path the shadow follows the alpha of the layer's composited content.
  const std::optional<CGColor>& shadowColor() const { return shadowColor_; }
  void setShadowColor(std::optional<CGColor> color);
  float shadowOpacity() const { return shadowOpacity_; }
  void setShadowOpacity(float opacity);
  CGSize shadowOffset() const { return shadowOffset_; }
  void setShadowOffset(CGSize offset);
  CGFloat shadowRadius() const { return shadowRadius_; }
  void setShadowRadius(CGFloat radius);
  const std::optional<CGPath>& shadowPath() const { return shadowPath_; }
  void setShadowPath(std::optional<CGPath> path);
  // Whether the renderer has any shadow to draw.
  bool hasVisibleShadow() const;

  // A layer whose alpha masks this one, in this layer's coordinates. Owned by this layer.
  const std::shared_ptr<CALayer>& mask() const { return mask_; }
  void setMask(std::shared_ptr<CALayer> mask);

  // Bitmap contents, drawn into the bounds by `contentsGravity` at `contentsScale` pixels a point.
  const std::shared_ptr<const CGImage>& contents() const { return contents_; }
  void setContents(std::shared_ptr<const CGImage> image);
  CALayerContentsGravity contentsGravity() const { return contentsGravity_; }
  void setContentsGravity(CALayerContentsGravity gravity);
  CGFloat contentsScale() const { return contentsScale_; }
  void setContentsScale(CGFloat scale);

  // Hierarchy. Adding a layer that has another superlayer moves it. Sublayers are drawn in order,
  // later ones on top.
  const std::vector<std::shared_ptr<CALayer>>& sublayers() const { return sublayers_; }
  std::shared_ptr<CALayer> superlayer() const { return superlayer_.lock(); }
  void addSublayer(const std::shared_ptr<CALayer>& layer);
  void insertSublayer(const std::shared_ptr<CALayer>& layer, std::size_t index);
  void insertSublayer(const std::shared_ptr<CALayer>& layer, const std::shared_ptr<CALayer>& below, bool above);
  void removeFromSuperlayer();
  void replaceSublayer(const std::shared_ptr<CALayer>& old, const std::shared_ptr<CALayer>& replacement);

  CALayerDelegate* delegate() const { return delegate_; }
  void setDelegate(CALayerDelegate* delegate) { delegate_ = delegate; }

  // Display and layout requests. A layer marked as needing display has its backing store drawn
  // again by the next frame that shows it; the renderer clears the mark.
  bool needsDisplay() const { return needsDisplay_; }
  void setNeedsDisplay();
  void clearNeedsDisplay() const { needsDisplay_ = false; }
  // Changes whenever the layer is marked as needing display; unique among all layers ever made.
  std::uint64_t displayVersion() const { return displayVersion_; }
  bool needsLayout() const { return needsLayout_; }
  void setNeedsLayout();
  void layoutIfNeeded();
  virtual void layoutSublayers();

  // Draws the layer's own content (between its background and its sublayers), in bounds
  // coordinates. The default asks the delegate; shape and gradient layers draw themselves.
  virtual void draw(CGContext& context) const;
  // Draws this layer and its sublayers into `context` in this layer's coordinates, as a snapshot
  // does (`render(in:)`).
  void render(CGContext& context) const;

  // The transform from this layer's bounds coordinates to its superlayer's, projected onto the
  // plane (see `affineProjection`): bounds origin, anchor point, position, the layer's transform
  // and the superlayer's sublayer transform.
  CGAffineTransform transformToSuperlayer() const;
  // Converts between this layer's coordinates and another layer's in the same tree; a null layer
  // means the root of this layer's tree.
  CGPoint convert(CGPoint point, const CALayer* to) const;
  CGPoint convertFrom(CGPoint point, const CALayer* from) const;
  CGRect convert(const CGRect& rect, const CALayer* to) const;
  CGRect convertFrom(const CGRect& rect, const CALayer* from) const;
  // The transform from this layer's coordinates to those of the top of its tree.
  CGAffineTransform transformToRoot() const;

  // Grows whenever anything drawn by this layer or below changes, display or composition.
  std::uint64_t generation() const { return generation_; }
  // The same without the layer's own placement, opacity and shadow: what the alpha of the layer's
  // content (the shape of a shadow without a path) depends on.
  std::uint64_t contentGeneration() const { return contentGeneration_; }

  // What the renderer keeps for this layer between frames (its backing store, its shadow).
  LayerBacking& backing() const;

  // Animations. A change of an animatable property (bounds, position, opacity, transform,
  // background colour, corner radius, shadow opacity, offset and radius) made inside an animating
  // transaction starts an animation from the value on screen to the new model value; the model
  // value changes at once. A change made outside one removes the property's animation.
  using AnimatableValue = std::variant<CGFloat, CGPoint, CGSize, CGRect, CATransform3D, std::optional<CGColor>>;
  bool hasAnimations() const { return !animations_.empty(); }
  std::vector<std::string> animationKeys() const;
  // Removes animations before their end; their groups complete with finished = false.
  void removeAnimation(std::string_view key);
  void removeAllAnimations();

  // What the screen shows now: the model values with the running animations applied at the run
  // loop's current time.
  struct Presentation {
    CGRect bounds;
    CGPoint position;
    CGFloat opacity;
    CATransform3D transform;
    std::optional<CGColor> backgroundColor;
    CGFloat cornerRadius;
    CGFloat shadowOpacity;
    CGSize shadowOffset;
    CGFloat shadowRadius;
  };
  Presentation presentation() const;
  // `transformToSuperlayer()` with the presentation's geometry.
  CGAffineTransform presentedTransformToSuperlayer() const;

 protected:
  // The layer's own content changed: it needs display, and the composition changed.
  void changed();
  // How the content is put together changed (background, border, sublayers).
  void recomposed();
  // Only where or how visibly the layer is put on screen changed (its geometry, opacity, shadow).
  void moved();

 private:
  struct PropertyAnimation {
    AnimatableValue from;
    AnimatableValue to;
    double begin = 0;
    CAAnimationSettings settings;
    std::uint64_t id = 0;
    std::vector<std::shared_ptr<CAAnimationGroup>> groups;
  };

  // Assigns an animatable property when it differs, animating the change as `animateChange` does;
  // returns whether it did.
  template <class Field>
  bool animate(std::string_view key, Field& field, const Field& value);
  // Starts, replaces or removes the animation of `key` for a change from `from` to `to`.
  void animateChange(std::string_view key, AnimatableValue from, AnimatableValue to);
  template <class T>
  T presented(std::string_view key, const T& model) const;
  void endAnimation(const std::string& key, std::uint64_t id);
  static CGAffineTransform placement(const CGRect& bounds, CGPoint anchor, CGPoint position,
                                     const CATransform3D& transform);

  CGRect bounds_;
  CGPoint position_;
  CGPoint anchorPoint_{0.5, 0.5};
  CGFloat zPosition_ = 0;
  CATransform3D transform_;
  CATransform3D sublayerTransform_;
  std::optional<CGColor> backgroundColor_;
  CGFloat cornerRadius_ = 0;
  bool masksToBounds_ = false;
  CGFloat borderWidth_ = 0;
  std::optional<CGColor> borderColor_ = CGColor::rgb(0, 0, 0, 1);
  float opacity_ = 1;
  bool hidden_ = false;
  bool opaque_ = false;
  std::optional<CGColor> shadowColor_ = CGColor::rgb(0, 0, 0, 1);
  float shadowOpacity_ = 0;
  CGSize shadowOffset_{0, -3};
  CGFloat shadowRadius_ = 3;
  std::optional<CGPath> shadowPath_;
  std::shared_ptr<CALayer> mask_;
  std::shared_ptr<const CGImage> contents_;
  CALayerContentsGravity contentsGravity_ = CALayerContentsGravity::resize;
  CGFloat contentsScale_ = 1;
  std::vector<std::shared_ptr<CALayer>> sublayers_;
  std::weak_ptr<CALayer> superlayer_;
  CALayerDelegate* delegate_ = nullptr;
  mutable bool needsDisplay_ = true;
  bool needsLayout_ = false;
  std::uint64_t displayVersion_;
  std::uint64_t generation_ = 0;
  std::uint64_t contentGeneration_ = 0;
  mutable std::unique_ptr<LayerBacking> backing_;
  std::map<std::string, PropertyAnimation, std::less<>> animations_;
};

}  // namespace ios
