#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UIView.h>

#include <memory>
#include <string>

namespace kerbelin {

// The whole content of a screen whose real content comes later: the screen's title and one line
// saying it is not built yet, centred. Interface files place it by the class name
// "PlaceholderContentView" and give the title through the key "title".
class PlaceholderContentView : public ios::UIView {
  struct Passkey {};

 public:
  static constexpr const char* kNotBuiltMessage = "Màn hình này đang được xây dựng.";

  static std::shared_ptr<PlaceholderContentView> create(const std::string& title = "");
  explicit PlaceholderContentView(Passkey);

  std::string title() const;
  void setTitle(const std::string& title);

  const std::shared_ptr<ios::UILabel>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<ios::UILabel>& messageLabel() const { return messageLabel_; }

  void layoutSubviews() override;

 private:
  void build();

  std::shared_ptr<ios::UILabel> titleLabel_;
  std::shared_ptr<ios::UILabel> messageLabel_;
};

}  // namespace kerbelin
