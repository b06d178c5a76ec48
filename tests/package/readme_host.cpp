// Every call of the README's host steps, in one program built from `pkg-config --cflags --libs
// kerbelinsdk` alone: a call whose library `Libs` leaves out does not link.
//
//   readme_host RESOURCES_DIR REFUSING_URL
//
// It walks the steps against a server that refuses connections, so that nothing waits on a network,
// checks what each step gave, prints one line per failed check and exits 1 on any.
#include <Foundation/Bundle.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <Foundation/Dictionary.h>
#include <Foundation/NotificationCenter.h>
#include <Foundation/RunLoop.h>
#include <Manager.h>
#include <Network/HTTPClient.h>
#include <QuartzCore/Renderer.h>
#include <Service/APIService.h>
#include <UIKit/IdleWaiter.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIImage.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Common/Network.h>

#include <cstdio>
#include <string>

namespace {

int failures = 0;

void expect(bool ok, const char* what) {
  if (!ok) std::printf("failed: %s\n", what);
  failures += ok ? 0 : 1;
}

std::shared_ptr<ios::UIWindow> showStore() {
  auto window = ios::UIWindow::create();
  auto navigation = ios::UINavigationController::create(kerbelin::Manager().viewController());
  navigation->setNavigationBarHidden(true);
  window->setRootViewController(navigation);
  window->makeKeyAndVisible();
  return window;
}

void touch(const std::shared_ptr<ios::UIWindow>& window) {
  ios::TouchGenerator pointer(window);
  pointer.down({10, 400});
  pointer.move({20, 400});
  pointer.up();
  pointer.down({10, 400});
  pointer.cancel();
  pointer.tap({10, 400});
  pointer.drag({100, 600}, {100, 500}, 0.1);
}

bool launchesAppDelegate() {
  auto delegate = std::dynamic_pointer_cast<ios::UIApplicationDelegate>(
      ios::ClassRegistry::shared().makeObject("AppDelegate"));
  if (!delegate) return false;
  delegate->setWindow(ios::UIWindow::create());
  return ios::UIApplication::shared()->run(delegate, ios::Dictionary::object(), false) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: readme_host RESOURCES_DIR REFUSING_URL\n");
    return 2;
  }
  std::string printed;
  ios::setConsoleSink([&](std::string_view text) { printed += text; });
  ios::UIScreen::configure({.points = {375, 812}, .scale = 2});
  ios::RunLoop::main().declareMainThread();
  expect(ios::Bundle::withIdentifier("Halvet.KerbelinSDK") != nullptr, "the SDK's own bundle is registered");
  ios::Bundle::setMainBundle(ios::Bundle::create("com.example.readme", argv[1]));
  expect(ios::UIImage::named("Icon_sapxep") != nullptr, "the sort icon is in the main bundle");
  kerbelin::APIService::setBaseURL(argv[2]);
  ios::HTTPClient::shared()->connectTimeout = 2;
  ios::HTTPClient::shared()->timeout = 3;

  ios::NotificationCenter::defaultCenter().addObserver(kerbelin::Network::internet(),
                                                       "reachabilityChangedWithNotification:",
                                                       kerbelin::kNetworkConnectionChangedNotification);
  auto window = showStore();
  int turnsSeen = 0;
  const auto observer =
      ios::RunLoop::main().addTurnObserver(ios::RunLoop::TurnOrder::display + 1, [&] { ++turnsSeen; });
  std::string reason;
  expect(ios::IdleWaiter(window).waitUntilIdle(30, reason), "the store settles");
  expect(turnsSeen > 0, "the turn observer runs");
  ios::RunLoop::main().removeTurnObserver(observer);

  auto picture = ios::Renderer::renderImage(*window->layer(), ios::UIScreen::main()->scale());
  auto png = picture ? ios::UIImage::create(picture, 1)->pngData() : std::nullopt;
  expect(png && png->count() > 0, "the window draws to a PNG");
  touch(window);

  std::string failure;
  kerbelin::APIService::post(
      "/category/req", ios::Dictionary::object(), [](ios::Dictionary&&) {},
      [&](const std::string& message) { failure = message.empty() ? "?" : message; });
  expect(ios::RunLoop::main().runUntil([&] { return !failure.empty(); }, 30), "a refused request fails");
  ios::RunLoop::main().perform([] { ios::RunLoop::main().stop(); });
  ios::RunLoop::main().run();
  expect(launchesAppDelegate(), "the SDK's own delegate launches");

  ios::print("printed");
  ios::NSLog("logged");
  ios::useStandardConsole();
  expect(printed.find("printed\n") != std::string::npos && printed.find("logged") != std::string::npos,
         "the console sink gets print's and NSLog's lines");
  std::printf("walked the README's host steps: %d failed\n", failures);
  return failures == 0 ? 0 : 1;
}
