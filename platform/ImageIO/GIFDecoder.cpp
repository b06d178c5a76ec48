#include <ImageIO/GIFDecoder.h>

#include <ImageIO/PixelFormat.h>

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace ios {

namespace {

struct Reader {
  const std::string* bytes;
  std::size_t position = 0;
};

int readBytes(GifFileType* gif, GifByteType* buffer, int length) {
  auto* reader = static_cast<Reader*>(gif->UserData);
  if (length <= 0 || reader->position >= reader->bytes->size()) return 0;
  const std::size_t count =
      std::min(static_cast<std::size_t>(length), reader->bytes->size() - reader->position);
  std::memcpy(buffer, reader->bytes->data() + reader->position, count);
  reader->position += count;
  return static_cast<int>(count);
}

// Closes the giflib handle however the caller leaves.
struct GifHandle {
  GifFileType* gif = nullptr;
  ~GifHandle() {
    if (gif) {
      int error = 0;
      DGifCloseFile(gif, &error);
    }
  }
};

bool skipImageData(GifFileType* gif) {
  int codeSize = 0;
  GifByteType* block = nullptr;
  if (DGifGetCode(gif, &codeSize, &block) == GIF_ERROR) return false;
  while (block)
    if (DGifGetCodeNext(gif, &block) == GIF_ERROR) return false;
  return true;
}

bool skipExtension(GifFileType* gif, GraphicsControlBlock& control, bool& haveControl) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
  if (code == GRAPHICS_EXT_FUNC_CODE && block && DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
    haveControl = true;
  while (block)
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
  return true;
}

// The part of a frame that lies on the canvas (frame offsets are never negative in GIF).
struct Visible {
  int width, height;
};
Visible visiblePart(const GIFDecoder::FrameInfo& f, int canvasWidth, int canvasHeight) {
  return {std::clamp(canvasWidth - f.left, 0, f.width), std::clamp(canvasHeight - f.top, 0, f.height)};
}

// Rows in the order an interlaced image stores them.
std::vector<int> rowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  static constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < height; y += kStep[pass]) rows.push_back(y);
  return rows;
}

}  // namespace

bool GIFDecoder::hasSignature(const std::uint8_t* bytes, std::size_t count) {
  return count >= 6 && (std::memcmp(bytes, "GIF87a", 6) == 0 || std::memcmp(bytes, "GIF89a", 6) == 0);
}

std::unique_ptr<GIFDecoder> GIFDecoder::open(std::string bytes) {
  if (!hasSignature(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())) return nullptr;
  Reader reader{&bytes};
  int error = 0;
  GifHandle handle{DGifOpen(&reader, readBytes, &error)};
  if (!handle.gif) return nullptr;
  GifFileType* gif = handle.gif;

  std::vector<FrameInfo> frames;
  GraphicsControlBlock control{};
  bool haveControl = false;
  for (bool more = true; more;) {
    const std::size_t at = reader.position;
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) break;
    switch (type) {
      case IMAGE_DESC_RECORD_TYPE: {
        if (DGifGetImageHeader(gif) == GIF_ERROR) {
          more = false;
          break;
        }
        FrameInfo frame;
        frame.offset = at;
        frame.left = gif->Image.Left;
        frame.top = gif->Image.Top;
        frame.width = gif->Image.Width;
        frame.height = gif->Image.Height;
        frame.interlaced = gif->Image.Interlace;
        if (haveControl) {
          frame.disposal = control.DisposalMode;
          frame.transparentIndex = control.TransparentColor;
          frame.delayCentiseconds = control.DelayTime;
        }
        haveControl = false;
        frame.structurallyBroken = !skipImageData(gif);
        more = !frame.structurallyBroken;
        frames.push_back(frame);
        break;
      }
      case EXTENSION_RECORD_TYPE:
        more = skipExtension(gif, control, haveControl);
        break;
      default:  // the trailer, or a byte that starts no record
        more = false;
        break;
    }
  }
  if (frames.empty()) return nullptr;

  int width = gif->SWidth, height = gif->SHeight;
  if (width <= 0 || height <= 0) {  // some encoders leave the screen size 0: use the frames' extent
    width = height = 0;
    for (const auto& f : frames) {
      width = std::max(width, f.left + f.width);
      height = std::max(height, f.top + f.height);
    }
  }
  if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxCanvasPixels) return nullptr;
  return std::unique_ptr<GIFDecoder>(new GIFDecoder(std::move(bytes), width, height, std::move(frames)));
}

GIFDecoder::GIFDecoder(std::string bytes, int width, int height, std::vector<FrameInfo> frames)
    : bytes_(std::move(bytes)), width_(width), height_(height), frames_(std::move(frames)) {}

bool GIFDecoder::decodeIndices(const FrameInfo& frame, std::vector<std::uint8_t>& indices,
                               std::vector<std::uint32_t>& palette) const {
  if (frame.structurallyBroken) return false;
  if (static_cast<long long>(frame.width) * frame.height > pixelformat::kMaxDecodedPixels) return false;
  Reader reader{&bytes_};
  int error = 0;
  GifHandle handle{DGifOpen(&reader, readBytes, &error)};
  if (!handle.gif) return false;
  reader.position = frame.offset;
  GifRecordType type = UNDEFINED_RECORD_TYPE;
  if (DGifGetRecordType(handle.gif, &type) == GIF_ERROR || type != IMAGE_DESC_RECORD_TYPE) return false;
  if (DGifGetImageHeader(handle.gif) == GIF_ERROR) return false;

  const ColorMapObject* map = handle.gif->Image.ColorMap ? handle.gif->Image.ColorMap : handle.gif->SColorMap;
  if (!map || map->ColorCount <= 0 || !map->Colors) return false;
  palette.clear();
  for (int i = 0; i < map->ColorCount; ++i) {
    const GifColorType& c = map->Colors[i];
    palette.push_back(pixelformat::premultipliedWord(c.Red, c.Green, c.Blue, 255));
  }

  const Visible visible = visiblePart(frame, width_, height_);
  indices.assign(static_cast<std::size_t>(visible.width) * visible.height, 0);
  if (visible.width == 0 || visible.height == 0) return true;
  std::vector<GifPixelType> line(static_cast<std::size_t>(frame.width));
  int visibleRowsLeft = visible.height;
  for (int y : rowOrder(frame.height, frame.interlaced)) {
    if (DGifGetLine(handle.gif, line.data(), frame.width) == GIF_ERROR) return false;
    if (y >= visible.height) continue;
    std::memcpy(&indices[static_cast<std::size_t>(y) * visible.width], line.data(),
                static_cast<std::size_t>(visible.width));
    if (--visibleRowsLeft == 0) break;  // the rest falls outside the canvas
  }
  return true;
}

void GIFDecoder::restart() {
  canvas_.assign(static_cast<std::size_t>(width_) * height_, 0);
  next_ = 0;
  pending_ = {};
  lastImage_ = nullptr;
}

void GIFDecoder::applyPendingDisposal() {
  const Disposal& d = pending_;
  const int w = d.right - d.left;
  if (w > 0 && (d.mode == DISPOSE_BACKGROUND || d.mode == DISPOSE_PREVIOUS)) {
    for (int y = d.top; y < d.bottom; ++y) {
      std::uint32_t* row = &canvas_[static_cast<std::size_t>(y) * width_ + d.left];
      if (d.mode == DISPOSE_BACKGROUND) {
        std::fill(row, row + w, 0u);
      } else {
        std::copy_n(&d.saved[static_cast<std::size_t>(y - d.top) * w], w, row);
      }
    }
  }
  pending_ = {};
}

bool GIFDecoder::drawFrame(std::size_t index) {
  const FrameInfo& f = frames_[index];
  std::vector<std::uint8_t> indices;
  std::vector<std::uint32_t> palette;
  if (!decodeIndices(f, indices, palette)) return false;
  const Visible visible = visiblePart(f, width_, height_);
  Disposal next{f.disposal, f.left, f.top, f.left + visible.width, f.top + visible.height, {}};
  if (visible.width == 0 || visible.height == 0) {  // nothing of it lies on the screen
    pending_ = {};
    return true;
  }
  if (next.mode == DISPOSE_PREVIOUS) {
    next.saved.reserve(indices.size());
    for (int y = next.top; y < next.bottom; ++y) {
      const std::uint32_t* row = &canvas_[static_cast<std::size_t>(y) * width_ + next.left];
      next.saved.insert(next.saved.end(), row, row + visible.width);
    }
  }
  for (int y = 0; y < visible.height; ++y) {
    std::uint32_t* row = &canvas_[static_cast<std::size_t>(f.top + y) * width_ + f.left];
    const std::uint8_t* source = &indices[static_cast<std::size_t>(y) * visible.width];
    for (int x = 0; x < visible.width; ++x) {
      const int i = source[x];
      // Indices past the colour table are treated like the transparent index: nothing is drawn.
      if (i == f.transparentIndex || i >= static_cast<int>(palette.size())) continue;
      row[x] = palette[static_cast<std::size_t>(i)];
    }
  }
  pending_ = std::move(next);
  return true;
}

std::shared_ptr<CGImage> GIFDecoder::image(std::size_t index) {
  std::lock_guard lock(mutex_);
  if (index >= frames_.size()) return nullptr;
  if (next_ > 0 && index == next_ - 1) return lastImage_;
  if (index < next_ || canvas_.empty()) restart();
  while (next_ <= index) {
    applyPendingDisposal();
    const bool drawn = drawFrame(next_);
    lastImage_ = drawn && next_ == index ? CGImage::create(width_, height_, canvas_) : nullptr;
    ++next_;
  }
  return lastImage_;
}

}  // namespace ios
