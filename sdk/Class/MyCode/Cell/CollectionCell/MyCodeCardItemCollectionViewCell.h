#pragma once

#include <UIKit/UICollectionViewCell.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>

#include <memory>
#include <string>

namespace kerbelin {

// One page of the my-code tab's card strip: a paid card's cover, number and name. The strip fills it.
class MyCodeCardItemCollectionViewCell : public ios::UICollectionViewCell {
 public:
  static constexpr char identifier[] = "MyCodeCardItemCollectionViewCell";

  static std::shared_ptr<MyCodeCardItemCollectionViewCell> create();

  std::weak_ptr<ios::UILabel> labelNameCard;
  std::weak_ptr<ios::UILabel> labelCardNo;
  std::weak_ptr<ios::UIImageView> imageCard;
};

}  // namespace kerbelin
