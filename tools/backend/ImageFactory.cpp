#include "ImageFactory.h"

#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace kerbelin::backend {
namespace {

struct Rgb {
  double r, g, b;
};

struct Gradient {
  Rgb from, to;
};

// Pairs chosen to keep white initials readable.
const Gradient kPalette[] = {
    {{1.00, 0.34, 0.13}, {1.00, 0.60, 0.00}},  // flamingo to amber
    {{0.13, 0.59, 0.95}, {0.25, 0.32, 0.71}},  // sky to indigo
    {{0.30, 0.69, 0.31}, {0.00, 0.59, 0.53}},  // green to teal
    {{0.91, 0.12, 0.39}, {0.61, 0.15, 0.69}},  // pink to purple
    {{0.47, 0.33, 0.28}, {0.80, 0.52, 0.25}},  // coffee to caramel
    {{0.00, 0.74, 0.83}, {0.13, 0.59, 0.95}},  // cyan to sky
    {{0.40, 0.23, 0.72}, {0.91, 0.12, 0.39}},  // violet to pink
    {{0.96, 0.26, 0.21}, {0.91, 0.12, 0.39}},  // red to pink
};

uint32_t fnv1a(const std::string& text) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 16777619u;
  }
  return hash;
}

std::vector<std::string> words(const std::string& name) {
  std::vector<std::string> out;
  std::string current;
  for (char c : name) {
    if (c == '-') {
      if (!current.empty()) out.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) out.push_back(current);
  return out;
}

std::string initials(const std::vector<std::string>& parts, size_t max) {
  std::string out;
  for (size_t i = 1; i < parts.size() && out.size() < max; ++i) {  // word 0 is the kind
    const char c = parts[i][0];
    out += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
  }
  return out.empty() ? "K" : out;
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

// A small stroke font for the initials (A-Z, 0-9) on a 4 x 6 grid: drawing
// with lines rather than a system font keeps the pictures the same on every
// machine and leaves the process's font configuration alone.
const char* glyph(char c) {
  switch (c) {
    case 'A':
      return "0,6 2,0 4,6|1,4 3,4";
    case 'B':
      return "0,0 0,6 3,6 4,5 4,4 3,3 0,3|0,0 3,0 4,1 4,2 3,3";
    case 'C':
      return "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5";
    case 'D':
      return "0,0 0,6 2,6 4,4 4,2 2,0 0,0";
    case 'E':
      return "4,0 0,0 0,6 4,6|0,3 3,3";
    case 'F':
      return "4,0 0,0 0,6|0,3 3,3";
    case 'G':
      return "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,3 2,3";
    case 'H':
      return "0,0 0,6|4,0 4,6|0,3 4,3";
    case 'I':
      return "1,0 3,0|2,0 2,6|1,6 3,6";
    case 'J':
      return "4,0 4,5 3,6 1,6 0,5";
    case 'K':
      return "0,0 0,6|4,0 0,4|1,3 4,6";
    case 'L':
      return "0,0 0,6 4,6";
    case 'M':
      return "0,6 0,0 2,3 4,0 4,6";
    case 'N':
      return "0,6 0,0 4,6 4,0";
    case 'O':
      return "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0";
    case 'P':
      return "0,6 0,0 3,0 4,1 4,2 3,3 0,3";
    case 'Q':
      return "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0|2,4 4,6";
    case 'R':
      return "0,6 0,0 3,0 4,1 4,2 3,3 0,3|2,3 4,6";
    case 'S':
      return "4,1 3,0 1,0 0,1 0,2 1,3 3,3 4,4 4,5 3,6 1,6 0,5";
    case 'T':
      return "0,0 4,0|2,0 2,6";
    case 'U':
      return "0,0 0,5 1,6 3,6 4,5 4,0";
    case 'V':
      return "0,0 2,6 4,0";
    case 'W':
      return "0,0 1,6 2,3 3,6 4,0";
    case 'X':
      return "0,0 4,6|4,0 0,6";
    case 'Y':
      return "0,0 2,3 4,0|2,3 2,6";
    case 'Z':
      return "0,0 4,0 0,6 4,6";
    case '0':
      return "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0|3,1 1,5";
    case '1':
      return "1,1 2,0 2,6|1,6 3,6";
    case '2':
      return "0,1 1,0 3,0 4,1 4,2 0,6 4,6";
    case '3':
      return "0,1 1,0 3,0 4,1 4,2 3,3 1,3|3,3 4,4 4,5 3,6 1,6 0,5";
    case '4':
      return "3,6 3,0 0,4 4,4";
    case '5':
      return "4,0 0,0 0,3 3,3 4,4 4,5 3,6 0,6";
    case '6':
      return "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,4 3,3 0,3";
    case '7':
      return "0,0 4,0 1,6";
    case '8':
      return "1,3 0,2 0,1 1,0 3,0 4,1 4,2 3,3 1,3 0,4 0,5 1,6 3,6 4,5 4,4 3,3";
    case '9':
      return "4,3 1,3 0,2 0,1 1,0 3,0 4,1 4,5 3,6 1,6";
    default:
      return "";
  }
}

// Strokes `text` centred on (cx, cy), `size` high.
void centredText(cairo_t* cr, const std::string& text, double cx, double cy, double size) {
  const double unit = size / 6.0;
  const double advance = 6 * unit;  // 4 for the glyph, 2 between glyphs
  const double width = text.size() * advance - 2 * unit;
  double x0 = cx - width / 2;
  const double y0 = cy - size / 2;
  cairo_set_line_width(cr, unit * 0.95);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
  for (char c : text) {
    const char* p = glyph(c);
    bool first = true;
    while (*p) {
      if (*p == '|') {
        first = true;
        ++p;
        continue;
      }
      if (*p == ' ') {
        ++p;
        continue;
      }
      const double gx = p[0] - '0', gy = p[2] - '0';  // "x,y", one digit each
      p += 3;
      if (first) {
        cairo_move_to(cr, x0 + gx * unit, y0 + gy * unit);
      } else {
        cairo_line_to(cr, x0 + gx * unit, y0 + gy * unit);
      }
      first = false;
    }
    cairo_stroke(cr);
    x0 += advance;
  }
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool ImageFactory::isValidName(const std::string& name) {
  if (name.empty() || name.size() > 80 || name.front() == '-') return false;
  for (char c : name) {
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')) return false;
  }
  return true;
}

std::optional<std::string> ImageFactory::png(const std::string& name) {
  if (!isValidName(name)) return std::nullopt;
  {
    std::lock_guard lock(mutex_);
    if (auto it = cache_.find(name); it != cache_.end()) return it->second;
  }
  std::string bytes = draw(name);  // drawn outside the lock: two threads may both draw, with equal results
  std::lock_guard lock(mutex_);
  if (cache_.count(name) || capacity_ == 0) return bytes;
  if (cache_.size() >= capacity_) {
    cache_.erase(drawnOrder_.front());
    drawnOrder_.pop_front();
  }
  drawnOrder_.push_back(name);
  return cache_.emplace(name, std::move(bytes)).first->second;
}

size_t ImageFactory::cachedCount() {
  std::lock_guard lock(mutex_);
  return cache_.size();
}

std::string ImageFactory::draw(const std::string& name) {
  const auto parts = words(name);
  const std::string kind = parts.empty() ? "" : parts[0];
  int width = 400, height = 400;
  if (kind == "cover") width = 750, height = 420;
  if (kind == "banner") width = 1080, height = 480;
  if (kind == "logo") width = height = 200;
  if (kind == "icon") width = height = 96;

  const uint32_t hash = fnv1a(name.substr(kind.size()));
  const Gradient& g = kPalette[hash % (sizeof kPalette / sizeof kPalette[0])];

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, width, height);
  cairo_pattern_add_color_stop_rgb(fill, 0, g.from.r, g.from.g, g.from.b);
  cairo_pattern_add_color_stop_rgb(fill, 1, g.to.r, g.to.g, g.to.b);

  if (kind == "logo") {
    cairo_arc(cr, width / 2.0, height / 2.0, width / 2.0, 0, 2 * M_PI);
  } else if (kind == "icon") {
    roundedRect(cr, 0, 0, width, height, 22);
  } else {
    cairo_rectangle(cr, 0, 0, width, height);
  }
  cairo_set_source(cr, fill);
  cairo_fill(cr);
  cairo_pattern_destroy(fill);

  // Soft translucent discs give the flat gradient some depth.
  if (kind == "cover" || kind == "banner" || kind.empty() || (kind != "logo" && kind != "icon")) {
    for (int i = 0; i < 3; ++i) {
      const double r = height * (0.35 + 0.15 * ((hash >> (i * 4)) % 4));
      const double x = width * (0.15 + 0.35 * i) + double((hash >> (i * 5)) % 40);
      const double y = (i % 2 == 0) ? height * 0.05 : height * 0.95;
      cairo_arc(cr, x, y, r, 0, 2 * M_PI);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.08 + 0.03 * i);
      cairo_fill(cr);
    }
  }

  if (kind == "cover") {
    centredText(cr, initials(parts, 3), width / 2.0, height / 2.0, height * 0.26);
    roundedRect(cr, 24, height - 64, 180, 40, 20);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
    cairo_fill(cr);
  } else if (kind == "banner") {
    centredText(cr, initials(parts, 3), width / 2.0, height / 2.0, height * 0.24);
  } else {
    centredText(cr, initials(parts, 2), width / 2.0, height / 2.0, height * 0.32);
  }

  cairo_destroy(cr);
  std::string bytes;
  cairo_surface_write_to_png_stream(surface, appendBytes, &bytes);
  cairo_surface_destroy(surface);
  return bytes;
}

}  // namespace kerbelin::backend
