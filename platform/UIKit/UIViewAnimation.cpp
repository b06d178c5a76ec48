#include <QuartzCore/CATransaction.h>
#include <QuartzCore/Renderer.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UIView.h>

namespace ios {

namespace {

bool animationsEnabled = true;

CAAnimationCurve curveOf(unsigned options) {
  switch (options & (3u << 16)) {
    case UIViewAnimationOptions::curveEaseIn: return CAAnimationCurve::easeIn;
    case UIViewAnimationOptions::curveEaseOut: return CAAnimationCurve::easeOut;
    case UIViewAnimationOptions::curveLinear: return CAAnimationCurve::linear;
    default: return CAAnimationCurve::easeInOut;
  }
}

void run(const CAAnimationSettings& settings, const UIView::Animations& animations, UIView::Completion completion) {
  if (!animationsEnabled) {
    CATransaction::begin();
    CATransaction::setDisableActions(true);
    if (animations) animations();
    if (completion) CATransaction::setCompletionBlock([completion] { completion(true); });
    CATransaction::commit();
    return;
  }
  CATransaction::beginAnimations(settings, std::move(completion));
  if (animations) animations();
  CATransaction::commit();
}

}  // namespace

void UIView::animate(double duration, const Animations& animations, Completion completion) {
  animate(duration, 0, UIViewAnimationOptions::curveEaseInOut, animations, std::move(completion));
}

void UIView::animate(double duration, double delay, unsigned options, const Animations& animations,
                     Completion completion) {
  CAAnimationSettings settings;
  settings.duration = duration;
  settings.delay = delay;
  settings.curve = curveOf(options);
  run(settings, animations, std::move(completion));
}

void UIView::animate(double duration, double delay, double dampingRatio, double initialVelocity, unsigned options,
                     const Animations& animations, Completion completion) {
  CAAnimationSettings settings;
  settings.duration = duration;
  settings.delay = delay;
  settings.curve = curveOf(options);
  settings.springDamping = dampingRatio;
  settings.springVelocity = initialVelocity;
  run(settings, animations, std::move(completion));
}

void UIView::transition(const std::shared_ptr<UIView>& view, double duration, unsigned options,
                        const Animations& animations, Completion completion) {
  const bool dissolve = (options & (7u << 20)) == UIViewAnimationOptions::transitionCrossDissolve;
  if (!view || !dissolve || !animationsEnabled || duration <= 0) {
    performWithoutAnimation(animations);
    CATransaction::begin();
    if (completion) CATransaction::setCompletionBlock([completion] { completion(true); });
    CATransaction::commit();
    return;
  }
  // The old look, as a picture laid over the view that fades out while the new look shows below.
  view->layoutIfNeeded();
  auto overlay = CALayer::create();
  overlay->setFrame(view->bounds());
  overlay->setContents(Renderer::renderImage(*view->layer(), UIScreen::main()->scale()));
  overlay->setContentsScale(UIScreen::main()->scale());
  performWithoutAnimation(animations);
  view->layer()->addSublayer(overlay);
  CAAnimationSettings settings;
  settings.duration = duration;
  settings.curve = curveOf(options);
  CATransaction::beginAnimations(settings, [overlay, completion = std::move(completion)](bool finished) {
    overlay->removeFromSuperlayer();
    if (completion) completion(finished);
  });
  overlay->setOpacity(0);
  CATransaction::commit();
}

void UIView::setAnimationsEnabled(bool enabled) { animationsEnabled = enabled; }

bool UIView::areAnimationsEnabled() { return animationsEnabled; }

void UIView::performWithoutAnimation(const Animations& actions) {
  CATransaction::begin();
  CATransaction::setDisableActions(true);
  if (actions) actions();
  CATransaction::commit();
}

}  // namespace ios
