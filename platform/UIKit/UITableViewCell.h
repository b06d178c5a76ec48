#pragma once

#include <UIKit/CellContentHost.h>
#include <UIKit/UIView.h>

#include <memory>
#include <string>

namespace ios {

enum class UITableViewCellStyle { default_ = 0, value1, value2, subtitle };
enum class UITableViewCellSelectionStyle { none = 0, blue, gray, default_ };
enum class UITableViewCellAccessoryType {
  none = 0,
  disclosureIndicator,
  detailDisclosureButton,
  checkmark,
  detailButton
};

// One row of a table. Content goes into `contentView`; views added to the cell itself (a nib's
// subviews) are moved into it, keeping their frames, as interface files place a cell's views. The
// base `layoutSubviews` resets the content view (and the background views) to the cell's bounds, so a
// subclass may inset it after calling the base.
//
// A cell taken from the reuse pool keeps all its state: `prepareForReuse` does nothing in the base,
// and the table only updates the selection of a reused cell.
class UITableViewCell : public UIView {
 public:
  static std::shared_ptr<UITableViewCell> create(UITableViewCellStyle style = UITableViewCellStyle::default_,
                                                 std::string reuseIdentifier = {});
  explicit UITableViewCell(UITableViewCellStyle style = UITableViewCellStyle::default_,
                           std::string reuseIdentifier = {});

  const std::string& reuseIdentifier() const { return reuseIdentifier_; }
  UITableViewCellStyle style() const { return style_; }
  // Made with the cell and placed in it the first time it is asked for or the cell is laid out.
  const std::shared_ptr<UIView>& contentView() const { return content_.contentView(); }

  const std::shared_ptr<UIView>& backgroundView() const { return content_.backgroundView(); }
  void setBackgroundView(std::shared_ptr<UIView> view) { content_.setBackgroundView(std::move(view)); }
  const std::shared_ptr<UIView>& selectedBackgroundView() const { return content_.selectedBackgroundView(); }
  void setSelectedBackgroundView(std::shared_ptr<UIView> view);

  // With style none a tap still selects the row; only the highlight is not shown.
  UITableViewCellSelectionStyle selectionStyle = UITableViewCellSelectionStyle::default_;
  UITableViewCellAccessoryType accessoryType = UITableViewCellAccessoryType::none;
  UIEdgeInsets separatorInset{0, 15, 0, 0};

  bool isSelected() const { return selected_; }
  void setSelected(bool selected) { setSelected(selected, false); }
  // Overrides call the base to keep `isSelected` and the selected background right.
  virtual void setSelected(bool selected, bool animated);
  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool highlighted) { setHighlighted(highlighted, false); }
  virtual void setHighlighted(bool highlighted, bool animated);

  // Called before the table hands the cell out again.
  virtual void prepareForReuse() {}

  void layoutSubviews() override;
  void didAddSubview(const std::shared_ptr<UIView>& subview) override;

  // Used by the table: the identifier of the pool the cell came from.
  void setReuseIdentifier(std::string identifier) { reuseIdentifier_ = std::move(identifier); }

 protected:
  // The content view follows a change of size at once (keeping any inset a subclass gave it), so
  // that constraints inside it are never solved against a stale size.
  void boundsDidChange(const CGRect& oldBounds) override;

 private:
  bool showsSelectedBackground() const;

  UITableViewCellStyle style_;
  std::string reuseIdentifier_;
  mutable CellContentHost content_;
  bool selected_ = false;
  bool highlighted_ = false;
};

}  // namespace ios
