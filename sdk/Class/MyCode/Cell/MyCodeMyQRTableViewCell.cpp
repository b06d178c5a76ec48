#include <Class/MyCode/Cell/MyCodeMyQRTableViewCell.h>

#include <Class/MyCode/Model/MyCodeQRCodeModel.h>
#include <Class/MyCode/QRCountdownLine.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/RunLoop.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Constants/Constants.h>

namespace kerbelin {

namespace {
using Cell = MyCodeMyQRTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("viewQR", &Cell::viewQR)
                              .property("imageQR", &Cell::imageQR)
                              .property("labelPhone", &Cell::labelPhone)
                              .property("labelName", &Cell::labelName)
                              .property("labelTime", &Cell::labelTime)
                              .method("fireTimer", &Cell::fireTimer);
}  // namespace

std::shared_ptr<MyCodeMyQRTableViewCell> MyCodeMyQRTableViewCell::create() {
  return std::make_shared<MyCodeMyQRTableViewCell>();
}

MyCodeMyQRTableViewCell::~MyCodeMyQRTableViewCell() {
  if (timer) timer->invalidate();
}

void MyCodeMyQRTableViewCell::didMoveToWindow() {
  UITableViewCell::didMoveToWindow();
  if (window() && !timer) {
    timer = ios::Timer::scheduledTimer(tick, weak_from_this(), "fireTimer", {}, true);
    // Back in sight: the time away has counted, so the line (or a renewal) cannot wait a tick. The table
    // also puts the row back as each reply lands, though: a token that came run out waits for the tick,
    // or a server sending such tokens would be asked again as fast as it answers.
    if (objQRCode) countDown(!exchangedWithinATick());
  } else if (!window() && timer) {
    timer->invalidate();
    timer = nullptr;
  }
}

void MyCodeMyQRTableViewCell::getData(const std::shared_ptr<MyCodeQRCodeModel>& obj) {
  objQRCode = obj;
  if (!obj) return;
  if (auto image = imageQR.lock()) image->setImage(Common::generateQRCode(obj->token));
  if (auto name = labelName.lock()) name->setText(nameUser);
  if (auto phone = labelPhone.lock()) phone->setText(phoneUser);
  timeCountDown = obj->timeToken;
  deadline_.start(timeCountDown);
  lastExchange_ = ios::RunLoop::main().now();
  setTextLabelTime();
}

void MyCodeMyQRTableViewCell::fireTimer() { countDown(true); }

// Brings the line to the token's deadline; once that has gone by, asks for a new token if `mayAsk`.
void MyCodeMyQRTableViewCell::countDown(bool mayAsk) {
  if (!deadline_.passed()) {
    timeCountDown = deadline_.secondsLeft();
    return setTextLabelTime();
  }
  runOut();
  if (!mayAsk) return;
  lastExchange_ = ios::RunLoop::main().now();
  if (auto host = delegate.lock()) host->genQRcode();
}

bool MyCodeMyQRTableViewCell::exchangedWithinATick() const {
  return lastExchange_ && ios::RunLoop::main().now() - *lastExchange_ < tick;
}

// The deadline went by while the line still read time left (out of sight, or the loop held up).
void MyCodeMyQRTableViewCell::runOut() {
  if (timeCountDown <= 0) return;
  timeCountDown = 0;
  setTextLabelTime();
}

void MyCodeMyQRTableViewCell::setTextLabelTime() {
  if (auto label = labelTime.lock()) label->setAttributedText(qrCountdownLine(timeCountDown));
}

}  // namespace kerbelin
