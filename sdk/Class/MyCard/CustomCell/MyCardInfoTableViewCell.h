#pragma once

#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

class CardModel;
class DefServiceDtos;

// The line pair under an owned card's cover: its limit and expiry when paid, or the amount and the
// payment deadline while it waits for payment. Each configuration rewrites all four labels with the
// server's texts as they stand.
class MyCardInfoTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "MyCardInfoTableViewCell";

  static std::shared_ptr<MyCardInfoTableViewCell> create();
  MyCardInfoTableViewCell();

  std::weak_ptr<ios::UILabel> lbAInfo;
  std::weak_ptr<ios::UILabel> lbAValue;
  std::weak_ptr<ios::UIView> viewLine;
  std::weak_ptr<ios::UILabel> lbBInfo;
  std::weak_ptr<ios::UILabel> lbBValue;
  std::weak_ptr<ios::UIView> viewRadius;
  std::weak_ptr<ios::UIView> viewMain;
  std::weak_ptr<ios::UIView> viewShadow;
  std::weak_ptr<ios::NSLayoutConstraint> cstBottomMain;

  // "Hạn mức thẻ": the first balance's units left ("0 đ" without any balance); "Hạn sử dụng": the
  // service's expiry.
  void configWithRootService(const DefServiceDtos& rootService);
  // "Chờ thanh toán": the card's price; "Hạn thanh toán": its payment deadline.
  void configWithCard(const CardModel& card);

 private:
  void show(const std::string& aInfo, const std::string& aValue, const std::string& bInfo,
            const std::string& bValue);
};

}  // namespace kerbelin
