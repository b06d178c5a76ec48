#include <Ultilities/Common/Common.h>

#include <CoreImage/CIFilter.h>
#include <CoreImage/CIImage.h>
#include <Foundation/Console.h>
#include <Foundation/NSString.h>
#include <Foundation/FileManager.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIWindow.h>

namespace kerbelin {

namespace {

std::shared_ptr<ios::UIWindow> keyWindow() { return ios::UIApplication::shared()->keyWindow(); }

std::optional<ios::CGColor> colorOf(const std::shared_ptr<ios::UIColor>& color) {
  return color ? std::optional<ios::CGColor>(color->cgColor()) : std::nullopt;
}

}  // namespace

void Common::SetShadowAndcornerRadiusView(ios::UIView& viewShadow, ios::CGFloat cornerRadius, ios::CGSize offet,
                                          std::shared_ptr<ios::UIColor> color) {
  auto& layer = *viewShadow.layer();
  layer.setCornerRadius(cornerRadius);
  layer.setMasksToBounds(true);
  viewShadow.setBackgroundColor(color ? std::move(color) : ios::UIColor::white());
  layer.setShadowColor(ios::CGColor::black());
  layer.setShadowOpacity(0.2f);
  layer.setShadowOffset(offet);
  layer.setShadowRadius(1.5);
  layer.setMasksToBounds(false);
}

std::shared_ptr<ios::UIImage> Common::generateQRCode(std::string_view text) {
  const auto data = ios::asciiData(text);
  if (!data) return nullptr;
  auto filter = ios::CIFilter::create("CIQRCodeGenerator");
  if (!filter) return nullptr;
  filter->setValue(std::any(*data), "inputMessage");
  auto output = filter->outputImage();
  if (!output) return nullptr;
  return ios::UIImageWithCIImage(output->transformed(ios::CGAffineTransform::scale(3, 3)));
}

ios::CGFloat Common::getBottomPadding() {
  auto window = keyWindow();
  return window ? window->safeAreaInsets().bottom : 0;
}

ios::CGFloat Common::getTopPadding() {
  auto window = keyWindow();
  return window ? window->safeAreaInsets().top : 0;
}

std::shared_ptr<ios::NSMutableAttributedString> Common::createAttributeMessageSimple(
    const std::vector<std::pair<std::string, bool>>& message, ios::CGFloat fontSize,
    std::shared_ptr<ios::UIColor> colorBold, std::shared_ptr<ios::UIColor> colorRegular) {
  auto result = ios::NSMutableAttributedString::create();
  const std::shared_ptr<const ios::UIFont> bold = ios::UIFont::boldSystemFont(fontSize);
  const std::shared_ptr<const ios::UIFont> regular = ios::UIFont::systemFont(fontSize);
  const ios::CGColor boldColor = colorBold ? colorBold->cgColor() : ios::CGColor::black();
  const ios::CGColor regularColor = colorRegular ? colorRegular->cgColor() : ios::CGColor::black();
  for (const auto& [text, isBold] : message) {
    ios::NSAttributes attributes{
        {ios::NSAttributedStringKey::font, isBold ? bold : regular},
        {ios::NSAttributedStringKey::foregroundColor, isBold ? boldColor : regularColor},
    };
    result->append(*ios::NSAttributedString::create(text, attributes));
  }
  return result;
}

std::shared_ptr<ios::NSMutableAttributedString> Common::SetAttribuedText(
    std::string_view text, std::shared_ptr<ios::UIFont> font, std::shared_ptr<ios::UIColor> strokeColor,
    std::shared_ptr<ios::UIColor> foregroundColor, std::shared_ptr<ios::UIColor> backgroundColor) {
  ios::NSAttributes attributes{{ios::NSAttributedStringKey::strokeWidth, 0.0}};
  if (font) attributes.insert_or_assign(ios::NSAttributedStringKey::font, std::shared_ptr<const ios::UIFont>(font));
  if (auto c = colorOf(strokeColor)) attributes.insert_or_assign(ios::NSAttributedStringKey::strokeColor, *c);
  if (auto c = colorOf(foregroundColor)) attributes.insert_or_assign(ios::NSAttributedStringKey::foregroundColor, *c);
  if (auto c = colorOf(backgroundColor)) attributes.insert_or_assign(ios::NSAttributedStringKey::backgroundColor, *c);
  auto result = ios::NSMutableAttributedString::create();
  result->append(*ios::NSAttributedString::create(text, attributes));
  return result;
}

std::string Common::saveImage(std::string_view imageName, const ios::UIImage& image) {
  auto& files = ios::FileManager::defaultManager();
  const std::string documents = files.documentsDirectory();
  if (documents.empty()) return "";
  const auto data = image.jpegData(1.0);
  if (!data) return "";
  const std::string path = documents + "/" + std::string(imageName);
  if (files.fileExists(path)) {
    if (files.removeItem(path)) {
      ios::print("Removed old image");
    } else {
      ios::print("couldn't remove file at path The file “" + std::string(imageName) + "” couldn’t be removed.");
    }
  }
  if (!data->write(path)) {
    ios::print("error saving file with error The file “" + std::string(imageName) + "” couldn’t be saved.");
    return "";
  }
  return path;
}

std::shared_ptr<ios::UIImage> Common::loadImageFromDiskWith(std::string_view fileName) {
  const std::string documents = ios::FileManager::defaultManager().documentsDirectory();
  if (documents.empty()) return nullptr;
  return ios::UIImage::contentsOfFile(documents + "/" + std::string(fileName));
}

}  // namespace kerbelin
