#pragma once

#include <UIKit/UIView.h>

#include <cmath>
#include <memory>

namespace ios::test {

// A view with a fixed content size, like an image view.
class ContentBox : public UIView {
 public:
  explicit ContentBox(CGSize content) : content_(content) {}
  static std::shared_ptr<ContentBox> make(CGFloat w, CGFloat h, bool constrained = true) {
    auto box = std::make_shared<ContentBox>(CGSize{w, h});
    box->setTranslatesAutoresizingMaskIntoConstraints(!constrained);
    return box;
  }
  CGSize intrinsicContentSize() const override { return content_; }
  void setContent(CGSize content) {
    content_ = content;
    invalidateIntrinsicContentSize();
  }

 private:
  CGSize content_;
};

// Wrapping text: `characters` glyphs 10 pt wide on 20 pt lines. Alone it is one long line; given a
// width it wraps, so its height depends on its width, as a multi-line label's does.
class TextBlock : public UIView {
 public:
  explicit TextBlock(int characters) : characters_(characters) {}
  static std::shared_ptr<TextBlock> make(int characters) {
    auto block = std::make_shared<TextBlock>(characters);
    block->setTranslatesAutoresizingMaskIntoConstraints(false);
    return block;
  }
  void setCharacters(int characters) {
    characters_ = characters;
    invalidateIntrinsicContentSize();
  }
  CGSize intrinsicContentSize() const override { return {characters_ * 10.0, 20}; }
  bool hasIntrinsicHeightForWidth() const override { return true; }
  CGFloat intrinsicHeightForWidth(CGFloat width) const override {
    if (width <= 0) return characters_ * 20.0;
    const double perLine = std::max(1.0, std::floor(width / 10.0));
    return std::max(1.0, std::ceil(characters_ / perLine)) * 20.0;
  }

 private:
  int characters_;
};

inline std::shared_ptr<UIView> constrainedView() {
  auto view = UIView::create();
  view->setTranslatesAutoresizingMaskIntoConstraints(false);
  return view;
}

}  // namespace ios::test
