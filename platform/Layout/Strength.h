#pragma once

namespace ios::layout {

// How much a constraint matters, as a UIKit-style priority in (0, 1000]. 1000 is required: it holds or
// the constraint is rejected. Lower priorities are compared lexicographically, never by weight: the
// solver first satisfies the highest priority as well as it can, then the next one without giving any
// of the higher one back. So one constraint at 999 beats any number of constraints at 998, however
// large their errors. Constraints of the same priority trade off by the sum of their errors.
struct Strength {
  double priority = 1000.0;

  // Clamps to (0, 1000]; NaN becomes the lowest priority.
  constexpr explicit Strength(double value = 1000.0) : priority(clamp(value)) {}

  constexpr bool isRequired() const { return priority >= 1000.0; }

  friend constexpr bool operator==(Strength a, Strength b) { return a.priority == b.priority; }
  friend constexpr bool operator<(Strength a, Strength b) { return a.priority < b.priority; }

 private:
  static constexpr double kLowest = 1.0e-3;
  static constexpr double clamp(double value) {
    if (!(value > kLowest)) return kLowest;  // also catches NaN
    return value > 1000.0 ? 1000.0 : value;
  }
};

namespace strength {

inline constexpr Strength required{1000.0};
inline constexpr Strength strong{750.0};  // UILayoutPriorityDefaultHigh
inline constexpr Strength medium{500.0};
inline constexpr Strength weak{250.0};  // UILayoutPriorityDefaultLow

// Maps a UIKit layout priority (1...1000) to a strength: 1000 and above is required, everything else
// keeps its own level, so 999 > 750 > 250 > 1 strictly. Values below 1 are raised to 1.
Strength fromPriority(double priority);

}  // namespace strength
}  // namespace ios::layout
