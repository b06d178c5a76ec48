#pragma once

#include <Class/MyCode/QRCountdownLine.h>
#include <Foundation/Timer.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class MyCodeQRCodeModel;

// Asked for a new token once the row's count has run out, on each tick until one arrives.
class MyCodeMyQRTableViewCellDelegate {
 public:
  virtual ~MyCodeMyQRTableViewCellDelegate() = default;
  virtual void genQRcode() = 0;
};

// The user's own QR code at the top of the my-code tab: drawn from a server token, with the customer's
// name and phone, counted down once a second to the token's deadline on the run loop's clock. Its timer
// runs only while the row is on screen, so a row off screen asks for no renewals; the deadline keeps
// running, and a row back in sight after it asks at once, unless it asked or got its token within the
// last tick. Whatever the tokens' lifetimes, it asks at most once a tick.
class MyCodeMyQRTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "MyCodeMyQRTableViewCell";
  static constexpr double tick = 1.0;

  static std::shared_ptr<MyCodeMyQRTableViewCell> create();
  ~MyCodeMyQRTableViewCell() override;

  std::weak_ptr<ios::UIView> viewQR;
  std::weak_ptr<ios::UIImageView> imageQR;
  std::weak_ptr<ios::UILabel> labelPhone;
  std::weak_ptr<ios::UILabel> labelName;
  std::weak_ptr<ios::UILabel> labelTime;
  // Held weakly: the screen holds its table and so this row.
  std::weak_ptr<MyCodeMyQRTableViewCellDelegate> delegate;
  std::shared_ptr<MyCodeQRCodeModel> objQRCode;
  std::int64_t timeCountDown = 0;
  std::shared_ptr<ios::Timer> timer;

  void didMoveToWindow() override;
  // A new token: its code, the customer, and the count restarted at its lifetime.
  void getData(const std::shared_ptr<MyCodeQRCodeModel>& obj);
  void fireTimer();
  void setTextLabelTime();

 private:
  void countDown(bool mayAsk);
  void runOut();
  bool exchangedWithinATick() const;

  QRDeadline deadline_;
  std::optional<double> lastExchange_;  // when the row last asked for a token or got one, on the loop's clock
};

}  // namespace kerbelin
