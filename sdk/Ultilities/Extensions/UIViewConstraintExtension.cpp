#include <Ultilities/Extensions/UIViewConstraintExtension.h>

#include <cmath>
#include <limits>

namespace kerbelin {

using ios::NSLayoutAttribute;
using ios::NSLayoutConstraint;
using ios::UIView;

std::shared_ptr<NSLayoutConstraint> constraintForAttribute(const UIView& view, NSLayoutAttribute attribute) {
  auto superview = view.superview();
  if (!superview) return nullptr;
  for (const auto& constraint : superview->constraints()) {
    if (constraint->firstAttribute() == attribute && constraint->firstItem().get() == &view)
      return constraint;
  }
  return nullptr;
}

double constraintConstantforAttribute(const UIView& view, NSLayoutAttribute attribute) {
  auto constraint = constraintForAttribute(view, attribute);
  return constraint ? constraint->constant() : std::numeric_limits<double>::quiet_NaN();
}

bool setConstraintConstant(UIView& view, double constant, NSLayoutAttribute attribute) {
  if (auto constraint = constraintForAttribute(view, attribute)) {
    constraint->setConstant(constant);
    return true;
  }
  auto superview = view.superview();
  if (!superview) return false;
  auto self = view.sharedAs<UIView>();
  superview->addConstraint(NSLayoutConstraint::create(self, attribute, ios::NSLayoutRelation::equal, nullptr,
                                                      NSLayoutAttribute::notAnAttribute, 1.0, constant));
  return false;
}

void hideByHeight(UIView& view, bool hidden) {
  hideView(view, hidden, NSLayoutAttribute::height);
}

void hideByWidth(UIView& view, bool hidden) {
  hideView(view, hidden, NSLayoutAttribute::width);
}

void hideView(UIView& view, bool hidden, NSLayoutAttribute attribute) {
  if (view.isHidden() == hidden) return;
  const double current = constraintConstantforAttribute(view, attribute);
  if (hidden) {
    if (std::isnan(current)) {
      const ios::CGSize size = getSize(view);
      view.setAlpha(attribute == NSLayoutAttribute::height ? size.height : size.width);
    } else {
      view.setAlpha(current);
    }
    setConstraintConstant(view, 0, attribute);
    view.setHidden(true);
    return;
  }
  if (std::isnan(current)) return;
  view.setHidden(false);
  setConstraintConstant(view, view.alpha(), attribute);
  view.setAlpha(1.0);
}

ios::CGSize getSize(UIView& view) {
  updateSizes(view);
  return view.bounds().size;
}

void updateSizes(UIView& view) {
  view.setNeedsLayout();
  view.layoutIfNeeded();
}

void sizeToSubviews(UIView& view) {
  updateSizes(view);
  const ios::CGSize size = view.systemLayoutSizeFitting(ios::UILayoutFittingCompressedSize);
  view.setFrame(ios::CGRect(0, 0, 320, size.height));
}

}  // namespace kerbelin
