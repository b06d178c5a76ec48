#include "Simulator.h"

#include "BackendProbe.h"
#include "HostLauncher.h"
#include "ScriptRunner.h"
#include "SdlDisplay.h"
#include "StoreBench.h"
#include "TourIndex.h"

#include <AVFoundation/AVCaptureDevice.h>
#include <BackendServer.h>
#include <Class/QRCode/QRCodeViewController.h>
#include <Desktop/DesktopURLOpener.h>
#include <Desktop/RecordingURLOpener.h>
#include <Foundation/Bundle.h>
#include <Foundation/DispatchQueue.h>
#include <Foundation/RunLoop.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <Reachability/FakeReachabilitySource.h>
#include <Class/BuyCard/Model/CardModel.h>
#include <Service/APIService.h>
#include <Service/DetailCardService.h>
#include <UIKit/IdleWaiter.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIScreen.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/Handle/HandlePush.h>

#include <fstream>
#include <iostream>
#include <sstream>

#ifndef KERBELIN_SIM_TOUR_FILE
#define KERBELIN_SIM_TOUR_FILE "tools/simulator/tour.txt"
#endif

namespace kerbelin::sim {
namespace {

// Headless runs open nothing outside; what the SDK asks to open is printed, so a script's run shows it.
class PrintingURLOpener : public ios::RecordingURLOpener {
 public:
  // As on a desktop: no maps application answers its scheme, so directions go to the web page.
  PrintingURLOpener() { unhandledSchemes = {"comgooglemaps"}; }
  bool open(const ios::URL& url) override {
    std::cout << "kerbelin-sim: open " << url.absoluteString() << std::endl;
    return RecordingURLOpener::open(url);
  }
};

// The host's side of the scanner: what it reads is printed, so a run shows it.
class PrintingScanListener : public kerbelin::QRScannerControllerDelegate {
 public:
  void qrScanningSucceeded(const std::string& code) override {
    std::cout << "kerbelin-sim: scanned " << code << std::endl;
  }
};

// The scanner of the tab shell, wherever it sits among the window's controllers.
std::shared_ptr<kerbelin::QRCodeViewController> findScanner(const std::shared_ptr<ios::UIViewController>& controller) {
  if (!controller) return nullptr;
  if (auto scanner = std::dynamic_pointer_cast<kerbelin::QRCodeViewController>(controller)) return scanner;
  for (const auto& child : controller->children())
    if (auto scanner = findScanner(child)) return scanner;
  return nullptr;
}

std::optional<std::string> readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// How long the host waits in real time for the back-end's answers (launch, a card looked up).
constexpr double kAnswerSeconds = 10;

// Asks the back-end for the customer's card as its detail screen will, so that a number it does not
// know fails the script with the back-end's reason instead of opening an empty detail.
bool ownedCardExists(const std::string& cardNo, std::string& reason) {
  struct Answer {
    std::optional<bool> found;
    std::string reason;
  };
  auto answer = std::make_shared<Answer>();
  const ios::Dictionary params = {{"cardNo", cardNo}, {"mobilePhone", phoneUser}, {"isPaid", false}};
  DetailCardService::create()->getDetailCard(
      params, TypeController::MyCard,
      [answer, cardNo](const ios::Dictionary& reply) {
        const auto body = reply.find("body");
        answer->found = body != reply.end() && body->is_object() && body->contains("ownCardDto") &&
                        (*body)["ownCardDto"].is_object();
        const auto said = reply.value("resultDesc", std::string());
        answer->reason = "the customer has no card \"" + cardNo + "\"" + (said.empty() ? "" : " (" + said + ")");
      },
      [answer](const std::string& message) {
        answer->found = false;
        answer->reason = "the card could not be looked up: " + message;
      });
  ios::RunLoop::main().runUntil([&] { return answer->found.has_value(); }, kAnswerSeconds);
  reason = answer->found ? answer->reason : "the back-end did not answer about the card in time";
  return answer->found.value_or(false);
}

// Screens a script opens by name. "owned-card": the detail of the customer's card with that number,
// as the my-cards list opens it.
bool openScreen(const std::string& screen, const std::string& argument,
                const std::shared_ptr<ios::UIViewController>& front, std::string& reason) {
  if (screen != "owned-card") {
    reason = "no screen named \"" + screen + "\" to open";
    return false;
  }
  if (!ownedCardExists(argument, reason)) return false;
  reason.clear();
  auto card = CardModel::create();
  card->cardNo = argument;
  HandlePush::create()->pushDetaiCard(front, TypeController::MyCard, card);
  return true;
}

}  // namespace

Simulator::Simulator(SimulatorOptions options)
    : options_(std::move(options)), start_(std::chrono::steady_clock::now()) {}

Simulator::~Simulator() {
  // Closing the client's kept-alive connections first lets the server's workers end at once instead
  // of waiting out their keep-alive time.
  ios::HTTPClient::shared()->setTransport(ios::FakeTransport::create());
  if (backend_) backend_->stop();
}

bool Simulator::startBackend(std::string& reason) {
  if (options_.backend) {
    backendURL_ = *options_.backend;
    // Asked once, before anything is shown: an address nobody answers would otherwise only give
    // empty screens.
    if (auto refused = BackendProbe::check(backendURL_)) {
      reason = "the back-end at " + backendURL_ + " does not answer (" + *refused + ")";
      return false;
    }
    return true;
  }
  try {
    backend::BackendServer::Options backendOptions;
    if (options_.qrSeconds) backendOptions.qrValiditySeconds = *options_.qrSeconds;
    if (options_.backendLog && !openBackendLog(reason)) return false;
    if (backendLog_.is_open()) backendOptions.log = &backendLog_;
    backend_ = std::make_unique<backend::BackendServer>(backendOptions);
  } catch (const std::exception& error) {
    reason = std::string("the back-end cannot start: ") + error.what();
    return false;
  }
  if (!backend_->start()) {
    reason = "the back-end cannot listen on a loopback port";
    return false;
  }
  backendURL_ = backend_->baseURL();
  return true;
}

bool Simulator::openBackendLog(std::string& reason) {
  backendLog_.open(*options_.backendLog);
  if (!backendLog_) reason = "cannot write the back-end's log to " + options_.backendLog->string();
  return backendLog_.is_open();
}

void Simulator::configurePlatform(bool virtualClock, bool withDisplay) {
  auto& loop = ios::RunLoop::main();
  loop.declareMainThread();
  if (virtualClock) {
    loop.useVirtualClock();
    // Decoding and other background jobs run on the main loop, so that `idle` sees them through.
    ios::DispatchQueue::setGlobalInline(true);
  }
  ios::Bundle::setMainBundle(ios::Bundle::withIdentifier(kMainBundleIdentifier));
  kerbelin::APIService::setBaseURL(backendURL_);
  // The back-end is on this machine: the network is up unless asked otherwise, whatever the host's
  // own link says, so that runs look the same everywhere.
  ios::ReachabilitySource::setDefaultSource(ios::FakeReachabilitySource::create(
      options_.offline ? ios::ReachabilityConnection::unavailable : ios::ReachabilityConnection::wifi));
  if (options_.camera) {
    ios::AVCaptureDevice::setFileFrameSource({options_.camera->string()});
    ios::AVCaptureDevice::setAccessPrompt([](ios::AVMediaType, std::function<void(bool)> answer) { answer(true); });
  }
  if (withDisplay)
    ios::UIApplication::shared()->setURLOpener(ios::DesktopURLOpener::create());
  else
    ios::UIApplication::shared()->setURLOpener(std::make_shared<PrintingURLOpener>());
}

std::filesystem::path Simulator::tourFile() {
  // An installed simulator reads the copy beside its prefix; one in a build tree, the source tree's.
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  const auto installed = self.parent_path().parent_path() / "share/kerbelin/tour.txt";
  if (!error && std::filesystem::is_regular_file(installed, error)) return installed;
  return KERBELIN_SIM_TOUR_FILE;
}

std::filesystem::path Simulator::outDirectory() const {
  return options_.out.value_or(SimulatorOptions::kDefaultOut);
}

int Simulator::runScript(const std::shared_ptr<ios::UIWindow>& window, SdlDisplay* display) {
  const auto scriptPath = options_.script.value_or(tourFile());
  const auto text = readFile(scriptPath);
  if (!text) {
    std::cerr << "kerbelin-sim: cannot read the script " << scriptPath << "\n";
    return 2;
  }
  // The start-up replies switch screens (a customer with paid cards lands on my cards): the script's
  // first command sees the launch settled.
  std::string reason;
  if (!ios::IdleWaiter(window).waitUntilIdle(kAnswerSeconds, reason)) {
    std::cerr << "kerbelin-sim: the launch did not settle: " << reason << "\n";
    return 1;
  }
  const auto out = outDirectory();
  ScriptRunner runner(window, {out});
  runner.openScreen = openScreen;
  if (display) {
    runner.afterCommand = [&](const ScriptCommand&) {
      display->pumpQuit();
      display->present(*window);
    };
  }
  const auto result = runner.runText(*text);
  if (!runner.shots().empty()) {
    TourIndex::write(out, runner.shots(), "KerbelinSDK: " + scriptPath.filename().string());
    std::cout << "kerbelin-sim: " << runner.shots().size() << " screenshot(s) in " << out.string()
              << "; open " << (out / "index.html").string() << "\n";
  }
  if (result.exitCode != 0) {
    std::cerr << "kerbelin-sim: " << scriptPath.string() << ": " << result.message() << "\n";
    return result.exitCode;
  }
  std::cout << "kerbelin-sim: " << scriptPath.string() << " ran to the end\n";
  return 0;
}

int Simulator::run() {
  ios::UIScreen::Description screen;
  screen.points = {options_.width, options_.height};
  screen.scale = options_.scale;
  ios::UIScreen::configure(screen);

  std::string reason;
  if (!startBackend(reason)) {
    std::cerr << "kerbelin-sim: " << reason << "\n";
    return 1;
  }
  std::cout << "kerbelin-sim: back-end at " << backendURL_ << std::endl;

  std::unique_ptr<SdlDisplay> display;
  if (!options_.headless && !options_.bench) {
    display = SdlDisplay::open("KerbelinSDK — " + backendURL_, reason);
    if (!display && SdlDisplay::isConfigured()) {
      std::cerr << "kerbelin-sim: cannot open the display (" << reason << "); running headless" << std::endl;
    } else if (!display) {
      std::cout << "kerbelin-sim: running headless (" << reason << ")" << std::endl;
    }
  }
  const bool interactive = display && !options_.script;
  configurePlatform(!interactive, display != nullptr);

  // The bench measures the store screen alone, as the entry point gives it to a host.
  const auto mode = options_.bench ? SimulatorOptions::Mode::host : options_.mode;
  auto window = HostLauncher::launch(mode, reason);
  if (!window) {
    std::cerr << "kerbelin-sim: " << reason << "\n";
    return 1;
  }
  if (options_.bench) return StoreBench::run(window, start_, std::cout);
  auto scanListener = std::make_shared<PrintingScanListener>();
  if (auto scanner = findScanner(window->rootViewController())) scanner->delegate = scanListener;
  if (interactive) {
    display->run(window, options_.quitAfter);
    return 0;
  }
  return runScript(window, display.get());
}

}  // namespace kerbelin::sim
