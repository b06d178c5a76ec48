// The scanner tab end to end: the simulator's camera plays a QR image and the tab reads it.

#include "SimulatorRun.h"

#include <CoreImage/CIFilter.h>
#include <CoreImage/CIImage.h>

namespace kerbelin::test {
namespace {

// A QR code of `text` in the middle of a white frame, as a camera would see a printed one.
void writeQRFrame(const std::string& text, const std::filesystem::path& path) {
  auto filter = ios::CIFilter::create("CIQRCodeGenerator");
  filter->setValue(ios::Data::fromText(text), "inputMessage");
  auto code = filter->outputImage()->transformed(ios::CGAffineTransform::scale(8, 8))->bitmap();
  auto frame = ios::CGImage::create(640, 480);
  std::fill_n(frame->mutablePixels(), 640 * 480, 0xffffffffu);
  for (int row = 0; row < code->height(); ++row)
    for (int col = 0; col < code->width(); ++col)
      frame->mutablePixels()[(240 - code->height() / 2 + row) * 640 + 320 - code->width() / 2 + col] = code->pixel(col, row);
  ASSERT_TRUE(ios::UIImage::create(frame)->pngData()->write(path.string()));
}

TEST(SimulatorRun, TheScannerTabReadsAQRCodeFromTheSimulatorsCamera) {
  const auto frame = std::filesystem::path(KERBELIN_E2E_OUT) / "scanner-frame.png";
  std::filesystem::create_directories(frame.parent_path());
  writeQRFrame("KB-SCAN-E2E-42", frame);
  const auto run = runSimulator("scanner", "scanner.txt", "--as app --camera '" + frame.string() + "'");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("kerbelin-sim: scanned KB-SCAN-E2E-42"), std::string::npos) << run.output;
  expectShotsMatch(run, "e2e_scanner_", {"camera"});
}

}  // namespace
}  // namespace kerbelin::test
