#pragma once

#include <UIKit/CellContentHost.h>
#include <UIKit/UIView.h>

#include <memory>
#include <string>

namespace ios {

// A reusable section header or footer. Like cells, content goes into `contentView`, the base
// `layoutSubviews` fits it to the bounds, and a reused view keeps its state.
class UITableViewHeaderFooterView : public UIView {
 public:
  static std::shared_ptr<UITableViewHeaderFooterView> create(std::string reuseIdentifier = {});
  explicit UITableViewHeaderFooterView(std::string reuseIdentifier = {});

  const std::string& reuseIdentifier() const { return reuseIdentifier_; }
  // Made with the cell and placed in it the first time it is asked for or the cell is laid out.
  const std::shared_ptr<UIView>& contentView() const { return content_.contentView(); }
  const std::shared_ptr<UIView>& backgroundView() const { return content_.backgroundView(); }
  void setBackgroundView(std::shared_ptr<UIView> view) { content_.setBackgroundView(std::move(view)); }

  virtual void prepareForReuse() {}

  void layoutSubviews() override;
  void didAddSubview(const std::shared_ptr<UIView>& subview) override;

  // Used by the table.
  void setReuseIdentifier(std::string identifier) { reuseIdentifier_ = std::move(identifier); }

 protected:
  // The content view follows a change of size at once (keeping any inset a subclass gave it), so
  // that constraints inside it are never solved against a stale size.
  void boundsDidChange(const CGRect& oldBounds) override;

 private:
  std::string reuseIdentifier_;
  mutable CellContentHost content_;
};

}  // namespace ios
