#pragma once

#include <AVFoundation/AVCaptureMetadataOutput.h>
#include <AVFoundation/AVCaptureSession.h>
#include <AVFoundation/AVCaptureVideoPreviewLayer.h>
#include <CoreImage/CIFeature.h>
#include <UIKit/UIImagePickerController.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

// Told the text of a code the scanner accepted, once its screen has handed it off.
class QRScannerControllerDelegate {
 public:
  virtual ~QRScannerControllerDelegate() = default;
  virtual void qrScanningSucceeded(const std::string& code) = 0;
};

// The "Quét mã" tab (scene "QRCodeViewController" of the storyboard "QRCode"): the back camera's
// picture, read for bar codes and QR codes of thirteen kinds, a torch switch, and a QR code read from a
// photo of the library.
//
// One read per appearance: the first non-empty text, from the camera or a photo, is handed off and
// every later code is ignored until the screen appears again. The camera runs only while the screen is
// on screen. Access to the camera is asked for on the first appearance; while it is denied, each
// appearance offers the way to the settings.
class QRCodeViewController : public ios::UIViewController,
                             public ios::AVCaptureMetadataOutputObjectsDelegate,
                             public ios::UIImagePickerControllerDelegate {
 public:
  static std::shared_ptr<QRCodeViewController> create();
  QRCodeViewController();

  std::weak_ptr<ios::UIView> viewPhoto;
  std::weak_ptr<ios::UIView> viewFlash;
  std::weak_ptr<ios::UIView> viewCamera;
  bool isChecking = false;
  // Held weakly: whoever listens owns itself.
  std::weak_ptr<QRScannerControllerDelegate> delegate;
  std::shared_ptr<ios::UIImagePickerController> imagePicker;
  std::shared_ptr<ios::AVCaptureSession> captureSession;
  std::shared_ptr<ios::AVCaptureVideoPreviewLayer> videoPreviewLayer;

  // The code kinds asked of the camera, in the platform's order.
  static const std::vector<ios::AVMetadataObjectType>& supportedCodeTypes();

  void viewDidLoad() override;
  void viewDidAppear(bool animated) override;
  void viewDidDisappear(bool animated) override;

  // Joins the back camera to the session (once) and starts it.
  void startRunningCamera();
  void toggleFlash();
  void didSelectFlash(const std::shared_ptr<ios::NSObject>& sender = nullptr);
  void didSelectPhoto(const std::shared_ptr<ios::NSObject>& sender = nullptr);
  // The QR codes the detector finds in a photo; none when the photo gives no image to search.
  std::optional<std::vector<std::shared_ptr<ios::CIFeature>>> detectQRCode(const std::shared_ptr<ios::UIImage>& image);
  // The one-read guard and the hand-off of an accepted text.
  void checkQRCode(const std::string& decodedURL);

  void metadataOutput(const std::shared_ptr<ios::AVCaptureMetadataOutput>& output,
                      const std::vector<std::shared_ptr<ios::AVMetadataObject>>& metadataObjects,
                      const std::shared_ptr<ios::AVCaptureConnection>& connection) override;
  void didFinishPickingMediaWithInfo(ios::UIImagePickerController& picker, const ios::UIImagePickerInfo& info) override;
  void imagePickerControllerDidCancel(ios::UIImagePickerController& picker) override;

 private:
  void launchApp(const std::string& decodedURL);
  void showFailQRCodeScan();
  void showSettingsAlert();
  void scanImageFromLib(const std::shared_ptr<ios::UIImage>& chosenImage);
  void readPhoto(const std::shared_ptr<ios::UIImage>& chosenImage);
};

}  // namespace kerbelin
