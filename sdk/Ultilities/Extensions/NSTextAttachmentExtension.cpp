#include <Ultilities/Extensions/NSTextAttachmentExtension.h>

#include <UIKit/UIImage.h>

#include <memory>

namespace kerbelin {

void setImageHeight(ios::NSTextAttachment& attachment, ios::CGFloat height) {
  auto image = std::dynamic_pointer_cast<ios::UIImage>(attachment.image);
  if (!image) return;
  const ios::CGSize size = image->size();
  // A zero height would make the ratio infinite (or not a number): no sensible bounds come of it.
  if (size.height == 0) return;
  const ios::CGFloat ratio = size.width / size.height;
  attachment.bounds =
      ios::CGRect(attachment.bounds.origin.x, attachment.bounds.origin.y, ratio * height, height);
}

}  // namespace kerbelin
