#include <Ultilities/Extensions/UIPanGestureDirectionExtension.h>

#include <UIKit/UIView.h>

#include <cmath>

namespace kerbelin {

int rawValue(Direction direction) {
  return static_cast<int>(direction);
}

template <>
std::optional<Direction> fromRawValue<Direction>(int raw) {
  if (raw < rawValue(Direction::Up) || raw > rawValue(Direction::Right)) return std::nullopt;
  return static_cast<Direction>(raw);
}

bool isX(Direction direction) {
  return direction == Direction::Left || direction == Direction::Right;
}

bool isY(Direction direction) {
  return !isX(direction);
}

std::optional<Direction> direction(const ios::UIPanGestureRecognizer& recognizer) {
  const auto view = recognizer.view();
  const ios::CGPoint velocity = recognizer.velocity(view.get());
  if (std::fabs(velocity.x) < std::fabs(velocity.y)) {
    if (velocity.y < 0) return Direction::Up;
    if (velocity.y > 0) return Direction::Down;
    return std::nullopt;
  }
  if (velocity.x > 0) return Direction::Right;
  if (velocity.x < 0) return Direction::Left;
  return std::nullopt;
}

}  // namespace kerbelin
