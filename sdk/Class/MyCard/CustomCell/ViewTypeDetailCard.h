#pragma once

#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIView.h>

#include <memory>

namespace kerbelin {

// The status badge of an owned card: a coloured background, an icon and a caption. Always made from
// its nib "ViewTypeDetailCard"; whoever shows it fills the three outlets.
class ViewTypeDetailCard : public ios::UIView {
 public:
  static std::shared_ptr<ViewTypeDetailCard> create();
  ViewTypeDetailCard();

  std::weak_ptr<ios::UIView> viewBackground;
  std::weak_ptr<ios::UIImageView> icon;
  std::weak_ptr<ios::UILabel> lbTitle;
};

}  // namespace kerbelin
