#include <Ultilities/Extensions/UIViewFrameExtension.h>

#include <CoreText/NSLayoutManager.h>
#include <CoreText/NSTextContainer.h>
#include <CoreText/NSTextStorage.h>
#include <Foundation/Console.h>
#include <Foundation/NumberFormatting.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIWindow.h>

#include <cmath>
#include <mutex>
#include <vector>

namespace kerbelin {

using ios::CGFloat;
using ios::CGPoint;
using ios::CGRect;
using ios::CGSize;

CGFloat x(const ios::UIView& view) {
  return view.frame().origin.x;
}
void setX(ios::UIView& view, CGFloat value) {
  view.setFrame(CGRect(value, y(view), w(view), h(view)));
}
CGFloat y(const ios::UIView& view) {
  return view.frame().origin.y;
}
void setY(ios::UIView& view, CGFloat value) {
  view.setFrame(CGRect(x(view), value, w(view), h(view)));
}
CGFloat w(const ios::UIView& view) {
  return view.frame().size.width;
}
void setW(ios::UIView& view, CGFloat value) {
  view.setFrame(CGRect(x(view), y(view), value, h(view)));
}
CGFloat h(const ios::UIView& view) {
  return view.frame().size.height;
}
void setH(ios::UIView& view, CGFloat value) {
  view.setFrame(CGRect(x(view), y(view), w(view), value));
}

CGPoint position(const ios::UIView& view) {
  return view.frame().origin;
}
void setPosition(ios::UIView& view, CGPoint value) {
  view.setFrame(CGRect(value.x, value.y, view.frame().size.width, view.frame().size.height));
}
CGSize size(const ios::UIView& view) {
  return view.frame().size;
}
void setSize(ios::UIView& view, CGSize value) {
  view.setFrame(CGRect(view.frame().origin.x, view.frame().origin.y, value.width, value.height));
}

CGFloat left(const ios::UIView& view) {
  return x(view);
}
void setLeft(ios::UIView& view, CGFloat value) {
  setX(view, value);
}
CGFloat right(const ios::UIView& view) {
  return x(view) + w(view);
}
void setRight(ios::UIView& view, CGFloat value) {
  setX(view, value - w(view));
}
CGFloat top(const ios::UIView& view) {
  return y(view);
}
void setTop(ios::UIView& view, CGFloat value) {
  setY(view, value);
}
CGFloat bottom(const ios::UIView& view) {
  return y(view) + h(view);
}
void setBottom(ios::UIView& view, CGFloat value) {
  setY(view, value - h(view));
}

CGFloat leftWithOffset(const ios::UIView& view, CGFloat offset) {
  return left(view) - offset;
}
CGFloat rightWithOffset(const ios::UIView& view, CGFloat offset) {
  return right(view) + offset;
}
CGFloat topWithOffset(const ios::UIView& view, CGFloat offset) {
  return top(view) - offset;
}
CGFloat botttomWithOffset(const ios::UIView& view, CGFloat offset) {
  return bottom(view) + offset;
}

void constrainCentered(ios::UIView& container, const std::shared_ptr<ios::UIView>& subview) {
  using ios::NSLayoutAttribute;
  using ios::NSLayoutConstraint;
  using ios::NSLayoutRelation;
  subview->setTranslatesAutoresizingMaskIntoConstraints(false);
  auto self = container.shared_from_this();
  const CGSize current = subview->frame().size;
  container.addConstraints({
      NSLayoutConstraint::create(subview, NSLayoutAttribute::centerX, NSLayoutRelation::equal, self,
                                 NSLayoutAttribute::centerX, 1.0, 0),
      NSLayoutConstraint::create(subview, NSLayoutAttribute::centerY, NSLayoutRelation::equal, self,
                                 NSLayoutAttribute::centerY, 1.0, 0),
      NSLayoutConstraint::create(subview, NSLayoutAttribute::height, NSLayoutRelation::equal, nullptr,
                                 NSLayoutAttribute::notAnAttribute, 1.0, current.height),
      NSLayoutConstraint::create(subview, NSLayoutAttribute::width, NSLayoutRelation::equal, nullptr,
                                 NSLayoutAttribute::notAnAttribute, 1.0, current.width),
  });
}

void constrainToEdges(ios::UIView& container, const std::shared_ptr<ios::UIView>& subview) {
  using ios::NSLayoutAttribute;
  using ios::NSLayoutConstraint;
  using ios::NSLayoutRelation;
  subview->setTranslatesAutoresizingMaskIntoConstraints(false);
  auto self = container.shared_from_this();
  std::vector<std::shared_ptr<NSLayoutConstraint>> constraints;
  for (auto attribute : {NSLayoutAttribute::top, NSLayoutAttribute::bottom, NSLayoutAttribute::leading,
                         NSLayoutAttribute::trailing}) {
    constraints.push_back(
        NSLayoutConstraint::create(subview, attribute, NSLayoutRelation::equal, self, attribute, 1.0, 0));
  }
  container.addConstraints(constraints);
}

void removeAllArrangedSubviews(ios::UIStackView& stackView) {
  std::vector<std::shared_ptr<ios::UIView>> removed;
  const auto arranged = stackView.arrangedSubviews();
  for (const auto& view : arranged) {
    stackView.removeArrangedSubview(view);
    removed.push_back(view);
  }
  std::vector<std::shared_ptr<ios::NSLayoutConstraint>> held;
  for (const auto& view : removed) {
    const auto& own = view->constraints();
    held.insert(held.end(), own.begin(), own.end());
  }
  ios::NSLayoutConstraint::deactivate(held);
  for (const auto& view : removed) view->removeFromSuperview();
}

bool hasSafeAreaInsets(const ios::UIView& view) {
  const ios::UIEdgeInsets insets = view.safeAreaInsets();
  return insets.top != 0 || insets.left != 0 || insets.bottom != 0 || insets.right != 0;
}

const std::shared_ptr<ios::UIApplicationDelegate>& APPDELEGATE() {
  static std::shared_ptr<ios::UIApplicationDelegate> delegate;
  static std::once_flag once;
  std::call_once(once, [] { delegate = ios::UIApplication::shared()->delegate(); });
  return delegate;
}

namespace {

CGPoint centerInReferenceWindow(const ios::UIView& view, const ios::UIView* window) {
  const CGPoint center = view.center();
  const auto superview = view.superview();
  if (!superview || superview.get() == window) return center;
  return superview->convert(center, window);
}

}  // namespace

CGFloat distance(const ios::UIView& view, const ios::UIView& other) {
  const auto& delegate = APPDELEGATE();
  const std::shared_ptr<ios::UIWindow> window = delegate ? delegate->window() : nullptr;
  const CGPoint p1 = centerInReferenceWindow(view, window.get());
  const CGPoint p2 = centerInReferenceWindow(other, window.get());
  const CGFloat d = std::sqrt((p1.x - p2.x) * (p1.x - p2.x) + (p1.y - p2.y) * (p1.y - p2.y));
  ios::print(ios::doubleDescription(d));
  return d;
}

bool didTapAttributedTextInLabel(const ios::UITapGestureRecognizer& recognizer, const ios::UILabel& label,
                                 ios::NSRange inRange) {
  const auto& attributedText = label.attributedText();
  if (!attributedText) return false;
  auto layoutManager = ios::NSLayoutManager::create();
  auto textContainer = ios::NSTextContainer::create(CGSize::zero);
  auto textStorage = ios::NSTextStorage::create();
  textStorage->setAttributedString(*attributedText);
  layoutManager->addTextContainer(textContainer);
  textStorage->addLayoutManager(layoutManager);

  textContainer->lineFragmentPadding = 0;
  textContainer->lineBreakMode = label.lineBreakMode();
  textContainer->maximumNumberOfLines = label.numberOfLines();
  const CGSize labelSize = label.bounds().size;
  textContainer->size = labelSize;

  const CGPoint location = recognizer.location(&label);
  const CGRect box = layoutManager->usedRect(*textContainer);
  const CGPoint offset{(labelSize.width - box.size.width) * 0.5 - box.origin.x,
                       (labelSize.height - box.size.height) * 0.5 - box.origin.y};
  const std::size_t index =
      layoutManager->characterIndex(CGPoint{location.x - offset.x, location.y - offset.y}, *textContainer);
  return index >= inRange.location && index - inRange.location < inRange.length;
}

}  // namespace kerbelin
