#pragma once

#include <deque>
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
// name always gives the same PNG bytes. Thread-safe; the last `capacity`
// pictures drawn are kept (a few tens of kilobytes each), older ones are drawn
// again when asked for.
class ImageFactory {
 public:
  explicit ImageFactory(size_t capacity = 256) : capacity_(capacity) {}

  // The PNG bytes for `name`, or none when the name is not of the form above.
  std::optional<std::string> png(const std::string& name);
  // How many pictures are kept now (at most `capacity`).
  size_t cachedCount();

  static bool isValidName(const std::string& name);

 private:
  static std::string draw(const std::string& name);

  const size_t capacity_;
  std::mutex mutex_;
  std::map<std::string, std::string> cache_;
  std::deque<std::string> drawnOrder_;  // the names in cache_, oldest first
};

}  // namespace kerbelin::backend
