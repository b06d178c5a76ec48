#include <UIKit/UIImage.h>

#include <Foundation/Bundle.h>
#include <ImageIO/CGImageSource.h>
#include <ImageIO/JPEGCodec.h>
#include <ImageIO/PNGCodec.h>
#include <UIKit/ImageAssetCatalog.h>
#include <UIKit/UIGraphics.h>
#include <UIKit/UIScreen.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace ios {

namespace {

const auto registration = ClassRegistration<UIImage>("UIImage");

// "icon@2x.png" declares scale 2; anything else scale 1.
CGFloat scaleFromFileName(const std::string& path) {
  const std::string stem = std::filesystem::path(path).stem().string();
  for (int scale : {2, 3})
    if (stem.ends_with("@" + std::to_string(scale) + "x")) return scale;
  return 1;
}

std::string number(CGFloat value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

}  // namespace

UIImage::UIImage(Passkey, std::shared_ptr<const CGImage> cgImage, CGSize pointSize, CGFloat scale,
                 UIImageOrientation orientation)
    : cgImage_(std::move(cgImage)), pointSize_(pointSize), scale_(scale), orientation_(orientation) {}

std::shared_ptr<UIImage> UIImage::create(std::shared_ptr<const CGImage> cgImage, CGFloat scale,
                                         UIImageOrientation orientation) {
  if (!cgImage || !(scale > 0)) return nullptr;
  const CGSize size{cgImage->width() / scale, cgImage->height() / scale};
  return std::make_shared<UIImage>(Passkey{}, std::move(cgImage), size, scale, orientation);
}

std::shared_ptr<UIImage> UIImage::createWithoutBitmap(CGSize size, CGFloat scale) {
  if (!(scale > 0)) return nullptr;
  return std::make_shared<UIImage>(Passkey{}, nullptr, size, scale, UIImageOrientation::up);
}

std::shared_ptr<UIImage> UIImage::named(std::string_view name) {
  return named(name, nullptr);
}

std::shared_ptr<UIImage> UIImage::named(std::string_view name, const std::shared_ptr<Bundle>& bundle,
                                        CGFloat displayScale) {
  if (name.empty()) return nullptr;
  if (!(displayScale > 0)) displayScale = UIScreen::main()->scale();
  return ImageAssetCatalog::image(name, bundle ? bundle : Bundle::main(), displayScale);
}

std::shared_ptr<UIImage> UIImage::fromData(const Data& data, CGFloat scale) {
  auto source = CGImageSource::create(data);
  return source ? create(source->createImage(0), scale) : nullptr;
}

std::shared_ptr<UIImage> UIImage::contentsOfFile(const std::string& path) {
  const auto data = Data::contentsOfFile(path);
  return data ? fromData(*data, scaleFromFileName(path)) : nullptr;
}

std::shared_ptr<UIImage> UIImage::animatedImage(std::vector<std::shared_ptr<UIImage>> images,
                                                double duration) {
  std::erase(images, nullptr);
  if (images.empty()) return nullptr;
  const UIImage& first = *images.front();
  auto image = std::make_shared<UIImage>(Passkey{}, first.cgImage_, first.pointSize_, first.scale_,
                                         first.orientation_);
  image->images_ = std::move(images);
  image->duration_ = duration;
  return image;
}

CGSize UIImage::size() const {
  return pointSize_;
}

std::shared_ptr<UIImage> UIImage::copyWith(UIImageRenderingMode mode) const {
  auto copy = std::make_shared<UIImage>(Passkey{}, cgImage_, pointSize_, scale_, orientation_);
  copy->renderingMode_ = mode;
  copy->images_ = images_;
  copy->duration_ = duration_;
  copy->assetName_ = assetName_;
  return copy;
}

std::shared_ptr<UIImage> UIImage::withRenderingMode(UIImageRenderingMode mode) const {
  if (mode == renderingMode_)
    return std::const_pointer_cast<UIImage>(std::static_pointer_cast<const UIImage>(shared_from_this()));
  return copyWith(mode);
}

std::optional<Data> UIImage::jpegData(CGFloat compressionQuality) const {
  if (!cgImage_) return std::nullopt;
  const int quality = compressionQuality > 0
                          ? static_cast<int>(std::lround(std::min<CGFloat>(compressionQuality, 1) * 100))
                          : 1;
  return JPEGCodec::encode(*cgImage_, std::max(quality, 1));
}

std::optional<Data> UIImage::pngData() const {
  if (!cgImage_) return std::nullopt;
  return PNGCodec::encode(*cgImage_);
}

void UIImage::draw(CGPoint at) const {
  draw(CGRect(at, pointSize_));
}

void UIImage::draw(const CGRect& in) const {
  CGContext* context = UIGraphicsGetCurrentContext();
  if (context && cgImage_) context->draw(*cgImage_, in);
}

std::string UIImage::description() const {
  char address[32];
  std::snprintf(address, sizeof address, "%p", static_cast<const void*>(this));
  const std::string what = assetName_.empty() ? "anonymous" : "named(" + assetName_ + ")";
  return "<UIImage:" + std::string(address) + " " + what + " {" + number(pointSize_.width) + ", " +
         number(pointSize_.height) + "}>";
}

void UIImage::failNextJPEGEncodings(int count) {
  JPEGCodec::failNextEncodings(count);
}

}  // namespace ios
