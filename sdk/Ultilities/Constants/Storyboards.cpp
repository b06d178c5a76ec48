#include <Ultilities/Constants/Storyboards.h>

#include <Foundation/Console.h>
#include <Ultilities/Handle/NibBundle.h>

#include <string>

namespace kerbelin {

namespace {

// The storyboards are part of the framework itself: one that is missing is a packaging fault.
std::shared_ptr<ios::UIStoryboard> loadStoryboard(const char* name) {
  auto storyboard = ios::UIStoryboard::create(name, frameworkBundle());
  if (!storyboard) ios::fatalError(std::string("The framework bundle has no storyboard \"") + name + "\"");
  return storyboard;
}

}  // namespace

const std::shared_ptr<ios::UIStoryboard>& shareInstanceBuyCardStoryboard() {
  static const auto storyboard = loadStoryboard("BuyCard");
  return storyboard;
}

const std::shared_ptr<ios::UIStoryboard>& shareInstanceMyCardStoryboard() {
  static const auto storyboard = loadStoryboard("MyCard");
  return storyboard;
}

const std::shared_ptr<ios::UIStoryboard>& shareInstanceMyCodeStoryboard() {
  static const auto storyboard = loadStoryboard("MyCode");
  return storyboard;
}

const std::shared_ptr<ios::UIStoryboard>& shareInstanceQRCodeStoryboard() {
  static const auto storyboard = loadStoryboard("QRCode");
  return storyboard;
}

}  // namespace kerbelin
