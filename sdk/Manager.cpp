#include <Manager.h>

#include <Class/BuyCard/BuyCardViewController.h>
#include <Foundation/Console.h>
#include <Foundation/RunLoop.h>
#include <Ultilities/Constants/Storyboards.h>
#include <Ultilities/Handle/HostBundle.h>

namespace kerbelin {

std::shared_ptr<ios::UIViewController> Manager::viewController() {
  ios::RunLoop::requireMainThread("kerbelin::Manager().viewController()");
  reportIncompleteHostBundle();
  auto screen = std::dynamic_pointer_cast<BuyCardViewController>(
      shareInstanceBuyCardStoryboard()->instantiateViewController("BuyCardViewController"));
  // The store scene ships with the framework; without it the package itself is broken.
  if (!screen) ios::fatalError("The storyboard \"BuyCard\" has no BuyCardViewController scene");
  return screen;
}

}  // namespace kerbelin
