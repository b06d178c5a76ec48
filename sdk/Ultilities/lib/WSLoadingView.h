#pragma once

// The loading overlay: a spinning indicator over the whole application while a back-end request runs.
// Every operation is class-level and finds the application's key window by itself; with no key window
// it does nothing. The overlay exists only as views in the key window's tree and is found again by
// tag: the container (tag 2125, clear background, a direct subview of the window) and, for `show()`
// only, the indicator inside it (tag 2521). Sizes come from SCREEN_WIDTH and SCREEN_HEIGHT, not from
// the window's bounds.
//
// There is no counter: every show adds one more container, and each untargeted hide removes the one
// the window's tag search finds first, whoever showed it. A screen that must not take away another
// screen's overlay keeps the `Token` its show returned and hides with it: the token's hide acts on
// that container only, and on nothing when the show added none (no key window) or it is already gone.
// A default token stands for "this request showed no overlay", so a reply can always hide with the
// token its request kept. Callers that ignore the token get the untargeted behaviour unchanged.
//
// Main thread only, like all view work.

#include <UIKit/UIView.h>

#include <memory>

namespace kerbelin {

class WSLoadingView {
 public:
  static constexpr long containerTag = 2125;
  static constexpr long indicatorTag = 2521;
  static constexpr double fadeDuration = 0.3;

  // What one show operation put on screen. Copies refer to the same container; the token does not
  // keep the container alive.
  class Token {
   public:
    Token() = default;
    // True while the container this token stands for is still in a view tree (also while it fades).
    bool isShowing() const;

   private:
    friend class WSLoadingView;
    explicit Token(std::weak_ptr<ios::UIView> container) : container_(std::move(container)) {}
    std::weak_ptr<ios::UIView> container_;
  };

  WSLoadingView() = default;

  // A 100 x 100 clear container centred on the screen with a gray indicator (tag 2521) in its middle;
  // touches outside the square still reach the screen.
  static Token show();
  // A full-screen clear container holding a black mask at alpha 0.2 and a white indicator (no tag)
  // above it; the container takes every touch.
  static Token showWithMask();

  // Removes at once the first view tagged 2521 in the key window's tree, then the first tagged 2125.
  static void hide();
  // Fades the first view tagged 2125 to alpha 0 over 0.3 s, then removes it whether or not the fade
  // finished. The container stays findable by tag until then.
  static void hideWithAnimation();

  // The same, for the container of `token` only.
  static void hide(const Token& token);
  static void hideWithAnimation(const Token& token);

 private:
  static void fadeOutAndRemove(const std::shared_ptr<ios::UIView>& container);
};

}  // namespace kerbelin
