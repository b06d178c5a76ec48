#pragma once

#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIButton.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class DefServiceDtos;

// The first and the last row of a service's detail: the service's name with a badge of the
// service's own state, or its description under a line. One nib serves both, so each fill sets the
// badge, its width constraint, the line and the font itself.
class DetailServiceTextTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "DetailServiceTextTableViewCell";

  static std::shared_ptr<DetailServiceTextTableViewCell> create();
  DetailServiceTextTableViewCell();

  std::weak_ptr<ios::UILabel> titleLabel;
  std::weak_ptr<ios::UIButton> waitPayButton;
  // 30 while the badge shows, 0 when it is collapsed.
  std::weak_ptr<ios::NSLayoutConstraint> cstWaitPayButton;
  std::weak_ptr<ios::UIView> lineView;

  // The name (`name` for a service not bought yet, `namDefService` otherwise) and the state badge: none
  // for a service not bought, "Chờ thanh toán", "Còn hiệu lực", or "Hết hiệu lực" for an expired
  // service or none at all. Without a service the name keeps what it showed.
  void showHeader(const DefServiceDtos* service);
  // The service's description ("" without one) under the line, with no badge.
  void showDescription(const DefServiceDtos* service);

 private:
  void showBadge(bool shown);
  // The badge's colour and words for a bought service's state (none: expired).
  void paintBadge(std::optional<TypeDetailCard> state);
};

}  // namespace kerbelin
