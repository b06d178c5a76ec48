#include <ImageIO/CGImageSource.h>

#include <ImageIO/GIFDecoder.h>
#include <ImageIO/JPEGCodec.h>
#include <ImageIO/PNGCodec.h>

namespace ios {

namespace {

const auto registration = ClassRegistration<CGImageSource>("CGImageSource");

// Delays of 0 or 1 centisecond mean "as fast as you can" to GIF writers; players slow them down.
double clampedDelay(int centiseconds) {
  const double seconds = centiseconds / 100.0;
  return seconds < 0.011 ? 0.1 : seconds;
}

}  // namespace

std::shared_ptr<CGImageSource> CGImageSource::create(const Data& data) {
  const std::uint8_t* bytes = data.data();
  const std::size_t count = data.count();
  if (GIFDecoder::hasSignature(bytes, count)) {
    auto gif = GIFDecoder::open(data.bytes);
    if (!gif) return nullptr;
    return std::make_shared<CGImageSource>(Passkey{}, "com.compuserve.gif", nullptr, std::move(gif));
  }
  std::shared_ptr<CGImage> image;
  std::string type;
  if (PNGCodec::hasSignature(bytes, count)) {
    image = PNGCodec::decode(bytes, count);
    type = "public.png";
  } else if (JPEGCodec::hasSignature(bytes, count)) {
    image = JPEGCodec::decode(bytes, count);
    type = "public.jpeg";
  }
  if (!image) return nullptr;
  return std::make_shared<CGImageSource>(Passkey{}, std::move(type), std::move(image), nullptr);
}

CGImageSource::CGImageSource(Passkey, std::string type, std::shared_ptr<CGImage> single,
                             std::unique_ptr<GIFDecoder> gif)
    : type_(std::move(type)), single_(std::move(single)), gif_(std::move(gif)) {}

CGImageSource::~CGImageSource() = default;

std::size_t CGImageSource::count() const {
  return gif_ ? gif_->frames().size() : 1;
}

std::shared_ptr<CGImage> CGImageSource::createImage(std::size_t index) const {
  if (gif_) return gif_->image(index);
  return index == 0 ? single_ : nullptr;
}

std::optional<Dictionary> CGImageSource::properties(std::size_t index) const {
  if (index >= count()) return std::nullopt;
  Dictionary properties = Dictionary::object();
  if (!gif_) {
    properties[kCGImagePropertyPixelWidth] = single_->width();
    properties[kCGImagePropertyPixelHeight] = single_->height();
    return properties;
  }
  properties[kCGImagePropertyPixelWidth] = gif_->canvasWidth();
  properties[kCGImagePropertyPixelHeight] = gif_->canvasHeight();
  const int centiseconds = gif_->frames()[index].delayCentiseconds;
  properties[kCGImagePropertyGIFDictionary] = {
      {kCGImagePropertyGIFUnclampedDelayTime, centiseconds / 100.0},
      {kCGImagePropertyGIFDelayTime, clampedDelay(centiseconds)},
  };
  return properties;
}

}  // namespace ios
