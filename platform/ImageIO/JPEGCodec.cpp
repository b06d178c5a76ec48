#include <ImageIO/JPEGCodec.h>

#include <ImageIO/PixelFormat.h>

// jpeglib.h needs FILE and size_t declared first.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace ios {

namespace {

std::atomic<int> pendingFailures{0};

// libjpeg reports fatal errors through `error_exit`, which must not return: we jump back to the
// call that set up the decoder. Everything that survives the jump lives in this heap object, never
// in locals changed after setjmp.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  bool truncated = false;
};

void errorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings are not printed; a premature end of data is remembered, since libjpeg would otherwise
// pad the missing rows with grey and call the image complete.
void emitMessage(j_common_ptr info, int level) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  if (level < 0 && manager->base.msg_code == JWRN_JPEG_EOF) manager->truncated = true;
}

void outputMessage(j_common_ptr) {}

void installErrorManager(ErrorManager& manager, j_common_ptr info) {
  info->err = jpeg_std_error(&manager.base);
  manager.base.error_exit = errorExit;
  manager.base.emit_message = emitMessage;
  manager.base.output_message = outputMessage;
}

// A progressive file can hold thousands of tiny scans, each costing a pass over the whole image;
// no real encoder writes more than a few dozen.
constexpr int kMaxScans = 256;
// libjpeg's working memory (coefficient buffers of progressive files) beyond the output itself.
constexpr long kMaxWorkingMemory = 512L << 20;

void limitScans(j_common_ptr info) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kMaxScans) {
    info->err->msg_code = JERR_NOT_COMPILED;  // any fatal code: the file is refused
    info->err->error_exit(info);
  }
}

struct DecodeState {
  ErrorManager errors;
  jpeg_progress_mgr progress;
  jpeg_decompress_struct info;
  std::vector<std::uint8_t> row;
  std::vector<std::uint32_t> words;
};

// Adobe writes CMYK inverted (0 = full ink), which is what libjpeg hands back.
std::uint32_t cmykWord(const std::uint8_t* p) {
  const unsigned k = p[3];
  return pixelformat::premultipliedWord(static_cast<std::uint8_t>(p[0] * k / 255),
                                        static_cast<std::uint8_t>(p[1] * k / 255),
                                        static_cast<std::uint8_t>(p[2] * k / 255), 255);
}

bool runDecode(DecodeState& s, const std::uint8_t* bytes, std::size_t count) {
  s.progress.progress_monitor = limitScans;
  s.info.progress = &s.progress;
  s.info.mem->max_memory_to_use = kMaxWorkingMemory;
  jpeg_mem_src(&s.info, bytes, static_cast<unsigned long>(count));
  if (jpeg_read_header(&s.info, TRUE) != JPEG_HEADER_OK) return false;
  const long long pixels = static_cast<long long>(s.info.image_width) * s.info.image_height;
  if (pixels <= 0 || pixels > pixelformat::kMaxDecodedPixels) return false;
  const bool cmyk = s.info.jpeg_color_space == JCS_CMYK || s.info.jpeg_color_space == JCS_YCCK;
  s.info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&s.info);
  const std::size_t width = s.info.output_width,
                    components = static_cast<std::size_t>(s.info.output_components);
  if (components != (cmyk ? 4u : 3u)) return false;
  s.row.resize(width * components);
  s.words.resize(width * s.info.output_height);
  while (s.info.output_scanline < s.info.output_height) {
    const std::size_t y = s.info.output_scanline;
    JSAMPROW rows[1] = {s.row.data()};
    if (jpeg_read_scanlines(&s.info, rows, 1) != 1) return false;
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint8_t* p = &s.row[x * components];
      s.words[y * width + x] = cmyk ? cmykWord(p) : pixelformat::premultipliedWord(p[0], p[1], p[2], 255);
    }
  }
  jpeg_finish_decompress(&s.info);
  return !s.errors.truncated;
}

struct EncodeState {
  ErrorManager errors;
  jpeg_compress_struct info;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<std::uint8_t> row;
};

void runEncode(EncodeState& s, const CGImage& image, int quality) {
  jpeg_mem_dest(&s.info, &s.buffer, &s.size);
  s.info.image_width = static_cast<JDIMENSION>(image.width());
  s.info.image_height = static_cast<JDIMENSION>(image.height());
  s.info.input_components = 3;
  s.info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&s.info);
  jpeg_set_quality(&s.info, quality, TRUE);
  jpeg_start_compress(&s.info, TRUE);
  s.row.resize(static_cast<std::size_t>(image.width()) * 3);
  while (s.info.next_scanline < s.info.image_height) {
    const std::uint32_t* source =
        image.pixels() + static_cast<std::size_t>(s.info.next_scanline) * image.width();
    for (int x = 0; x < image.width(); ++x) {
      s.row[x * 3] = pixelformat::redOf(source[x]);
      s.row[x * 3 + 1] = pixelformat::greenOf(source[x]);
      s.row[x * 3 + 2] = pixelformat::blueOf(source[x]);
    }
    JSAMPROW rows[1] = {s.row.data()};
    jpeg_write_scanlines(&s.info, rows, 1);
  }
  jpeg_finish_compress(&s.info);
}

}  // namespace

bool JPEGCodec::hasSignature(const std::uint8_t* bytes, std::size_t count) {
  return count >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

std::shared_ptr<CGImage> JPEGCodec::decode(const std::uint8_t* bytes, std::size_t count) {
  if (!hasSignature(bytes, count)) return nullptr;
  auto state = std::make_unique<DecodeState>();
  installErrorManager(state->errors, reinterpret_cast<j_common_ptr>(&state->info));
  if (setjmp(state->errors.jump)) {
    jpeg_destroy_decompress(&state->info);
    return nullptr;
  }
  jpeg_create_decompress(&state->info);
  const bool ok = runDecode(*state, bytes, count);
  jpeg_destroy_decompress(&state->info);
  if (!ok) return nullptr;
  return CGImage::create(static_cast<int>(state->info.output_width),
                         static_cast<int>(state->info.output_height), std::move(state->words));
}

std::optional<Data> JPEGCodec::encode(const CGImage& image, int quality) {
  int pending = pendingFailures.load();
  while (pending > 0 && !pendingFailures.compare_exchange_weak(pending, pending - 1)) {
  }
  if (pending > 0) return std::nullopt;

  auto state = std::make_unique<EncodeState>();
  installErrorManager(state->errors, reinterpret_cast<j_common_ptr>(&state->info));
  if (setjmp(state->errors.jump)) {
    jpeg_destroy_compress(&state->info);
    std::free(state->buffer);
    return std::nullopt;
  }
  jpeg_create_compress(&state->info);
  runEncode(*state, image, std::clamp(quality, 1, 100));
  jpeg_destroy_compress(&state->info);
  Data out(state->buffer, state->size);
  std::free(state->buffer);
  return out;
}

void JPEGCodec::failNextEncodings(int count) {
  pendingFailures.store(std::max(count, 0));
}

}  // namespace ios
