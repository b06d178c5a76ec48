#include <UIKit/UIButton.h>

#include <UIKit/Nib/NibEnumNames.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace ios {

namespace {

constexpr CGFloat kTitleFontSize = 15;
// The platform's minimum height of a button that shows a title.
constexpr CGFloat kMinimumTitledHeight = 30;
// An empty button's size, as the platform reports it.
constexpr CGSize kEmptySize{30, 34};
// A highlighted system button fades its title to this alpha.
constexpr CGFloat kHighlightedSystemAlpha = 0.2;

// Adds `name` for the normal state and "highlightedName", "selectedName", "disabledName" for the
// others; `accessors(state)` gives the getter and setter of one state.
template <class Registration, class Accessors>
void addStateKeys(Registration& registration, const std::string& name, Accessors accessors) {
  const std::pair<std::string, unsigned> states[] = {{"", UIControl::normal},
                                                     {"highlighted", UIControl::highlighted},
                                                     {"selected", UIControl::selected},
                                                     {"disabled", UIControl::disabled}};
  for (const auto& [prefix, state] : states) {
    std::string key =
        prefix.empty() ? name : prefix + static_cast<char>(std::toupper(name[0])) + name.substr(1);
    auto [getter, setter] = accessors(state);
    registration.property(std::move(key), getter, setter);
  }
}

template <class V>
auto stateAccessors(V (UIButton::*get)(unsigned) const, void (UIButton::*set)(V, unsigned)) {
  return [get, set](unsigned state) {
    return std::pair{[state, get](const UIButton& button) { return (button.*get)(state); },
                     [state, set](UIButton& button, V value) { (button.*set)(std::move(value), state); }};
  };
}

const bool registered = [] {
  auto registration =
      ClassRegistration<UIButton, UIControl>("UIButton")
          .factory([] { return UIButton::create(); })
          .property(
              "buttonType", [](const UIButton& button) { return static_cast<int>(button.buttonType()); },
              [](UIButton& button, int raw) {
                if (raw >= 0 && raw <= static_cast<int>(UIButtonType::contactAdd))
                  button.setButtonType(static_cast<UIButtonType>(raw));
              })
          .property(
              "font", [](const UIButton& button) { return button.titleLabel()->font(); },
              [](UIButton& button, std::shared_ptr<UIFont> font) {
                button.titleLabel()->setFont(std::move(font));
                button.invalidateIntrinsicContentSize();
                button.setNeedsLayout();
              })
          .property("contentEdgeInsets", &UIButton::contentEdgeInsets, &UIButton::setContentEdgeInsets)
          .property("titleEdgeInsets", &UIButton::titleEdgeInsets, &UIButton::setTitleEdgeInsets)
          .property("imageEdgeInsets", &UIButton::imageEdgeInsets, &UIButton::setImageEdgeInsets)
          .property(
              "contentHorizontalAlignment",
              [](const UIButton& button) { return static_cast<int>(button.contentHorizontalAlignment()); },
              [](UIButton& button, int raw) {
                if (raw >= 0 && raw <= static_cast<int>(UIControlContentHorizontalAlignment::trailing))
                  button.setContentHorizontalAlignment(static_cast<UIControlContentHorizontalAlignment>(raw));
              })
          .property(
              "contentVerticalAlignment",
              [](const UIButton& button) { return static_cast<int>(button.contentVerticalAlignment()); },
              [](UIButton& button, int raw) {
                if (raw >= 0 && raw <= static_cast<int>(UIControlContentVerticalAlignment::fill))
                  button.setContentVerticalAlignment(static_cast<UIControlContentVerticalAlignment>(raw));
              })
          .property("adjustsImageWhenHighlighted", &UIButton::adjustsImageWhenHighlighted)
          .property("adjustsImageWhenDisabled", &UIButton::adjustsImageWhenDisabled);
  // Titles are plain text keys, as interface files give them.
  addStateKeys(registration, "title", [](unsigned state) {
    return std::pair{
        [state](const UIButton& button) { return button.title(state).value_or(""); },
        [state](UIButton& button, std::string title) { button.setTitle(std::move(title), state); }};
  });
  addStateKeys(registration, "titleColor", stateAccessors(&UIButton::titleColor, &UIButton::setTitleColor));
  addStateKeys(registration, "image", stateAccessors(&UIButton::image, &UIButton::setImage));
  addStateKeys(registration, "backgroundImage",
               stateAccessors(&UIButton::backgroundImage, &UIButton::setBackgroundImage));
  addStateKeys(registration, "attributedTitle",
               stateAccessors(&UIButton::attributedTitle, &UIButton::setAttributedTitle));
  return true;
}();

const NibEnumNames::Table kTypeNames("UIButton", "buttonType",
                                     {{"custom", 0},
                                      {"system", 1},
                                      {"detailDisclosure", 2},
                                      {"infoLight", 3},
                                      {"infoDark", 4},
                                      {"contactAdd", 5}});
const NibEnumNames::Table kHorizontalNames(
    "UIButton", "contentHorizontalAlignment",
    {{"center", 0}, {"left", 1}, {"right", 2}, {"fill", 3}, {"leading", 4}, {"trailing", 5}});
const NibEnumNames::Table kVerticalNames("UIButton", "contentVerticalAlignment",
                                         {{"center", 0}, {"top", 1}, {"bottom", 2}, {"fill", 3}});

// Where a length `size` starts in [start, start + span] for an alignment: 0 leading, 0.5 centred,
// 1 trailing.
CGFloat place(CGFloat start, CGFloat span, CGFloat size, CGFloat where) {
  return start + (span - size) * where;
}

}  // namespace

std::shared_ptr<UIButton> UIButton::create(UIButtonType type) {
  auto button = std::make_shared<UIButton>(CGRect::zero, type);
  button->ensureSubviews();
  return button;
}

std::shared_ptr<UIButton> UIButton::create(const CGRect& frame) {
  auto button = std::make_shared<UIButton>(frame);
  button->ensureSubviews();
  return button;
}

UIButton::UIButton(const CGRect& frame, UIButtonType type)
    : UIControl(frame), type_(type), titleLabel_(UILabel::create()), imageView_(UIImageView::create()) {
  titleLabel_->setFont(UIFont::systemFont(kTitleFontSize));
  titleLabel_->setLineBreakMode(NSLineBreakMode::byTruncatingMiddle);
  titleLabel_->setHidden(true);
  imageView_->setContentMode(UIViewContentMode::scaleAspectFit);
  imageView_->setHidden(true);
  layer()->setContentsGravity(CALayerContentsGravity::resize);
  updateContent();
}

// The views exist from the start so that callers may style them, and show once they have content;
// they join the button once it is owned by a shared pointer (the hierarchy needs one).
void UIButton::ensureSubviews() {
  if (imageView_->superview() || weak_from_this().expired()) return;
  addSubview(imageView_);
  addSubview(titleLabel_);
}

void UIButton::setButtonType(UIButtonType type) {
  if (type == type_) return;
  type_ = type;
  updateContent();
}

template <class Get>
auto UIButton::lookup(unsigned state, Get get) const -> decltype(get(StateContent{})) {
  const unsigned order[] = {state, (state & selected) ? unsigned(selected) : unsigned(normal),
                            unsigned(normal)};
  for (unsigned s : order) {
    auto found = content_.find(s);
    if (found != content_.end()) {
      auto value = get(found->second);
      if (value) return value;
    }
  }
  return {};
}

void UIButton::setTitle(std::optional<std::string> title, unsigned state) {
  content_[state].title = std::move(title);
  updateContent();
}

std::optional<std::string> UIButton::title(unsigned state) const {
  return lookup(state, [](const StateContent& c) { return c.title; });
}

void UIButton::setTitleColor(std::shared_ptr<UIColor> color, unsigned state) {
  content_[state].titleColor = std::move(color);
  updateContent();
}

std::shared_ptr<UIColor> UIButton::titleColor(unsigned state) const {
  return lookup(state, [](const StateContent& c) { return c.titleColor; });
}

void UIButton::setImage(std::shared_ptr<UIImage> image, unsigned state) {
  content_[state].image = std::move(image);
  updateContent();
}

std::shared_ptr<UIImage> UIButton::image(unsigned state) const {
  return lookup(state, [](const StateContent& c) { return c.image; });
}

void UIButton::setBackgroundImage(std::shared_ptr<UIImage> image, unsigned state) {
  content_[state].backgroundImage = std::move(image);
  updateContent();
}

std::shared_ptr<UIImage> UIButton::backgroundImage(unsigned state) const {
  return lookup(state, [](const StateContent& c) { return c.backgroundImage; });
}

void UIButton::setAttributedTitle(std::shared_ptr<NSAttributedString> title, unsigned state) {
  content_[state].attributedTitle = std::move(title);
  updateContent();
}

std::shared_ptr<NSAttributedString> UIButton::attributedTitle(unsigned state) const {
  return lookup(state, [](const StateContent& c) { return c.attributedTitle; });
}

std::optional<std::string> UIButton::currentTitle() const {
  if (auto attributed = currentAttributedTitle()) return attributed->string();
  return title(state());
}

std::shared_ptr<UIColor> UIButton::currentTitleColor() const {
  const unsigned s = state();
  auto exact = content_.find(s);
  if (exact != content_.end() && exact->second.titleColor) return exact->second.titleColor;
  if (type_ == UIButtonType::custom) {
    auto color = titleColor(s);
    return color ? color : UIColor::white();
  }
  if (!isEnabled()) return UIColor::gray();
  auto color = titleColor(s);
  if (!color) color = tintColor();
  return isHighlighted() ? color->withAlphaComponent(color->alpha() * kHighlightedSystemAlpha) : color;
}

std::shared_ptr<UIImage> UIButton::currentImage() const {
  return image(state());
}

std::shared_ptr<UIImage> UIButton::currentBackgroundImage() const {
  return backgroundImage(state());
}

std::shared_ptr<NSAttributedString> UIButton::currentAttributedTitle() const {
  return attributedTitle(state());
}

void UIButton::updateContent() {
  ensureSubviews();
  if (auto attributed = currentAttributedTitle()) {
    titleLabel_->setAttributedText(attributed);
  } else {
    titleLabel_->setText(title(state()));
  }
  titleLabel_->setTextColor(currentTitleColor());
  titleLabel_->setHidden(!titleLabel_->text() || titleLabel_->text()->empty());
  auto image = currentImage();
  imageView_->setImage(image);
  imageView_->setHidden(!image);
  auto background = currentBackgroundImage();
  layer()->setContents(background ? background->cgImage() : nullptr);
  if (background) layer()->setContentsScale(background->scale());
  invalidateIntrinsicContentSize();
  setNeedsLayout();
}

void UIButton::setContentEdgeInsets(const UIEdgeInsets& insets) {
  if (insets == contentEdgeInsets_) return;
  contentEdgeInsets_ = insets;
  invalidateIntrinsicContentSize();
  setNeedsLayout();
}

void UIButton::setTitleEdgeInsets(const UIEdgeInsets& insets) {
  if (insets == titleEdgeInsets_) return;
  titleEdgeInsets_ = insets;
  setNeedsLayout();
}

void UIButton::setImageEdgeInsets(const UIEdgeInsets& insets) {
  if (insets == imageEdgeInsets_) return;
  imageEdgeInsets_ = insets;
  setNeedsLayout();
}

void UIButton::setContentHorizontalAlignment(UIControlContentHorizontalAlignment alignment) {
  if (alignment == horizontalAlignment_) return;
  horizontalAlignment_ = alignment;
  setNeedsLayout();
}

void UIButton::setContentVerticalAlignment(UIControlContentVerticalAlignment alignment) {
  if (alignment == verticalAlignment_) return;
  verticalAlignment_ = alignment;
  setNeedsLayout();
}

void UIButton::setEnabled(bool enabled) {
  UIControl::setEnabled(enabled);
  updateContent();
}

void UIButton::setSelected(bool selected) {
  UIControl::setSelected(selected);
  updateContent();
}

void UIButton::setHighlighted(bool highlighted) {
  UIControl::setHighlighted(highlighted);
  updateContent();
}

void UIButton::tintColorDidChange() {
  updateContent();
}

CGSize UIButton::imageSize() const {
  auto image = imageView_->isHidden() ? nullptr : imageView_->image();
  return image ? image->size() : CGSize::zero;
}

CGSize UIButton::titleSize() const {
  if (titleLabel_->isHidden()) return CGSize::zero;
  return titleLabel_->sizeThatFits(CGSize::zero);
}

void UIButton::layoutSubviews() {
  UIControl::layoutSubviews();
  ensureSubviews();
  const CGRect content = inset(bounds(), contentEdgeInsets_);
  CGSize image = imageSize();
  image.width = std::min(image.width, std::max<CGFloat>(content.size.width, 0));
  image.height = std::min(image.height, std::max<CGFloat>(content.size.height, 0));
  CGSize title = titleSize();
  title.width = std::min(title.width, std::max<CGFloat>(content.size.width - image.width, 0));
  title.height = std::min(title.height, std::max<CGFloat>(content.size.height, 0));

  CGFloat where = 0.5;
  switch (horizontalAlignment_) {
    case UIControlContentHorizontalAlignment::left:
    case UIControlContentHorizontalAlignment::leading:
    case UIControlContentHorizontalAlignment::fill:
      where = 0;
      break;
    case UIControlContentHorizontalAlignment::right:
    case UIControlContentHorizontalAlignment::trailing:
      where = 1;
      break;
    case UIControlContentHorizontalAlignment::center:
      break;
  }
  if (horizontalAlignment_ == UIControlContentHorizontalAlignment::fill)
    title.width = std::max<CGFloat>(content.size.width - image.width, 0);
  const CGFloat x = place(content.origin.x, content.size.width, image.width + title.width, where);

  auto vertical = [&](CGFloat& height) {
    switch (verticalAlignment_) {
      case UIControlContentVerticalAlignment::top:
        return content.origin.y;
      case UIControlContentVerticalAlignment::bottom:
        return content.maxY() - height;
      case UIControlContentVerticalAlignment::fill:
        height = content.size.height;
        return content.origin.y;
      case UIControlContentVerticalAlignment::center:
        break;
    }
    return place(content.origin.y, content.size.height, height, 0.5);
  };
  // Edge insets move an element within its slot: by half their difference when centred, by the
  // leading inset when aligned to the leading edge, by the trailing one when aligned to the other.
  const CGFloat vertWhere = verticalAlignment_ == UIControlContentVerticalAlignment::center   ? 0.5
                            : verticalAlignment_ == UIControlContentVerticalAlignment::bottom ? 1
                                                                                              : 0;
  auto shift = [&](const UIEdgeInsets& e) {
    return CGPoint{e.left * (1 - where) - e.right * where, e.top * (1 - vertWhere) - e.bottom * vertWhere};
  };
  const CGFloat imageY = vertical(image.height);
  const CGPoint imageShift = shift(imageEdgeInsets_);
  imageView_->setFrame(CGRect(x + imageShift.x, imageY + imageShift.y, image.width, image.height));
  const CGFloat titleY = vertical(title.height);
  const CGPoint titleShift = shift(titleEdgeInsets_);
  titleLabel_->setFrame(
      CGRect(x + image.width + titleShift.x, titleY + titleShift.y, title.width, title.height));
}

CGSize UIButton::intrinsicContentSize() const {
  const CGSize image = imageSize();
  const CGSize title = titleSize();
  if (image == CGSize::zero && title == CGSize::zero) return kEmptySize;
  CGSize size{image.width + title.width + contentEdgeInsets_.left + contentEdgeInsets_.right,
              std::max(image.height, title.height) + contentEdgeInsets_.top + contentEdgeInsets_.bottom};
  if (title != CGSize::zero) size.height = std::max(size.height, kMinimumTitledHeight);
  return size;
}

CGSize UIButton::sizeThatFits(CGSize) const {
  return intrinsicContentSize();
}

}  // namespace ios
