#include <Foundation/Bundle.h>
#include <Foundation/Console.h>
#include <Foundation/Data.h>
#include <ImageIO/GifTestWriter.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <Ultilities/Extensions/UIImageGifExtension.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kerbelin {
namespace {

using ios::testing::GifColor;
using ios::testing::GifFrame;
using ios::testing::GifTestWriter;

const std::vector<GifColor> kPalette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};

GifFrame frame(std::uint8_t index, int delayCentiseconds) {
  GifFrame f;
  f.width = 2;
  f.height = 2;
  f.indices.assign(4, index);
  f.delayCentiseconds = delayCentiseconds;
  return f;
}

ios::Data gif(const std::vector<GifFrame>& frames) {
  return ios::Data(GifTestWriter::write(2, 2, kPalette, frames));
}

std::uint32_t firstPixel(const std::shared_ptr<ios::UIImage>& image) {
  return image->cgImage()->pixel(0, 0);
}

TEST(GifGcd, PairsAndLists) {
  EXPECT_EQ(gcdForPair(12, 18), 6);
  EXPECT_EQ(gcdForPair(std::nullopt, 7), 7);
  EXPECT_EQ(gcdForPair(7, std::nullopt), 7);
  EXPECT_EQ(gcdForPair(std::nullopt, std::nullopt), 0);
  EXPECT_EQ(gcdForArray({}), 1);
  EXPECT_EQ(gcdForArray({100}), 100);
  EXPECT_EQ(gcdForArray({100, 150, 250}), 50);
  EXPECT_EQ(gcdForArray({100, 101}), 1);
}

TEST(GifDecoding, EachFrameRepeatsForItsOwnDelay) {
  auto image = gifImageWithData(gif({frame(0, 10), frame(1, 20)}));
  ASSERT_TRUE(image);
  const auto& frames = image->images();
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(firstPixel(frames[0]), 0xFFFF0000u);
  EXPECT_EQ(firstPixel(frames[1]), 0xFF00FF00u);
  EXPECT_EQ(frames[1], frames[2]);  // the same image object repeated
  EXPECT_NE(frames[0], frames[1]);
  EXPECT_DOUBLE_EQ(image->duration(), 0.3);

  auto even = gifImageWithData(gif({frame(0, 20), frame(1, 20), frame(2, 20)}));
  ASSERT_TRUE(even);
  EXPECT_EQ(even->images().size(), 3u);
  EXPECT_DOUBLE_EQ(even->duration(), 0.6);

  auto coprime = gifImageWithData(gif({frame(0, 10), frame(1, 11)}));  // 100 and 110 ms: steps of 10 ms
  ASSERT_TRUE(coprime);
  EXPECT_EQ(coprime->images().size(), 21u);
  EXPECT_DOUBLE_EQ(coprime->duration(), 0.21);
}

TEST(GifDecoding, ShortDelaysAreRaisedToATenth) {
  auto source = ios::CGImageSourceCreateWithData(gif({frame(0, 5), frame(1, 0), frame(2, 1), frame(3, 50)}));
  ASSERT_TRUE(source);
  EXPECT_DOUBLE_EQ(delayForImageAtIndex(0, source), 0.1);  // 0.05 s raised
  EXPECT_DOUBLE_EQ(delayForImageAtIndex(1, source), 0.1);  // no delay: the clamped value
  EXPECT_DOUBLE_EQ(delayForImageAtIndex(2, source), 0.1);
  EXPECT_DOUBLE_EQ(delayForImageAtIndex(3, source), 0.5);
  EXPECT_DOUBLE_EQ(delayForImageAtIndex(9, source), 0.1);  // no such frame
  EXPECT_DOUBLE_EQ(delayForImageAtIndex(-1, source), 0.1);
}

TEST(GifDecoding, AnUndecodableFrameIsDroppedWithItsDelay) {
  GifFrame broken = frame(1, 20);
  broken.endAfterPixels = 2;
  auto image = gifImageWithData(gif({frame(0, 10), broken, frame(2, 30)}));
  ASSERT_TRUE(image);
  const auto& frames = image->images();
  ASSERT_EQ(frames.size(), 4u);  // 100 and 300 ms over steps of 100
  EXPECT_EQ(firstPixel(frames[0]), 0xFFFF0000u);
  EXPECT_EQ(firstPixel(frames[1]), 0xFF0000FFu);
  EXPECT_EQ(frames[1], frames[3]);
  EXPECT_DOUBLE_EQ(image->duration(), 0.4);

  GifFrame only = frame(1, 20);
  only.endAfterPixels = 1;
  ios::ConsoleCapture capture;
  EXPECT_EQ(gifImageWithData(gif({only})), nullptr);
  EXPECT_EQ(capture.output(), "");
}

TEST(GifDecoding, LoadingFailuresWriteOneLineEach) {
  ios::ConsoleCapture capture;
  EXPECT_EQ(gifImageWithData(ios::Data::fromText("not a gif")), nullptr);
  EXPECT_EQ(capture.output(), "image doesn't exist\n");
  capture.clear();
  EXPECT_EQ(gifImageWithURL("not a url"), nullptr);
  EXPECT_EQ(capture.output(), "image named \"not a url\" doesn't exist\n");
  capture.clear();
  EXPECT_EQ(gifImageWithURL("file:///nonexistent/spin.gif"), nullptr);
  EXPECT_EQ(capture.output(), "image named \"file:///nonexistent/spin.gif\" into NSData\n");
  capture.clear();
  EXPECT_EQ(gifImageWithName("missing"), nullptr);
  EXPECT_EQ(capture.output(), "SwiftGif: This image named \"missing\" does not exist\n");
}

TEST(GifDecoding, LoadsFromAFileURLAndFromTheMainBundle) {
  const auto bytes = gif({frame(0, 10), frame(3, 10)});
  const auto path = std::filesystem::temp_directory_path() / "sdk_toolkit_spin.gif";
  ASSERT_TRUE(bytes.write(path.string()));
  auto fromFile = gifImageWithURL("file://" + path.string());
  std::filesystem::remove(path);
  ASSERT_TRUE(fromFile);
  EXPECT_EQ(fromFile->images().size(), 2u);

  const auto previous = ios::Bundle::main();
  ios::Bundle::setMainBundle(ios::Bundle::create("toolkit.tests", {{"spin.gif", bytes.bytes}}));
  auto named = gifImageWithName("spin");
  ios::Bundle::setMainBundle(previous);
  ASSERT_TRUE(named);
  EXPECT_EQ(named->images().size(), 2u);
  EXPECT_EQ(firstPixel(named->images()[1]), 0xFFFFFFFFu);
  EXPECT_DOUBLE_EQ(named->duration(), 0.2);
}

TEST(GifDecoding, ReadsHttpURLsThroughTheHttpClient) {
  const auto bytes = gif({frame(0, 10), frame(3, 10)});
  auto fake = ios::FakeTransport::create();
  fake->setHandler([&](const ios::HTTPRequest& request) -> std::optional<ios::HTTPResult> {
    const bool found = request.url == "https://cdn.halvet.vn/spin.gif";
    return ios::FakeTransport::reply(found ? 200 : 404, found ? bytes.bytes : "not here");
  });
  ios::HTTPClient::shared()->setTransport(fake);
  ios::ConsoleCapture capture;
  auto image = gifImageWithURL("https://cdn.halvet.vn/spin.gif");
  EXPECT_EQ(gifImageWithURL("http://cdn.halvet.vn/gone.gif"), nullptr);
  ios::HTTPClient::shared()->setTransport(nullptr);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->images().size(), 2u);
  EXPECT_EQ(capture.output(), "image named \"http://cdn.halvet.vn/gone.gif\" into NSData\n");
}

}  // namespace
}  // namespace kerbelin
