// The smallest complete host of KerbelinSDK: a window, the main run loop, the store screen in a
// navigation controller of the host's own, pointed at the back-end given on the command line.
//
//   kerbelin-host-example --backend http://127.0.0.1:PORT [--seconds N] [--shot FILE.png] [--resources DIR]
//
// The host's main bundle is the one kerbelin_embed_resources() compiled in, or with --resources the
// folder DIR, as a host built without CMake gives it (`pkg-config --variable=hostresourcesdir
// kerbelinsdk` names the package's set).
//
// It runs the main loop on the real clock until the store shows its cards (or N seconds pass, 10 by
// default) and has settled, writes what the window shows to FILE.png when asked, then taps the first
// card as a pointer would and waits for its detail. It exits 0 when cards arrived and the detail
// showed.
#include <Foundation/Bundle.h>
#include <Foundation/NotificationCenter.h>
#include <Foundation/RunLoop.h>
#include <Manager.h>
#include <QuartzCore/Renderer.h>
#include <Service/APIService.h>
#include <UIKit/IdleWaiter.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIImage.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Common/Network.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The rows of the first table on screen: what the store has shown of the back-end's cards.
std::shared_ptr<ios::UITableView> firstTable(const std::shared_ptr<ios::UIView>& view) {
  if (auto table = std::dynamic_pointer_cast<ios::UITableView>(view)) return table;
  for (const auto& child : view->subviews())
    if (auto table = firstTable(child)) return table;
  return nullptr;
}

int shownRows(const std::shared_ptr<ios::UIView>& view) {
  auto table = firstTable(view);
  int rows = 0;
  for (int section = 0; table && section < table->numberOfSections(); ++section) rows += table->numberOfRows(section);
  return rows;
}

bool showsText(const std::shared_ptr<ios::UIView>& view, const std::string& text) {
  if (view->isHidden()) return false;
  if (auto label = std::dynamic_pointer_cast<ios::UILabel>(view); label && label->text() == text) return true;
  for (const auto& child : view->subviews())
    if (showsText(child, text)) return true;
  return false;
}

bool writePNG(const ios::UIWindow& window, const std::string& path) {
  auto image = ios::Renderer::renderImage(*window.layer(), ios::UIScreen::main()->scale());
  auto png = image ? ios::UIImage::create(image, 1)->pngData() : std::nullopt;
  return png && png->write(path);
}

}  // namespace

int main(int argc, char** argv) {
  std::string backend, shot, resources;
  double seconds = 10;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--backend") backend = argv[i + 1];
    else if (option == "--seconds") seconds = std::atof(argv[i + 1]);
    else if (option == "--shot") shot = argv[i + 1];
    else if (option == "--resources") resources = argv[i + 1];
  }
  // Line by line, so that a script reading the output sees each line even when a sanitizer ends the
  // process at exit.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (backend.empty()) {
    std::fprintf(stderr,
                 "usage: kerbelin-host-example --backend URL [--seconds N] [--shot FILE.png] [--resources DIR]\n");
    return 2;
  }

  // The device: a phone-sized screen, this thread as the main thread, the host's resources as the
  // main bundle, and the SDK pointed at the back-end.
  ios::UIScreen::configure({.points = {375, 812}, .scale = 2});
  ios::RunLoop::main().declareMainThread();
  const char* bundleID = "com.example.kerbelin-host";
  ios::Bundle::setMainBundle(resources.empty() ? ios::Bundle::withIdentifier(bundleID)
                                               : ios::Bundle::create(bundleID, resources));
  std::printf("sort icon in the main bundle: %s\n", ios::UIImage::named("Icon_sapxep") ? "yes" : "no");
  kerbelin::APIService::setBaseURL(backend);

  // The no-internet banner follows the machine's network.
  ios::NotificationCenter::defaultCenter().addObserver(kerbelin::Network::internet(),
                                                       "reachabilityChangedWithNotification:",
                                                       kerbelin::kNetworkConnectionChangedNotification);

  // The host's own window and navigation controller, with the SDK's store screen at the root. The
  // SDK's screens draw their own bars, so the host's is hidden.
  auto window = ios::UIWindow::create();
  auto navigation = ios::UINavigationController::create(kerbelin::Manager().viewController());
  navigation->setNavigationBarHidden(true);
  window->setRootViewController(navigation);
  window->makeKeyAndVisible();

  // The main loop: replies arrive on it, layout and drawing happen at the end of each turn. Once the
  // cards are there, the wait for the SDK to settle covers their images and the loading overlay's fade.
  auto root = window->rootViewController()->view();
  const ios::IdleWaiter idle(window);
  std::string reason;
  const bool loaded = ios::RunLoop::main().runUntil([&] { return shownRows(root) > 1; }, seconds) &&
                      idle.waitUntilIdle(seconds, reason);
  std::printf("store rows shown: %d\n", shownRows(root));
  if (!shot.empty() && !writePNG(*window, shot)) {
    std::fprintf(stderr, "cannot write %s\n", shot.c_str());
    return 1;
  }
  if (!loaded) return 1;

  // A pointer's tap on the first card (section 0 is the sort row), on the real clock; the store
  // pushes the card's detail on the host's navigation controller.
  auto table = firstTable(root);
  const auto card = table->convert(table->rectForRow(ios::IndexPath::forRow(0, 1)), nullptr);
  ios::TouchGenerator(window).tap({card.midX(), card.midY()});
  const bool detail = idle.waitUntilIdle(seconds, reason) && navigation->viewControllers().size() == 2 &&
                      showsText(root, "Chi tiết thẻ");
  std::printf("card detail shown: %s\n", detail ? "yes" : ("no " + reason).c_str());
  return detail ? 0 : 1;
}
