#pragma once

#include <Class/BuyCard/CustomCell/BaseTableCell.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>

#include <memory>
#include <string>

namespace kerbelin {

class CardPromotion;

// One promotion of a card: its icon beside its description, which the server sends as HTML and the
// row shows as rich text at 16 px. Also used by the card detail.
class DefaultIconAndLabelTableViewCell : public BaseTableCell {
 public:
  static constexpr char identifier[] = "DefaultIconAndLabelTableViewCell";
  // The document around a description; the font size is fixed here.
  static constexpr char htmlPrefix[] =
      "<body style=\"font-family: '-apple-system', 'HelveticaNeue';font-size : 16px\">";
  static constexpr char htmlSuffix[] = "</body>";

  static std::shared_ptr<DefaultIconAndLabelTableViewCell> create();
  DefaultIconAndLabelTableViewCell();

  void awakeFromNib() override;

  std::weak_ptr<ios::UIImageView> lbIcon;
  std::weak_ptr<ios::UILabel> lbText;
  std::weak_ptr<ios::UIView> viewMain;
  std::weak_ptr<ios::UIView> viewRadius;
  std::weak_ptr<ios::NSLayoutConstraint> cstBottomMain;
  std::weak_ptr<ios::UIView> viewShadow;
  std::weak_ptr<ios::NSLayoutConstraint> cstBottom;

  // Loads the icon anew and renders the description; a description that does not render leaves the
  // text empty.
  void configWithPromotion(const CardPromotion& promotion);
};

}  // namespace kerbelin
