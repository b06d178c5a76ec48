#include <Toast/ToastView.h>

#include <algorithm>

namespace ios {
namespace {
const auto registration =
    ClassRegistration<ToastView, UIView>("ToastView").method("handleToastTapped:", [](ToastView& toast) {
      toast.handleTap();
    });
}  // namespace

ToastView::ToastView() : UIView(CGRect::zero) {}

std::shared_ptr<ToastView> ToastView::create(const std::string& message, const ToastStyle& style,
                                             CGSize maxSize) {
  auto toast = std::make_shared<ToastView>();
  toast->message_ = message;
  toast->setBackgroundColor(style.backgroundColor);
  toast->layer()->setCornerRadius(style.cornerRadius);
  toast->setClipsToBounds(true);
  toast->accessibilityLabel = message;

  auto label = UILabel::create();
  label->setText(message);
  label->setFont(style.messageFont);
  label->setTextColor(style.messageColor);
  label->setTextAlignment(style.messageAlignment);
  label->setNumberOfLines(0);
  label->setLineBreakMode(NSLineBreakMode::byWordWrapping);

  const CGSize textLimit{std::max<CGFloat>(1, maxSize.width - 2 * style.horizontalPadding),
                         std::max<CGFloat>(1, maxSize.height - 2 * style.verticalPadding)};
  CGSize text = label->sizeThatFits(textLimit);
  text.width = std::min(text.width, textLimit.width);
  text.height = std::min(text.height, textLimit.height);
  label->setFrame(CGRect(style.horizontalPadding, style.verticalPadding, text.width, text.height));
  toast->setFrame(
      CGRect(0, 0, text.width + 2 * style.horizontalPadding, text.height + 2 * style.verticalPadding));
  toast->addSubview(label);
  toast->label_ = std::move(label);
  return toast;
}

void ToastView::handleTap() {
  if (onTap_) onTap_();
}

}  // namespace ios
