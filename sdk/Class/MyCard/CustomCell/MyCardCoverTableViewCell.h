#pragma once

#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>
#include <string_view>

namespace kerbelin {

// The first row of an owned card in my cards: picture, name, number in the card's colour and, for a
// card waiting for payment or lapsed, a status badge. The list writes the outlets; the row owns only
// the badge.
class MyCardCoverTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "MyCardCoverTableViewCell";
  static constexpr ios::CGFloat waitingBadgeWidth = 155;
  static constexpr ios::CGFloat lapsedBadgeWidth = 130;

  static std::shared_ptr<MyCardCoverTableViewCell> create();
  MyCardCoverTableViewCell();

  std::weak_ptr<ios::UIView> viewRadius;
  std::weak_ptr<ios::UIView> viewMain;
  std::weak_ptr<ios::UILabel> lbNameCard;
  std::weak_ptr<ios::UIImageView> imgCard;
  std::weak_ptr<ios::UIView> viewTypeCard;
  std::weak_ptr<ios::NSLayoutConstraint> cstWidthViewTypeCard;
  std::weak_ptr<ios::UILabel> lbNumberCard;
  std::weak_ptr<ios::UIView> viewLine;
  std::weak_ptr<ios::UIView> viewShadow;
  std::weak_ptr<ios::NSLayoutConstraint> cstBottomMain;

  // Empties the badge container, then for "W", "E" or "C" (exact letters) puts one new badge from
  // the nib "ViewTypeDetailCard" into it; any other status leaves it hidden and 0 wide. The badge's
  // icon is an image of the main bundle.
  void checkUICardType(std::string_view status);
};

}  // namespace kerbelin
