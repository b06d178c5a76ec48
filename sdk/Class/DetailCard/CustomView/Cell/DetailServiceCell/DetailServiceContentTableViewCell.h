#pragma once

#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// One label / icon / value row of a service's detail. How the value is drawn follows the label it
// stands under; the detail screen names the format.
class DetailServiceContentTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "DetailServiceContentTableViewCell";

  enum class ValueFormat {
    customerPrice,  // plain text in the brand colour
    listedPrice,    // plain text, struck through with a thick line
    limit,          // the server's HTML at 16 points
    emphasised,     // the server's HTML at 15 points, all of it in the semibold system font
  };

  static std::shared_ptr<DetailServiceContentTableViewCell> create();
  DetailServiceContentTableViewCell();

  std::weak_ptr<ios::UIImageView> iconImageView;
  std::weak_ptr<ios::UILabel> titleLabel;
  std::weak_ptr<ios::UILabel> priceLabel;

  // `icon` is an image asset name of the host's main bundle; a missing image leaves no icon. HTML
  // that cannot be read leaves the value empty.
  void show(const std::string& icon, const std::string& title, const std::string& value, ValueFormat format);
};

}  // namespace kerbelin
