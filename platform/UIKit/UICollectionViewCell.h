#pragma once

#include <UIKit/CellContentHost.h>
#include <UIKit/UIView.h>

#include <memory>
#include <string>

namespace ios {

// One item of a collection view. As with table cells, content goes into `contentView` (views added
// to the cell itself are moved there), the base `layoutSubviews` fits the content and background
// views to the bounds, and a reused cell keeps all its state.
class UICollectionViewCell : public UIView {
 public:
  static std::shared_ptr<UICollectionViewCell> create(const CGRect& frame = CGRect::zero);
  explicit UICollectionViewCell(const CGRect& frame = CGRect::zero);

  const std::string& reuseIdentifier() const { return reuseIdentifier_; }
  // Made with the cell and placed in it the first time it is asked for or the cell is laid out.
  const std::shared_ptr<UIView>& contentView() const { return content_.contentView(); }
  const std::shared_ptr<UIView>& backgroundView() const { return content_.backgroundView(); }
  void setBackgroundView(std::shared_ptr<UIView> view) { content_.setBackgroundView(std::move(view)); }
  const std::shared_ptr<UIView>& selectedBackgroundView() const { return content_.selectedBackgroundView(); }
  void setSelectedBackgroundView(std::shared_ptr<UIView> view) {
    content_.setSelectedBackgroundView(std::move(view), selected_ || highlighted_);
  }

  bool isSelected() const { return selected_; }
  // Overrides call the base.
  virtual void setSelected(bool selected);
  bool isHighlighted() const { return highlighted_; }
  virtual void setHighlighted(bool highlighted);

  virtual void prepareForReuse() {}

  void layoutSubviews() override;
  void didAddSubview(const std::shared_ptr<UIView>& subview) override;

  // Used by the collection view.
  void setReuseIdentifier(std::string identifier) { reuseIdentifier_ = std::move(identifier); }

 protected:
  // The content view follows a change of size at once (keeping any inset a subclass gave it), so
  // that constraints inside it are never solved against a stale size.
  void boundsDidChange(const CGRect& oldBounds) override;

 private:
  std::string reuseIdentifier_;
  mutable CellContentHost content_;
  bool selected_ = false;
  bool highlighted_ = false;
};

}  // namespace ios
