// What the QR sheet shows once its code has been renewed: the new code and, on the line below it, the
// check mark before "Cập nhật thành công". A reference picture recorded on purpose and checked by eye.

#include "DetailTestSupport.h"

#include <Class/MyCode/PopupQRController/ContainerFloatingQRCodeViewController.h>
#include <QuartzCore/Renderer.h>

namespace kerbelin::test {
namespace {

using QRRenewalPicture = DetailTest;

TEST_F(QRRenewalPicture, TheRenewalLineShowsItsCheckMark) {
  auto sheet = ContainerFloatingQRCodeViewController::instantiate();
  ASSERT_TRUE(sheet);
  sheet->params = ios::Dictionary{{"mobilePhone", "0912345678"}, {"ownServiceCode", "S1"}};
  sheet->nameTitle = "Thẻ tập Gym 1 tháng";
  sheet->modalPresentationStyle = ios::UIModalPresentationStyle::overFullScreen;
  root->present(sheet, false);
  settle();
  auto popup = sheet->popup();
  ASSERT_TRUE(popup);
  answerLast(kQRPath, ios::Dictionary{{"token", "KBQR-FIRST"}, {"timeToken", 2}});
  for (int second = 0; second < 10 && requestsTo(kQRPath).size() < 2; ++second) {
    advance(1);
    runUntilIdle();
  }
  answerLast(kQRPath, ios::Dictionary{{"token", "KBQR-SECOND"}, {"timeToken", 30}});
  ASSERT_EQ(textOf(popup->labelTime), "\xEF\xBF\xBC Cập nhật thành công");

  popup->view()->layoutIfNeeded();
  auto picture = ios::Renderer::renderImage(*popup->view()->layer(), 2);
  ASSERT_TRUE(picture);
  EXPECT_TRUE(ios::test::matchesReference(*picture, "qr-popup-renewal-line"));
}

}  // namespace
}  // namespace kerbelin::test
