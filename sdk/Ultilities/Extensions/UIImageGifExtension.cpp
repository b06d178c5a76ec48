#include <Ultilities/Extensions/UIImageGifExtension.h>

#include <Foundation/Bundle.h>
#include <Foundation/Console.h>
#include <Foundation/RunLoop.h>
#include <Foundation/URL.h>
#include <ImageIO/CGImageProperties.h>
#include <Network/HTTPClient.h>

#include <cmath>
#include <string>
#include <utility>

namespace kerbelin {

namespace {

// The order `gcdForPair` sorts by: both present by value; an absent first side sorts before a
// present second one.
bool lessThan(std::optional<long> lhs, std::optional<long> rhs) {
  if (lhs && rhs) return *lhs < *rhs;
  return !lhs && rhs;
}

std::optional<double> numberValue(const ios::Dictionary& dictionary, const char* key) {
  const auto found = dictionary.find(key);
  if (found == dictionary.end() || !found->is_number()) return std::nullopt;
  const double value = found->get<double>();
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// An http(s) resource read through the shared HTTP client, waiting on the main loop for the reply
// (the client's own time-outs end the wait); none for a failure or a status other than 2xx.
std::optional<std::string> readOverNetwork(const std::string& url) {
  auto outcome = std::make_shared<std::optional<ios::HTTPResult>>();
  auto task =
      ios::HTTPClient::shared()->get(url, [outcome](const ios::HTTPResult& result) { *outcome = result; });
  const double patience = ios::HTTPClient::shared()->timeout + ios::HTTPClient::shared()->connectTimeout;
  if (!ios::RunLoop::main().runUntil([outcome] { return outcome->has_value(); }, patience)) task->cancel();
  if (!*outcome || !(*outcome)->ok()) return std::nullopt;
  const auto& response = (*outcome)->response();
  if (response.statusCode < 200 || response.statusCode > 299) return std::nullopt;
  return response.body;
}

std::optional<std::string> contentsOf(std::string_view url) {
  if (url.starts_with("http://") || url.starts_with("https://")) return readOverNetwork(std::string(url));
  return ios::Bundle::contentsOfURL(url);
}

}  // namespace

std::shared_ptr<ios::UIImage> gifImageWithData(const ios::Data& data) {
  auto source = ios::CGImageSourceCreateWithData(data);
  if (!source) {
    ios::print("image doesn't exist");
    return nullptr;
  }
  return animatedImageWithSource(source);
}

std::shared_ptr<ios::UIImage> gifImageWithURL(std::string_view gifUrl) {
  const std::string text(gifUrl);
  if (!ios::URL::fromString(gifUrl)) {
    ios::print("image named \"" + text + "\" doesn't exist");
    return nullptr;
  }
  auto bytes = contentsOf(gifUrl);
  if (!bytes) {
    ios::print("image named \"" + text + "\" into NSData");
    return nullptr;
  }
  return gifImageWithData(ios::Data(std::move(*bytes)));
}

std::shared_ptr<ios::UIImage> gifImageWithName(std::string_view name) {
  const std::string text(name);
  auto url = ios::Bundle::main()->urlForResource(name, "gif");
  if (!url) {
    ios::print("SwiftGif: This image named \"" + text + "\" does not exist");
    return nullptr;
  }
  auto bytes = ios::Bundle::contentsOfURL(*url);
  if (!bytes) {
    ios::print("SwiftGif: Cannot turn image named \"" + text + "\" into NSData");
    return nullptr;
  }
  return gifImageWithData(ios::Data(std::move(*bytes)));
}

double delayForImageAtIndex(long index, const std::shared_ptr<ios::CGImageSource>& source) {
  double delay = 0.1;
  if (index < 0) return delay;
  const auto properties = ios::CGImageSourceCopyPropertiesAtIndex(source, static_cast<std::size_t>(index));
  if (!properties || !properties->is_object()) return delay;
  const auto gif = properties->find(ios::kCGImagePropertyGIFDictionary);
  if (gif == properties->end() || !gif->is_object()) return delay;
  std::optional<double> taken = numberValue(*gif, ios::kCGImagePropertyGIFUnclampedDelayTime);
  if (taken && *taken == 0) taken = numberValue(*gif, ios::kCGImagePropertyGIFDelayTime);
  if (taken) delay = *taken;
  if (delay < 0.1) delay = 0.1;
  return delay;
}

long gcdForPair(std::optional<long> a, std::optional<long> b) {
  if (!b || !a) {
    if (b) return *b;
    if (a) return *a;
    return 0;
  }
  if (lessThan(a, b)) std::swap(a, b);
  long x = *a;
  long y = *b;
  if (y == 0) return x;  // a zero divisor would trap; the other value divides itself
  while (true) {
    const long rest = x % y;
    if (rest == 0) return y;
    x = y;
    y = rest;
  }
}

long gcdForArray(const std::vector<long>& array) {
  if (array.empty()) return 1;
  long gcd = array.front();
  for (long value : array) gcd = gcdForPair(value, gcd);
  return gcd;
}

std::shared_ptr<ios::UIImage> animatedImageWithSource(const std::shared_ptr<ios::CGImageSource>& source) {
  const std::size_t count = ios::CGImageSourceGetCount(source);
  std::vector<std::shared_ptr<ios::CGImage>> images;
  std::vector<long> delays;
  for (std::size_t i = 0; i < count; ++i) {
    auto image = ios::CGImageSourceCreateImageAtIndex(source, i);
    // A frame that does not decode takes its delay with it, so the two lists stay aligned.
    if (!image) continue;
    images.push_back(std::move(image));
    const double seconds = delayForImageAtIndex(static_cast<long>(i), source);
    delays.push_back(static_cast<long>(seconds * 1000.0));
  }
  if (images.empty()) return nullptr;

  long duration = 0;
  for (long delay : delays) duration += delay;
  const long gcd = gcdForArray(delays);

  std::vector<std::shared_ptr<ios::UIImage>> frames;
  for (std::size_t i = 0; i < images.size(); ++i) {
    auto frame = ios::UIImage::create(images[i]);
    const long repeat = gcd > 0 ? delays[i] / gcd : 1;
    for (long j = 0; j < repeat; ++j) frames.push_back(frame);
  }
  return ios::UIImage::animatedImage(std::move(frames), static_cast<double>(duration) / 1000.0);
}

}  // namespace kerbelin
