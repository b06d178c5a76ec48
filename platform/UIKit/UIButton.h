#pragma once

#include <CoreGraphics/UIEdgeInsets.h>
#include <CoreText/NSAttributedString.h>
#include <UIKit/UIControl.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace ios {

// Raw values as UIKit's.
enum class UIButtonType {
  custom = 0,
  system = 1,
  detailDisclosure = 2,
  infoLight = 3,
  infoDark = 4,
  contactAdd = 5
};
enum class UIControlContentHorizontalAlignment {
  center = 0,
  left = 1,
  right = 2,
  fill = 3,
  leading = 4,
  trailing = 5
};
enum class UIControlContentVerticalAlignment { center = 0, top = 1, bottom = 2, fill = 3 };

// A control showing a title and an image side by side (image first), over a background image, all
// chosen per control state.
//
// Per-state values fall back as the platform's do: the value for the exact state, else (for
// highlighted and selected together) the selected one, else the normal one. A system button with
// no title colour of its own uses the tint colour (dimmed while highlighted, grey while disabled);
// a custom one uses white.
//
// Content is laid out in `layoutSubviews`: the title label and the image view are sized to fit,
// placed inside the bounds less `contentEdgeInsets` by the content alignments, then moved by their
// own edge insets (which, as on the platform, do not change the intrinsic size). The background
// image fills the bounds through the button's layer contents.
class UIButton : public UIControl {
 public:
  static std::shared_ptr<UIButton> create(UIButtonType type = UIButtonType::custom);
  static std::shared_ptr<UIButton> create(const CGRect& frame);
  explicit UIButton(const CGRect& frame = CGRect::zero, UIButtonType type = UIButtonType::custom);

  UIButtonType buttonType() const { return type_; }
  // For interface files, which name the type as a key; code picks it at creation.
  void setButtonType(UIButtonType type);

  // Per-state content; `state` is a `UIControl::State` combination.
  void setTitle(std::optional<std::string> title, unsigned state);
  std::optional<std::string> title(unsigned state) const;
  void setTitleColor(std::shared_ptr<UIColor> color, unsigned state);
  std::shared_ptr<UIColor> titleColor(unsigned state) const;
  void setImage(std::shared_ptr<UIImage> image, unsigned state);
  std::shared_ptr<UIImage> image(unsigned state) const;
  void setBackgroundImage(std::shared_ptr<UIImage> image, unsigned state);
  std::shared_ptr<UIImage> backgroundImage(unsigned state) const;
  // An attributed title replaces the plain title of its state when shown.
  void setAttributedTitle(std::shared_ptr<NSAttributedString> title, unsigned state);
  std::shared_ptr<NSAttributedString> attributedTitle(unsigned state) const;

  // What shows in the current state.
  std::optional<std::string> currentTitle() const;
  std::shared_ptr<UIColor> currentTitleColor() const;
  std::shared_ptr<UIImage> currentImage() const;
  std::shared_ptr<UIImage> currentBackgroundImage() const;
  std::shared_ptr<NSAttributedString> currentAttributedTitle() const;

  const std::shared_ptr<UILabel>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<UIImageView>& imageView() const { return imageView_; }

  UIEdgeInsets contentEdgeInsets() const { return contentEdgeInsets_; }
  void setContentEdgeInsets(const UIEdgeInsets& insets);
  UIEdgeInsets titleEdgeInsets() const { return titleEdgeInsets_; }
  void setTitleEdgeInsets(const UIEdgeInsets& insets);
  UIEdgeInsets imageEdgeInsets() const { return imageEdgeInsets_; }
  void setImageEdgeInsets(const UIEdgeInsets& insets);
  UIControlContentHorizontalAlignment contentHorizontalAlignment() const { return horizontalAlignment_; }
  void setContentHorizontalAlignment(UIControlContentHorizontalAlignment alignment);
  UIControlContentVerticalAlignment contentVerticalAlignment() const { return verticalAlignment_; }
  void setContentVerticalAlignment(UIControlContentVerticalAlignment alignment);
  // Stored; images are shown as they are.
  bool adjustsImageWhenHighlighted = true;
  bool adjustsImageWhenDisabled = true;

  void setEnabled(bool enabled) override;
  void setSelected(bool selected) override;
  void setHighlighted(bool highlighted) override;
  void tintColorDidChange() override;
  void layoutSubviews() override;
  CGSize intrinsicContentSize() const override;
  CGSize sizeThatFits(CGSize size) const override;

 private:
  struct StateContent {
    std::optional<std::string> title;
    std::shared_ptr<UIColor> titleColor;
    std::shared_ptr<UIImage> image;
    std::shared_ptr<UIImage> backgroundImage;
    std::shared_ptr<NSAttributedString> attributedTitle;
  };
  // The first value `get` finds set, in the fallback order of `state`; empty when none is.
  template <class Get>
  auto lookup(unsigned state, Get get) const -> decltype(get(StateContent{}));
  void updateContent();
  void ensureSubviews();
  CGSize titleSize() const;
  CGSize imageSize() const;

  UIButtonType type_;
  std::map<unsigned, StateContent> content_;
  std::shared_ptr<UILabel> titleLabel_;
  std::shared_ptr<UIImageView> imageView_;
  UIEdgeInsets contentEdgeInsets_;
  UIEdgeInsets titleEdgeInsets_;
  UIEdgeInsets imageEdgeInsets_;
  UIControlContentHorizontalAlignment horizontalAlignment_ = UIControlContentHorizontalAlignment::center;
  UIControlContentVerticalAlignment verticalAlignment_ = UIControlContentVerticalAlignment::center;
};

}  // namespace ios
