#pragma once

#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

class DefServiceDtos;

// One service of an owned card: its name and the units it has left, as the server wrote them.
class MyCardServiceTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "MyCardServiceTableViewCell";

  static std::shared_ptr<MyCardServiceTableViewCell> create();
  MyCardServiceTableViewCell();

  std::weak_ptr<ios::UIView> viewRadius;
  std::weak_ptr<ios::UIView> viewMain;
  std::weak_ptr<ios::UIImageView> icon;
  std::weak_ptr<ios::UILabel> lbValue;
  std::weak_ptr<ios::UILabel> lbNameService;
  std::weak_ptr<ios::NSLayoutConstraint> cstBottom;
  std::weak_ptr<ios::UIView> viewShadow;
  std::weak_ptr<ios::NSLayoutConstraint> cstBottomMain;

  const std::shared_ptr<DefServiceDtos>& service() const { return service_; }
  // Every assignment fills the labels again, also with the same service; null changes nothing on
  // screen. The service stays the list's: it is shared, not copied.
  void setService(std::shared_ptr<DefServiceDtos> service);

 private:
  std::shared_ptr<DefServiceDtos> service_;
};

}  // namespace kerbelin
