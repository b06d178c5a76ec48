#pragma once

#include <CoreGraphics/CGImage.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace ios {

// A GIF's frames, each composited onto the logical screen as a player shows it: frame offsets,
// local or global colour table, the transparent index and the four disposal methods (0 and 1 leave
// the frame, 2 clears its rectangle to transparent, 3 restores what was there before it).
//
// `open` only walks the file's structure; frames are decoded on demand. Asking for frames in order
// costs one frame decode each; going back restarts from the first frame. A frame whose pixel data
// cannot be decoded (a bad LZW stream, data cut short, no colour table) fails on its own: its index
// gives null and later frames are composited as if it were not there. Thread-safe.
class GIFDecoder {
 public:
  struct FrameInfo {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    int disposal = 0;
    int transparentIndex = -1;        // -1: none
    int delayCentiseconds = 0;        // 0 when the frame has no graphic control block
    std::size_t offset = 0;           // of the frame's image separator
    bool structurallyBroken = false;  // its data ends inside the file's structure
  };

  // A logical screen larger than this many pixels is refused.
  static constexpr long long kMaxCanvasPixels = 1LL << 24;

  static bool hasSignature(const std::uint8_t* bytes, std::size_t count);
  // Null when the bytes are no GIF, the screen is refused, or not one frame header can be read.
  static std::unique_ptr<GIFDecoder> open(std::string bytes);

  int canvasWidth() const { return width_; }
  int canvasHeight() const { return height_; }
  const std::vector<FrameInfo>& frames() const { return frames_; }
  // The composited frame, or null for an index out of range or a frame that cannot be decoded.
  std::shared_ptr<CGImage> image(std::size_t index);

 private:
  GIFDecoder(std::string bytes, int width, int height, std::vector<FrameInfo> frames);
  // The colour of each frame pixel as an index into `palette`, clipped to the canvas. False when the
  // frame cannot be decoded.
  bool decodeIndices(const FrameInfo& frame, std::vector<std::uint8_t>& indices,
                     std::vector<std::uint32_t>& palette) const;
  void restart();
  void applyPendingDisposal();
  bool drawFrame(std::size_t index);

  const std::string bytes_;
  const int width_, height_;
  const std::vector<FrameInfo> frames_;

  std::mutex mutex_;
  std::vector<std::uint32_t> canvas_;
  std::size_t next_ = 0;  // frames before this one are on the canvas
  struct Disposal {
    int mode = 0;
    int left = 0, top = 0, right = 0, bottom = 0;  // clipped to the canvas
    std::vector<std::uint32_t> saved;              // mode 3: the rectangle before the frame
  } pending_;
  std::shared_ptr<CGImage> lastImage_;  // the image of frame next_ - 1, null when it failed
};

}  // namespace ios
