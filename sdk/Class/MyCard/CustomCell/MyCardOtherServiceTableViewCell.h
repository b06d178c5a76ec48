#pragma once

#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// The row closing an owned card that has more services than the list shows; the list writes its
// text ("+N dịch vụ khác").
class MyCardOtherServiceTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "MyCardOtherServiceTableViewCell";

  static std::shared_ptr<MyCardOtherServiceTableViewCell> create();
  MyCardOtherServiceTableViewCell();

  std::weak_ptr<ios::UIView> viewRadius;
  std::weak_ptr<ios::UIView> viewMain;
  std::weak_ptr<ios::UILabel> lbOtherService;
  std::weak_ptr<ios::NSLayoutConstraint> cstBottom;
  std::weak_ptr<ios::NSLayoutConstraint> cstBottomMain;
  std::weak_ptr<ios::UIView> viewShadow;
};

}  // namespace kerbelin
