#pragma once

#include <Foundation/NSObject.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ios {

// Why an interface file could not be loaded. `message` is complete and stands alone:
//   BuyCard.storyboard.json:14: scenes.BuyCard.view.subviews[0] (card): bad constraint
//   "card.top == superview.top +" at column 28: expected a number
struct NibError {
  std::string file;     // "BuyCard.storyboard.json", or the nib name when there is no file
  int line = 0;         // 1-based, 0 when not known
  std::string path;     // where in the file: "objects[0].subviews[2] (title)"
  std::string problem;  // what is wrong
  std::string message() const;
};

// The outcome of instantiating a nib: every top-level object in file order, or an error and no
// object at all (nothing half-built escapes).
struct NibInstantiation {
  std::vector<std::shared_ptr<NSObject>> objects;
  std::optional<NibError> error;
  explicit operator bool() const { return !error.has_value(); }
};

}  // namespace ios
