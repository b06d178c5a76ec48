#include <Class/QRCode/QRCodeViewController.h>

#include <AVFoundation/AVCaptureDevice.h>
#include <AVFoundation/AVCaptureDeviceDiscoverySession.h>
#include <AVFoundation/AVCaptureDeviceInput.h>
#include <CoreImage/CIContext.h>
#include <CoreImage/CIDetector.h>
#include <CoreImage/CIImage.h>
#include <CoreImage/CIQRCodeFeature.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <Foundation/DispatchQueue.h>
#include <Toast/UIViewToast.h>
#include <UIKit/UIAlertController.h>
#include <UIKit/UIApplication.h>

#include <algorithm>

namespace kerbelin {

namespace {
using Screen = QRCodeViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>()
                              .property("viewPhoto", &Screen::viewPhoto)
                              .property("viewFlash", &Screen::viewFlash)
                              .property("viewCamera", &Screen::viewCamera)
                              .method("didSelectFlash:", &Screen::didSelectFlash)
                              .method("didSelectPhoto:", &Screen::didSelectPhoto);

constexpr const char* kNotFound = "Không tìm thấy mã QR code.";

void roundCorners(const std::weak_ptr<ios::UIView>& view) {
  if (auto shown = view.lock()) shown->layer()->setCornerRadius(8);
}
}  // namespace

const std::vector<ios::AVMetadataObjectType>& QRCodeViewController::supportedCodeTypes() {
  static const std::vector<ios::AVMetadataObjectType> types = {
      ios::AVMetadataObjectTypeUPCECode,    ios::AVMetadataObjectTypeCode39Code,
      ios::AVMetadataObjectTypeCode39Mod43Code, ios::AVMetadataObjectTypeCode93Code,
      ios::AVMetadataObjectTypeCode128Code, ios::AVMetadataObjectTypeEAN8Code,
      ios::AVMetadataObjectTypeEAN13Code,   ios::AVMetadataObjectTypeAztecCode,
      ios::AVMetadataObjectTypePDF417Code,  ios::AVMetadataObjectTypeITF14Code,
      ios::AVMetadataObjectTypeDataMatrixCode, ios::AVMetadataObjectTypeInterleaved2of5Code,
      ios::AVMetadataObjectTypeQRCode};
  return types;
}

std::shared_ptr<QRCodeViewController> QRCodeViewController::create() {
  return std::make_shared<QRCodeViewController>();
}

QRCodeViewController::QRCodeViewController()
    : imagePicker(ios::UIImagePickerController::create()), captureSession(ios::AVCaptureSession::create()) {}

void QRCodeViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  roundCorners(viewPhoto);
  roundCorners(viewFlash);
}

// ---- Camera

void QRCodeViewController::viewDidAppear(bool animated) {
  UIViewController::viewDidAppear(animated);
  // Each appearance may read one code again.
  isChecking = false;
  auto weak = weakAs<QRCodeViewController>();
  auto start = [weak] {
    ios::DispatchQueue::main().async([weak] {
      if (auto self = weak.lock()) self->startRunningCamera();
    });
  };
  switch (ios::AVCaptureDevice::authorizationStatus(ios::AVMediaType::video)) {
    case ios::AVAuthorizationStatus::authorized:
      start();
      break;
    case ios::AVAuthorizationStatus::denied:
      ios::DispatchQueue::main().async([weak] {
        if (auto self = weak.lock()) self->showSettingsAlert();
      });
      break;
    default:
      ios::AVCaptureDevice::requestAccess(ios::AVMediaType::video, [start](bool granted) {
        if (granted) start();
      });
  }
}

void QRCodeViewController::viewDidDisappear(bool animated) {
  UIViewController::viewDidDisappear(animated);
  // The camera is not left on behind another tab or screen.
  if (captureSession->isRunning()) captureSession->stopRunning();
}

void QRCodeViewController::startRunningCamera() {
  if (captureSession->isRunning()) return;
  if (captureSession->inputs().empty()) {
    auto cameras = ios::AVCaptureDeviceDiscoverySession::create({ios::AVCaptureDeviceType::builtInWideAngleCamera},
                                                                ios::AVMediaType::video,
                                                                ios::AVCaptureDevicePosition::back)
                       ->devices();
    if (cameras.empty()) {
      ios::print("Failed to get the camera device");
      return;
    }
    std::string error;
    auto input = ios::AVCaptureDeviceInput::create(cameras.front(), &error);
    if (!input) {
      ios::print(error);
      return;
    }
    captureSession->addInput(input);
  }
  if (captureSession->outputs().empty()) {
    auto output = ios::AVCaptureMetadataOutput::create();
    captureSession->addOutput(output);
    output->setMetadataObjectsDelegate(sharedAs<QRCodeViewController>(), &ios::DispatchQueue::main());
    output->setMetadataObjectTypes(supportedCodeTypes());
  }
  if (!videoPreviewLayer) {
    auto camera = viewCamera.lock();
    videoPreviewLayer = ios::AVCaptureVideoPreviewLayer::create(captureSession);
    videoPreviewLayer->setVideoGravity(ios::AVLayerVideoGravityResizeAspectFill);
    if (camera) {
      videoPreviewLayer->setFrame(camera->layer()->bounds());
      camera->layer()->addSublayer(videoPreviewLayer);
    }
  }
  captureSession->startRunning();
}

void QRCodeViewController::showSettingsAlert() {
  auto alert = ios::UIAlertController::create("Thông báo", "Vui lòng vào Cài đặt và cho phép truy cập camera.",
                                              ios::UIAlertControllerStyle::alert);
  alert->addAction(ios::UIAlertAction::create("Hủy", ios::UIAlertActionStyle::cancel));
  alert->addAction(ios::UIAlertAction::create("Cài đặt", ios::UIAlertActionStyle::default_, [](ios::UIAlertAction&) {
    const auto& application = ios::UIApplication::shared();
    auto settings = ios::URL::fromString(ios::UIApplicationOpenSettingsURLString);
    if (settings && application->canOpenURL(*settings)) application->open(*settings);
  }));
  present(alert, true);
}

void QRCodeViewController::metadataOutput(const std::shared_ptr<ios::AVCaptureMetadataOutput>&,
                                          const std::vector<std::shared_ptr<ios::AVMetadataObject>>& metadataObjects,
                                          const std::shared_ptr<ios::AVCaptureConnection>&) {
  if (metadataObjects.empty()) return;
  auto code = std::dynamic_pointer_cast<ios::AVMetadataMachineReadableCodeObject>(metadataObjects.front());
  if (!code || !code->stringValue) return;
  const auto& types = supportedCodeTypes();
  if (std::find(types.begin(), types.end(), code->type) != types.end()) launchApp(*code->stringValue);
}

void QRCodeViewController::launchApp(const std::string& decodedURL) {
  if (!presentedViewController()) checkQRCode(decodedURL);
}

void QRCodeViewController::checkQRCode(const std::string& decodedURL) {
  if (isChecking) return;
  isChecking = true;
  if (decodedURL.empty()) {
    isChecking = false;
    return;
  }
  auto weak = weakAs<QRCodeViewController>();
  auto handOff = [weak, decodedURL] {
    auto self = weak.lock();
    if (auto listener = self ? self->delegate.lock() : nullptr) listener->qrScanningSucceeded(decodedURL);
  };
  // A screen that was not presented (the tab's own root) has nothing to dismiss: its dismissal is over.
  if (presentingViewController()) {
    dismiss(true, handOff);
  } else {
    handOff();
  }
}

// ---- Torch

void QRCodeViewController::didSelectFlash(const std::shared_ptr<ios::NSObject>&) { toggleFlash(); }

void QRCodeViewController::toggleFlash() {
  auto device = ios::AVCaptureDevice::defaultDevice(ios::AVMediaType::video);
  if (!device || !device->hasTorch()) return;
  std::string error;
  if (!device->lockForConfiguration(&error)) {
    ios::print(error);
    return;
  }
  if (device->torchMode() == ios::AVCaptureTorchMode::on) {
    device->setTorchMode(ios::AVCaptureTorchMode::off);
  } else if (!device->setTorchModeOn(1.0f, &error)) {
    ios::print(error);
  }
  device->unlockForConfiguration();
}

// ---- Photos

void QRCodeViewController::didSelectPhoto(const std::shared_ptr<ios::NSObject>&) {
  if (!ios::UIImagePickerController::isSourceTypeAvailable(ios::UIImagePickerControllerSourceType::savedPhotosAlbum))
    return;
  ios::print("Button capture");
  imagePicker->delegate = sharedAs<QRCodeViewController>();
  imagePicker->sourceType = ios::UIImagePickerControllerSourceType::photoLibrary;
  imagePicker->allowsEditing = false;
  imagePicker->modalPresentationStyle = ios::UIModalPresentationStyle::fullScreen;
  present(imagePicker, true);
}

void QRCodeViewController::didFinishPickingMediaWithInfo(ios::UIImagePickerController&,
                                                         const ios::UIImagePickerInfo& info) {
  std::shared_ptr<ios::UIImage> image;
  if (auto found = info.find(ios::UIImagePickerControllerOriginalImage); found != info.end())
    image = std::any_cast<std::shared_ptr<ios::UIImage>>(found->second);
  auto weak = weakAs<QRCodeViewController>();
  imagePicker->dismiss(true, [weak, image] {
    if (auto self = weak.lock()) self->scanImageFromLib(image);
  });
}

void QRCodeViewController::imagePickerControllerDidCancel(ios::UIImagePickerController&) {
  ios::print("Cancel");
  imagePicker->dismiss(true);
}

void QRCodeViewController::scanImageFromLib(const std::shared_ptr<ios::UIImage>& chosenImage) {
  auto weak = weakAs<QRCodeViewController>();
  ios::DispatchQueue::global(ios::DispatchQoS::background).async([weak, chosenImage] {
    ios::DispatchQueue::main().async([weak, chosenImage] {
      if (auto self = weak.lock()) self->readPhoto(chosenImage);
    });
  });
}

void QRCodeViewController::readPhoto(const std::shared_ptr<ios::UIImage>& chosenImage) {
  auto features = detectQRCode(chosenImage);
  // A photo in which nothing is found says so too, as one whose code gives no text does.
  auto qr = features && !features->empty() ? std::dynamic_pointer_cast<ios::CIQRCodeFeature>(features->front()) : nullptr;
  if (qr && qr->messageString) {
    checkQRCode(*qr->messageString);
  } else {
    showFailQRCodeScan();
  }
}

std::optional<std::vector<std::shared_ptr<ios::CIFeature>>> QRCodeViewController::detectQRCode(
    const std::shared_ptr<ios::UIImage>& image) {
  auto ciImage = image ? ios::CIImage::create(image) : nullptr;
  if (!ciImage) return std::nullopt;
  auto detector = ios::CIDetector::create(ios::CIDetectorTypeQRCode, ios::CIContext::create(),
                                          {{ios::CIDetectorAccuracy, ios::CIDetectorAccuracyHigh}});
  if (!detector) return std::nullopt;
  const auto& properties = ciImage->properties();
  const ios::Dictionary options = {
      {ios::CIDetectorImageOrientation, properties.contains(ios::kCGImagePropertyOrientation) ? properties[ios::kCGImagePropertyOrientation] : ios::Dictionary(1)}};
  return detector->features(ciImage, options);
}

void QRCodeViewController::showFailQRCodeScan() {
  auto weak = weakAs<QRCodeViewController>();
  ios::DispatchQueue::main().asyncAfter(0.2, [weak] {
    if (auto self = weak.lock()) ios::makeToast(*self->view(), kNotFound, 1.3, ios::CSToastPositionCenter);
  });
}

}  // namespace kerbelin
