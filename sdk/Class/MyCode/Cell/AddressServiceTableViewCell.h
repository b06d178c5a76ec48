#pragma once

#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

class BranchModel;

// One branch in a provider's branch list: name, address, hours, phone, an open or closed badge, and a
// directions button that opens the route in the maps application or, without it, on the web.
class AddressServiceTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "AddressServiceTableViewCell";

  static std::shared_ptr<AddressServiceTableViewCell> create();

  std::weak_ptr<ios::UIView> viewContent;
  std::weak_ptr<ios::NSLayoutConstraint> widthViewOpen;
  std::weak_ptr<ios::UIView> viewOpen;
  std::weak_ptr<ios::UILabel> labelName;
  std::weak_ptr<ios::UILabel> labelAddress;
  std::weak_ptr<ios::UILabel> labelTimeOpen;
  std::weak_ptr<ios::UILabel> labelPhone;
  std::weak_ptr<ios::UILabel> labelOpen;
  std::shared_ptr<BranchModel> objBranch;

  void awakeFromNib() override;
  // Sets every text and the badge, so nothing of the row's previous branch remains.
  void getData(const std::shared_ptr<BranchModel>& obj);
  void didPressedGotoGoogleMap(const std::shared_ptr<ios::NSObject>& sender = nullptr);
  // Opens the route to `objBranch`; nothing without a branch, a location, or coordinates that are
  // plain decimal numbers.
  void openGoogleMap();
};

}  // namespace kerbelin
