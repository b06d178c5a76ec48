#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kerbelin::sim {

// The page that shows a run's screenshots in the order they were taken: OUT/index.html, with each
// picture's name as its caption.
class TourIndex {
 public:
  static std::string html(const std::vector<std::string>& shotNames, const std::string& title);
  static bool write(const std::filesystem::path& directory, const std::vector<std::string>& shotNames,
                    const std::string& title);
};

}  // namespace kerbelin::sim
