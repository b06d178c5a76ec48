#pragma once

#include <Foundation/IndexPath.h>
#include <UIKit/UITableView.h>
#include <UIKit/UITableViewCell.h>

#include <memory>

namespace kerbelin {

// A row of a list drawn as one card per section: the rows of a section share one soft shadow, the
// first row carrying the rounded top end and the last the bottom end. The list tells each cell where
// it stands with `resetFor` before display; the look is applied at the next layout pass.
class RoundedShadowTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr ios::CGFloat endInset = 5;
  static constexpr ios::CGFloat shadowCornerRadius = 6;

  static std::shared_ptr<RoundedShadowTableViewCell> create();
  RoundedShadowTableViewCell();

  bool isFirstRow = false;
  bool isLastRow = false;

  // Sets the flags from the row's index and the table's count of rows in its section. Asks for no
  // layout.
  void resetFor(const ios::IndexPath& indexPath, ios::UITableView& inTableView);

  // Insets the content view at the ends and shapes its shadow and mask. A single-row section keeps
  // whatever shadow path and mask an earlier pass set.
  void layoutSubviews() override;
};

}  // namespace kerbelin
