#pragma once

#include <Class/MyCode/QRCountdownLine.h>
#include <Foundation/Dictionary.h>
#include <Foundation/Timer.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/lib/WSLoadingView.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class MyCodeQRCodeModel;

// What the QR pop-up asks of its owner, the panel host.
class PopupQRCodeViewControllerDelegate {
 public:
  virtual ~PopupQRCodeViewControllerDelegate() = default;
  // Close the pop-up; `animation` asks for the sheet's slide-down first.
  virtual void dissmisPopup(bool animation) = 0;
  // Share the QR code of `qr` (the owner closes the sheet first).
  virtual void shareQRcode(const std::string& qr) = 0;
};

// The content of the QR sheet: one QR code under a title, in one of two modes chosen when the view
// loads.
//   Code mode (`code` given): the code's QR at once, with save and share; no request, no timer.
//   Token mode: a server-issued token from `params`, counted down each second to its deadline on the
//   run loop's clock (a tick held up past it asks at once) and asked for again once it has gone by; after a renewal the line reads " Cập nhật thành
//   công" for two readings.
//
// One token request at a time: a tick while one is in flight sends nothing. A reply that is not a
// success, or whose token is empty, shows nothing and the next tick asks again. `stopCountdown`
// (called when the sheet goes) ends the timer, and replies that come later only take away their mask.
class PopupQRCodeViewController : public ios::UIViewController {
 public:
  static constexpr char savedText[] = "Lưu ảnh thành công";
  static constexpr char notSavedText[] = "Lưu ảnh không thành công";
  static constexpr char renewedText[] = " Cập nhật thành công";
  static constexpr char imageFileName[] = "imageqr";
  static constexpr double tick = 1.0;
  static constexpr double alertDuration = 1.0;

  static std::shared_ptr<PopupQRCodeViewController> create();
  PopupQRCodeViewController();
  ~PopupQRCodeViewController() override;

  void viewDidLoad() override;

  std::weak_ptr<ios::UIView> viewSaveAndShareImage;
  std::weak_ptr<ios::UILabel> labelTime;
  std::weak_ptr<ios::UILabel> labelName;
  std::weak_ptr<ios::UIImageView> imageQRCode;
  std::weak_ptr<ios::UILabel> labelDescription;
  // Held weakly: the owner holds this pop-up.
  std::weak_ptr<PopupQRCodeViewControllerDelegate> delegate;
  std::optional<ios::Dictionary> params;
  std::shared_ptr<MyCodeQRCodeModel> objGenQRCode;
  std::int64_t timeCountDown = 0;
  std::shared_ptr<ios::Timer> timer;
  std::string nameTitle;
  bool isCheckUpdateQR = false;
  std::optional<std::string> code;
  // The screen the sheet was opened from. Held weakly: that screen holds the sheet.
  std::weak_ptr<ios::UIViewController> rootView;

  // Asks the server for a token with `params`; nothing while a request is in flight or once stopped.
  void generateQR(const ios::Dictionary& params);
  // Shows a token: its QR, the title and the count (its lifetime, plus 2 after a renewal).
  void getData(const MyCodeQRCodeModel& obj);
  // One tick of the countdown.
  void fireTimer();
  void setTextLabelTime();
  void setTextLabelTimeUpdateSucce();
  // Code mode only: writes the code's QR to the photo library, then says how it went for a second.
  void pressedSaveImage();
  // Code mode only: hands the code to the owner.
  void pressedShareImage();
  // The photo library's answer: none for success, else the error.
  void didFinishSaving(const std::optional<std::string>& error);

  // Ends the countdown for good; replies still in flight are then ignored.
  void stopCountdown();

 private:
  void applyReply(ios::Dictionary reply);
  void runOut();

  bool requestInFlight_ = false;
  bool stopped_ = false;
  QRDeadline deadline_;
};

}  // namespace kerbelin
