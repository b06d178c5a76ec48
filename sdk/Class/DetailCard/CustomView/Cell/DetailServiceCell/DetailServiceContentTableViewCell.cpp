#include <Class/DetailCard/CustomView/Cell/DetailServiceCell/DetailServiceContentTableViewCell.h>

#include <CoreText/NSMutableAttributedString.h>
#include <Foundation/ClassRegistry.h>
#include <UIKit/UIImage.h>
#include <Ultilities/Constants/Color.h>
#include <Ultilities/Extensions/AttributedStringExtension.h>
#include <Ultilities/Extensions/StringExtension.h>
#include <Ultilities/Extensions/UIColorExtension.h>

namespace kerbelin {

namespace {
using Cell = DetailServiceContentTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("iconImageView", &Cell::iconImageView)
                              .property("titleLabel", &Cell::titleLabel)
                              .property("priceLabel", &Cell::priceLabel);

std::shared_ptr<ios::NSAttributedString> struckThrough(const std::string& value) {
  auto text = ios::NSMutableAttributedString::create(value);
  text->addAttribute(ios::NSAttributedStringKey::strikethroughStyle, ios::NSUnderlineStyle::thick,
                     {0, text->length()});
  return text;
}

std::shared_ptr<ios::NSAttributedString> html(const std::string& value, float size, bool bold) {
  auto text = htmlToAttributedString(convertHtml(value, size));
  if (text && bold) semiBold(*text);
  return text;
}
}  // namespace

std::shared_ptr<DetailServiceContentTableViewCell> DetailServiceContentTableViewCell::create() {
  return std::make_shared<DetailServiceContentTableViewCell>();
}

DetailServiceContentTableViewCell::DetailServiceContentTableViewCell()
    : UITableViewCell(ios::UITableViewCellStyle::default_, identifier) {}

void DetailServiceContentTableViewCell::show(const std::string& icon, const std::string& title,
                                             const std::string& value, ValueFormat format) {
  if (auto image = iconImageView.lock()) image->setImage(ios::UIImage::named(icon));
  if (auto label = titleLabel.lock()) label->setText(title);
  auto label = priceLabel.lock();
  if (!label) return;
  label->setTextColor(colorWithRGBA("#333333"));
  switch (format) {
    case ValueFormat::customerPrice:
      label->setTextColor(Color::Main_Flamigo());
      label->setText(value);
      break;
    case ValueFormat::listedPrice:
      label->setAttributedText(struckThrough(value));
      break;
    case ValueFormat::limit:
      label->setAttributedText(html(value, 16, false));
      break;
    case ValueFormat::emphasised:
      label->setAttributedText(html(value, 15, true));
      break;
  }
}

}  // namespace kerbelin
