#pragma once

#include <UIKit/UIButton.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <functional>
#include <memory>
#include <string>

namespace kerbelin {

// The row that accepts the terms: a checkbox and the sentence with the terms link. The row keeps
// the acceptance and reports each change through `checkTerm`; a tap on the link asks for the terms
// through `selectGuideTerm` and changes nothing here. Both closures are optional.
class TermPayTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "TermPayTableViewCell";
  static constexpr char checkedImageName[] = "Icon_dieukhoan-check";
  static constexpr char uncheckedImageName[] = "Icon_dieukhoan-uncheck";

  static std::shared_ptr<TermPayTableViewCell> create();

  void awakeFromNib() override;

  // The checkbox: flips `isCheckTerm`, reports it, redraws the box.
  void didSelectChoose();
  // Shows the box image for `isCheckTerm`: "Icon_dieukhoan-check" when accepted, else
  // "Icon_dieukhoan-uncheck", from the framework's bundle.
  void setIcon();
  // The link: tells `selectGuideTerm` true.
  void didSelectTerm();

  std::weak_ptr<ios::UILabel> titleLabel;
  std::weak_ptr<ios::UIButton> selectButton;
  std::weak_ptr<ios::UIView> selectView;
  std::weak_ptr<ios::UIButton> termButton;
  bool isCheckTerm = true;
  std::function<void(bool)> checkTerm;
  std::function<void(bool)> selectGuideTerm;
};

}  // namespace kerbelin
