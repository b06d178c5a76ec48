// The QR sheet as its openers use it: a server token counted down and renewed on the run loop's
// clock, a fixed code with save and share, and the ways the sheet closes.

#include "DetailTestSupport.h"

#include <Class/MyCode/PopupQRController/ContainerFloatingQRCodeViewController.h>
#include <FloatingPanel/FloatingPanelBackdropView.h>
#include <FloatingPanel/FloatingPanelSurfaceView.h>
#include <Foundation/FileManager.h>
#include <Photos/PHPhotoLibrary.h>
#include <UIKit/UIAlertController.h>
#include <unistd.h>

#include <filesystem>

namespace kerbelin::test {
namespace {

const std::string kRenewed = "\xEF\xBF\xBC Cập nhật thành công";
std::string countdown(int seconds) { return "Tự động cập nhật lại sau " + std::to_string(seconds) + " giây"; }

// Records the codes the sheet hands on for sharing.
struct ShareRecorder : ContainerFloatingQRCodeViewControllerDelegate {
  void shareQRcode(const std::string& qr) override { shared.push_back(qr); }
  std::vector<std::string> shared;
};

class QRPanel : public DetailTest {
 protected:
  void open(std::optional<std::string> code, std::optional<ios::Dictionary> params) {
    sheet = ContainerFloatingQRCodeViewController::instantiate();
    ASSERT_TRUE(sheet);
    sheet->code = std::move(code);
    sheet->params = std::move(params);
    sheet->nameTitle = "Thẻ tập Gym 1 tháng";
    sheet->delegate = recorder;
    sheet->rootView = root;
    sheet->modalPresentationStyle = ios::UIModalPresentationStyle::overFullScreen;
    root->present(sheet, false);
    runUntilIdle();
    settle();
    popup = sheet->popup();
    ASSERT_TRUE(popup);
  }
  void openForToken() { open(std::nullopt, ios::Dictionary{{"mobilePhone", "0912345678"}, {"ownServiceCode", "S1"}}); }

  std::size_t qrRequests() const { return requestsTo(kQRPath).size(); }
  void answerToken(const std::string& token, int seconds, int resultCode = 0) {
    answerLast(kQRPath, ios::Dictionary{{"token", token}, {"timeToken", seconds}}, resultCode);
  }
  std::string line() const { return textOf(popup->labelTime); }
  // One second of the countdown.
  void tick() {
    advance(1);
    runUntilIdle();
  }
  bool sheetShown() const { return root->presentedViewController() == sheet; }

  std::shared_ptr<ContainerFloatingQRCodeViewController> sheet;
  std::shared_ptr<PopupQRCodeViewController> popup;
  std::shared_ptr<ShareRecorder> recorder = std::make_shared<ShareRecorder>();
};

TEST_F(QRPanel, TokenIsCountedDownAndRenewedAtZero) {
  openForToken();
  ASSERT_EQ(qrRequests(), 1u);
  EXPECT_EQ(sentParams(requestsTo(kQRPath)[0])["ownServiceCode"], "S1");
  answerToken("KBQR-FIRST", 3);
  EXPECT_EQ(decodedQR(popup->imageQRCode.lock()->image()), "KBQR-FIRST");
  EXPECT_EQ(textOf(popup->labelName), "Thẻ tập Gym 1 tháng");
  // Each row: what the line reads after one more second, and the requests sent by then.
  struct Step {
    std::string line;
    std::size_t requests;
  };
  const Step steps[] = {{countdown(3), 1}, {countdown(2), 1}, {countdown(1), 1}, {countdown(0), 1}, {countdown(0), 2}};
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    if (i > 0) tick();
    EXPECT_EQ(line(), steps[i].line) << "second " << i;
    EXPECT_EQ(qrRequests(), steps[i].requests) << "second " << i;
  }
  answerToken("KBQR-SECOND", 3);
  EXPECT_EQ(decodedQR(popup->imageQRCode.lock()->image()), "KBQR-SECOND");
  // A renewal counts from its lifetime plus two; the first two readings announce it.
  for (const auto& expected : {kRenewed, kRenewed, countdown(3), countdown(2)}) {
    EXPECT_EQ(line(), expected);
    tick();
  }
}

// One request at a time; a refused one, or a reply without a usable token, shows nothing and is
// asked for again at the next tick.
TEST_F(QRPanel, OneRequestAtATimeAndOneWithoutAUsableTokenIsAskedAgain) {
  struct Case {
    const char* name;
    std::optional<ios::Dictionary> body;  // none: the connection is refused
    int resultCode;
  };
  const Case cases[] = {{"refused", std::nullopt, -1},
                        {"empty token", ios::Dictionary{{"token", ""}, {"timeToken", 30}}, 0},
                        {"no body", std::nullopt, 0},
                        {"error code", ios::Dictionary{{"token", "KBQR-X"}, {"timeToken", 30}}, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    openForToken();
    const auto before = qrRequests();
    for (int i = 0; i < 3; ++i) tick();
    EXPECT_EQ(qrRequests(), before);  // the first is still in flight
    c.resultCode < 0 ? failRequest(lastRequestTo(kQRPath)) : answer(lastRequestTo(kQRPath), c.body, c.resultCode);
    EXPECT_EQ(popup->imageQRCode.lock()->image(), nullptr);
    EXPECT_EQ(line(), "Đang lấy mã…");
    EXPECT_FALSE(popup->isCheckUpdateQR);
    tick();
    EXPECT_EQ(qrRequests(), before + 1);
    failRequest(lastRequestTo(kQRPath));  // its mask would take the tap
    tap(sheet->fpc->backdropView());
    settle();
  }
}

TEST_F(QRPanel, ClosingStopsTheCountdownAndIgnoresALateReply) {
  // Each way of closing: a tap beside the sheet, or a downward drag of the sheet.
  for (bool byDrag : {false, true}) {
    openForToken();
    if (byDrag) {
      const auto surface = sheet->fpc->surfaceView();
      const auto top = centerOf(*surface);
      touches->drag({top.x, surface->convert(surface->bounds(), window.get()).minY() + 20}, {top.x, 800}, 0.1);
    } else {
      tap(sheet->fpc->backdropView());
    }
    settle();
    EXPECT_FALSE(sheetShown()) << byDrag;
    EXPECT_FALSE(popup->timer->isValid()) << byDrag;
    const auto before = qrRequests();
    answerToken("KBQR-LATE", 3);  // the request sent when the sheet opened
    EXPECT_EQ(popup->imageQRCode.lock()->image(), nullptr) << byDrag;
    for (int i = 0; i < 5; ++i) tick();
    EXPECT_EQ(qrRequests(), before) << byDrag;
    EXPECT_TRUE(recorder->shared.empty());
  }
}

TEST_F(QRPanel, SavingSaysHowItWentForASecond) {
  const auto folder = std::filesystem::temp_directory_path() / ("kerbelin-qr-save-" + std::to_string(::getpid()));
  ios::FileManager::defaultManager().setDocumentsDirectory((folder / "Documents").string());
  ios::PHPhotoLibrary::setLibraryDirectory((folder / "Pictures").string());
  struct Case {
    ios::PHAuthorizationStatus access;
    std::string message;
    bool sheetStays;
  };
  const Case cases[] = {{ios::PHAuthorizationStatus::authorized, "Lưu ảnh thành công", false},
                        {ios::PHAuthorizationStatus::denied, "Lưu ảnh không thành công", true}};
  for (const auto& c : cases) {
    ios::PHPhotoLibrary::setAuthorizationStatus(c.access);
    open("SV-GYM-1M", std::nullopt);
    tap(popup->viewSaveAndShareImage.lock()->subviews().at(0));  // "Lưu ảnh"
    advance(0.5);
    runUntilIdle();
    auto alert = std::dynamic_pointer_cast<ios::UIAlertController>(popup->presentedViewController());
    ASSERT_TRUE(alert) << c.message;
    EXPECT_EQ(alert->message, c.message);
    advance(1);
    settle();
    EXPECT_EQ(popup->presentedViewController(), nullptr) << c.message;
    EXPECT_EQ(sheetShown(), c.sheetStays) << c.message;
    if (c.sheetStays) tap(sheet->fpc->backdropView());
    settle();
  }
  EXPECT_TRUE(std::filesystem::exists(folder / "Documents" / "imageqr"));
  ios::PHPhotoLibrary::setAuthorizationStatus(ios::PHAuthorizationStatus::notDetermined);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

// The loop held up (the app out of sight) while a token runs: its first tick back reads the time
// left on the token, and one that ran out meanwhile is asked for again at once, never shown with
// time left.
TEST_F(QRPanel, ATickHeldUpIsCountedToTheTokensDeadline) {
  struct Case {
    double heldUp;
    std::string line;
    std::size_t asked;  // requests sent by the late tick
  };
  const Case cases[] = {{4, countdown(6), 0}, {20, countdown(0), 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.heldUp);
    openForToken();
    answerToken("KBQR-HELD", 10);
    const auto before = qrRequests();
    loop().stall(c.heldUp);
    runUntilIdle();
    EXPECT_EQ(line(), c.line);
    EXPECT_EQ(qrRequests(), before + c.asked);
    tick();
    EXPECT_EQ(qrRequests(), before + c.asked);  // one request at a time
    if (c.asked) {
      answerToken("KBQR-NEXT", 10);
      EXPECT_EQ(decodedQR(popup->imageQRCode.lock()->image()), "KBQR-NEXT");
      EXPECT_EQ(line(), kRenewed);
    }
    tap(sheet->fpc->backdropView());
    settle();
  }
}

// Whatever lifetime the server gives its tokens, answering each request at once, the sheet renews on
// the tick: at most one request a second (the first one, then one a tick over 10 s), and never time
// left on a code that has run out, nor a count below 0 on one issued already expired. Each lifetime
// as the first token and as a renewal of a 1 s one.
TEST_F(QRPanel, TheSheetAsksAtMostOnceASecondWhateverTheTokensLifetime) {
  const Lifetime lifetimes[] = {-5, 0, 1, INT64_MAX, INT64_MIN, std::nullopt};
  for (const auto& lifetime : lifetimes) {
    for (bool renewal : {false, true}) {
      SCOPED_TRACE((lifetime ? std::to_string(*lifetime) : "none") + (renewal ? ", renewal" : ", first"));
      answerTokensAtOnce(renewal ? 1 : lifetime, lifetime);
      const auto before = qrRequests();
      openForToken();
      EXPECT_GE(secondsOn(line()), 0) << line() << " on opening";
      for (int step = 0; step < 20; ++step) {
        advance(0.5);
        EXPECT_GE(secondsOn(line()), 0) << line() << " at " << now();
        if (secondsOn(line()) <= 0) continue;
        const auto code = decodedQR(popup->imageQRCode.lock()->image());
        // A renewal is counted two seconds past its lifetime, for the two readings of the success line.
        EXPECT_FALSE(ranOut(code, code == issued.front().token ? 0 : 2)) << line() << " at " << now();
      }
      EXPECT_LE(qrRequests() - before, 11u);
      for (auto held : fake->pending()) failRequest(held);  // a mask would take the tap
      tap(sheet->fpc->backdropView());
      settle();
    }
  }
}

TEST_F(QRPanel, TheOpenersScreenReachesThePopup) {
  openForToken();
  EXPECT_EQ(popup->rootView.lock(), root);
}

}  // namespace
}  // namespace kerbelin::test
