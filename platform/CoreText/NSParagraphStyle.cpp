#include <CoreText/NSParagraphStyle.h>

namespace ios {

std::shared_ptr<const NSParagraphStyle> NSParagraphStyle::defaultStyle() {
  static const auto style = std::make_shared<const NSParagraphStyle>();
  return style;
}

std::shared_ptr<NSParagraphStyle> NSParagraphStyle::copy() const {
  auto style = create();
  style->alignment = alignment;
  style->lineSpacing = lineSpacing;
  style->minimumLineHeight = minimumLineHeight;
  style->maximumLineHeight = maximumLineHeight;
  style->paragraphSpacing = paragraphSpacing;
  style->paragraphSpacingBefore = paragraphSpacingBefore;
  style->firstLineHeadIndent = firstLineHeadIndent;
  style->headIndent = headIndent;
  style->tailIndent = tailIndent;
  style->lineBreakMode = lineBreakMode;
  return style;
}

bool NSParagraphStyle::isEqual(const NSParagraphStyle& o) const {
  return alignment == o.alignment && lineSpacing == o.lineSpacing &&
         minimumLineHeight == o.minimumLineHeight && maximumLineHeight == o.maximumLineHeight &&
         paragraphSpacing == o.paragraphSpacing && paragraphSpacingBefore == o.paragraphSpacingBefore &&
         firstLineHeadIndent == o.firstLineHeadIndent && headIndent == o.headIndent &&
         tailIndent == o.tailIndent && lineBreakMode == o.lineBreakMode;
}

}  // namespace ios
