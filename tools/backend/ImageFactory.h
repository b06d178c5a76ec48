#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace kerbelin::backend {

// Draws the sample pictures the data refers to, so none has to be stored. A
// name is "<kind>-<words>" in lower-case ASCII letters, digits and dashes; the
// kind picks the shape ("cover" 750x420 card, "banner" 1080x480, "logo" 200x200
// disc, "icon" 96x96 tile, anything else a 400x400 square), the words give the
// initials drawn on it and, through a hash, the gradient colours. The same
// name always gives the same PNG bytes. Thread-safe; results are cached.
class ImageFactory {
 public:
  // The PNG bytes for `name`, or none when the name is not of the form above.
  std::optional<std::string> png(const std::string& name);

  static bool isValidName(const std::string& name);

 private:
  static std::string draw(const std::string& name);

  std::mutex mutex_;
  std::map<std::string, std::string> cache_;
};

}  // namespace kerbelin::backend
