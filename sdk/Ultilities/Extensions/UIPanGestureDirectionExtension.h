#pragma once

// The four-way direction of a pan, read from its velocity. The free function `direction` stands for
// the recogniser's property of that name.

#include <UIKit/UIPanGestureRecognizer.h>

#include <optional>

namespace kerbelin {

enum class Direction { Up = 0, Down = 1, Left = 2, Right = 3 };

int rawValue(Direction direction);
// Nullopt outside 0...3.
template <class E>
std::optional<E> fromRawValue(int raw);
template <>
std::optional<Direction> fromRawValue<Direction>(int raw);

// True for Left and Right.
bool isX(Direction direction);
// True for Up and Down.
bool isY(Direction direction);

// From the velocity in the recogniser's own view: a mostly vertical movement gives Up or Down by the
// sign of its vertical speed; otherwise (equal magnitudes included) Right or Left by the sign of the
// horizontal speed. Nullopt when the deciding component is 0 (a pan at rest).
std::optional<Direction> direction(const ios::UIPanGestureRecognizer& recognizer);

}  // namespace kerbelin
