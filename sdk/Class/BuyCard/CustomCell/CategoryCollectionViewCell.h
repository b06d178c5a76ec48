#pragma once

#include <UIKit/UICollectionViewCell.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>

#include <memory>
#include <string>

namespace kerbelin {

// One entry of the store's category bar: icon, name, and the white backing with an arrow that marks
// the current category. Made from the nib of the same name; the bar fills it.
class CategoryCollectionViewCell : public ios::UICollectionViewCell {
 public:
  static constexpr char identifier[] = "CategoryCollectionViewCell";

  static std::shared_ptr<CategoryCollectionViewCell> create();
  CategoryCollectionViewCell();

  std::weak_ptr<ios::UIImageView> icon;
  std::weak_ptr<ios::UILabel> lbName;
  std::weak_ptr<ios::UIImageView> imgArrow;
  std::weak_ptr<ios::UIView> viewBg;
};

}  // namespace kerbelin
