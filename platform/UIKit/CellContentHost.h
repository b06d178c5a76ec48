#pragma once

#include <UIKit/UIView.h>

#include <memory>

namespace ios {

// The content and background views of a reusable cell, held by the cell it serves. Content goes into
// `contentView`; views added to the cell itself (a nib's subviews) are moved into it keeping their
// frames, as interface files place a cell's views. The background view sits at the back and the
// selected background just above it, shown only while the cell asks for it.
//
// The cell forwards its `didAddSubview`, `layoutSubviews` and `boundsDidChange` here. Every call is
// constant time apart from the view-tree moves it makes.
class CellContentHost {
 public:
  // `cell` owns this object and outlives it.
  CellContentHost(UIView& cell, const CGRect& frame);

  // Made with the cell and placed in it the first time it is asked for or the cell is laid out
  // (never while the cell is still being made, when it cannot yet be a superview).
  const std::shared_ptr<UIView>& contentView();

  const std::shared_ptr<UIView>& backgroundView() const { return backgroundView_; }
  void setBackgroundView(std::shared_ptr<UIView> view);
  const std::shared_ptr<UIView>& selectedBackgroundView() const { return selectedBackgroundView_; }
  void setSelectedBackgroundView(std::shared_ptr<UIView> view, bool shown);
  // Puts the selected background in the cell or takes it out.
  void showSelectedBackground(bool shown);

  // Moves a view the cell was given into the content view, unless it is one of the views above.
  void adopt(const std::shared_ptr<UIView>& subview);
  // Fits the content and background views to the cell's bounds.
  void fitToBounds();
  // Grows or shrinks the content view with the cell at once, keeping any inset a subclass gave it,
  // so that constraints inside it are never solved against a stale size.
  void followSize(const CGRect& oldBounds);

 private:
  bool owns(const UIView& view) const;
  void attach();
  void insertOwn(const std::shared_ptr<UIView>& view, std::size_t index);

  UIView& cell_;
  std::shared_ptr<UIView> contentView_;
  std::shared_ptr<UIView> backgroundView_;
  std::shared_ptr<UIView> selectedBackgroundView_;
  bool attached_ = false;
  bool adopting_ = false;
};

}  // namespace ios
