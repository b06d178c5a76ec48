#pragma once

#include <Foundation/Bundle.h>

#include <memory>
#include <string>
#include <vector>

namespace ios {
class UIView;
}

namespace kerbelin::nibcheck {

// Loads every nib and storyboard scene of a bundle the way the running system would and lays each
// out at the width of a 375-point screen. A nib's owner is a PermissiveOwner; a scene's controller is
// its own class. Problems found: anything the loader refuses (unknown class or key, bad value or
// constraint, missing outlet, ...), constraints Auto Layout cannot satisfy, and views whose frame the
// constraints leave ambiguous.
class NibChecker {
 public:
  static constexpr double screenWidth = 375;
  static constexpr double screenHeight = 812;

  explicit NibChecker(std::shared_ptr<ios::Bundle> bundle) : bundle_(std::move(bundle)) {}

  // Checks everything; each problem is one line "<file>: <what>".
  void run();

  const std::vector<std::string>& problems() const { return problems_; }
  int nibCount() const { return nibs_; }
  int sceneCount() const { return scenes_; }

 private:
  void checkNib(const std::string& resource);
  void checkStoryboard(const std::string& resource);
  // Lays `view` out at the screen width; a nib view gets the height its constraints give it.
  void checkLayout(const std::string& where, const std::shared_ptr<ios::UIView>& view, bool fullScreen);
  void report(const std::string& problem) { problems_.push_back(problem); }

  std::shared_ptr<ios::Bundle> bundle_;
  std::vector<std::string> problems_;
  int nibs_ = 0;
  int scenes_ = 0;
};

}  // namespace kerbelin::nibcheck
