#include <CoreImage/LocalThreshold.h>
#include <CoreImage/WideVectors.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace ios::barcode {
namespace {

constexpr int kBlock = 8;
constexpr int kRadius = 2;
constexpr int kWindow = (2 * kRadius + 1) * (2 * kRadius + 1);
// A block whose darkest and lightest pixels are at most this far apart counts as flat.
constexpr int kFlatRange = 24;

struct BlockStats {
  int sum = 0;
  std::uint8_t low = 255, high = 0;
};

// Blocks tile a side from 0; the last is pulled back inside, overlapping its neighbour.
int blockOrigin(int index, int side) {
  return std::min(index * kBlock, side - kBlock);
}

// The block row a pixel row takes its thresholds from: where blocks overlap, the later one.
int blockOf(int pixel, int side, int blocks) {
  return pixel >= side - kBlock ? blocks - 1 : pixel / kBlock;
}

// Darkest, lightest and sum of each pixel column over the rows of one block row.
KERBELIN_WIDE_VECTORS void columnStats(const std::uint8_t* __restrict top, std::size_t stride, int width,
                                       std::uint8_t* __restrict low, std::uint8_t* __restrict high,
                                       std::uint16_t* __restrict sum) {
  for (int x = 0; x < width; ++x) low[x] = high[x] = top[x], sum[x] = top[x];
  for (int k = 1; k < kBlock; ++k) {
    const std::uint8_t* __restrict row = top + k * stride;
    for (int x = 0; x < width; ++x) {
      low[x] = std::min(low[x], row[x]);
      high[x] = std::max(high[x], row[x]);
      sum[x] = static_cast<std::uint16_t>(sum[x] + row[x]);
    }
  }
}

struct ColumnStats {
  std::vector<std::uint8_t> low, high;
  std::vector<std::uint16_t> sum;

  explicit ColumnStats(int width) : low(width), high(width), sum(width) {}

  BlockStats block(int x0) const {
    BlockStats stats;
    for (int x = x0; x < x0 + kBlock; ++x) {
      stats.sum += sum[x];
      stats.low = std::min(stats.low, low[x]);
      stats.high = std::max(stats.high, high[x]);
    }
    return stats;
  }
};

// A busy block's black point is its mean. A flat one is taken for background (half its minimum)
// unless its minimum lies below the black point of the blocks above and to the left: then it is
// inside something dark and takes theirs.
int blackPoint(const BlockStats& stats, const int* above, const int* here, int x) {
  if (stats.high - stats.low > kFlatRange) return stats.sum / (kBlock * kBlock);
  if (above == nullptr || x == 0) return stats.low / 2;
  const int neighbours = (above[x] + 2 * here[x - 1] + above[x - 1]) / 4;
  return stats.low < neighbours ? neighbours : stats.low / 2;
}

std::vector<int> blackPoints(const std::uint8_t* lum, int width, int height, int columns, int rows) {
  std::vector<int> points(static_cast<std::size_t>(columns) * rows);
  ColumnStats stats(width);
  for (int by = 0; by < rows; ++by) {
    columnStats(lum + static_cast<std::size_t>(blockOrigin(by, height)) * width, width, width,
                stats.low.data(), stats.high.data(), stats.sum.data());
    int* here = points.data() + static_cast<std::size_t>(by) * columns;
    const int* above = by > 0 ? here - columns : nullptr;
    for (int bx = 0; bx < columns; ++bx)
      here[bx] = blackPoint(stats.block(blockOrigin(bx, width)), above, here, bx);
  }
  return points;
}

// The sum of each block's black point and its two neighbours either side, for the blocks with
// that many neighbours.
std::vector<int> sumsAcross(const std::vector<int>& points, int columns) {
  std::vector<int> across(points.size());
  for (std::size_t start = 0; start < points.size(); start += columns) {
    for (int bx = kRadius; bx < columns - kRadius; ++bx) {
      for (int dx = -kRadius; dx <= kRadius; ++dx) across[start + bx] += points[start + bx + dx];
    }
  }
  return across;
}

// Each block's threshold: the mean black point of the 5x5 blocks around it, the window held inside
// the grid at its edges.
std::vector<std::uint8_t> blockThresholds(const std::vector<int>& points, int columns, int rows) {
  const std::vector<int> across = sumsAcross(points, columns);
  std::vector<std::uint8_t> thresholds(points.size());
  for (int by = 0; by < rows; ++by) {
    const int top = std::clamp(by, kRadius, rows - kRadius - 1);
    for (int bx = 0; bx < columns; ++bx) {
      const int left = std::clamp(bx, kRadius, columns - kRadius - 1);
      int sum = 0;
      for (int dy = -kRadius; dy <= kRadius; ++dy)
        sum += across[static_cast<std::size_t>(top + dy) * columns + left];
      thresholds[static_cast<std::size_t>(by) * columns + bx] = static_cast<std::uint8_t>(sum / kWindow);
    }
  }
  return thresholds;
}

// Each pixel column's threshold in one block row. In block order, so that where two blocks overlap
// the later one's stays.
void spreadAcross(const std::uint8_t* blockRow, int columns, int width, std::vector<std::uint8_t>& limits) {
  for (int bx = 0; bx < columns; ++bx)
    std::fill_n(limits.begin() + blockOrigin(bx, width), kBlock, blockRow[bx]);
}

KERBELIN_WIDE_VECTORS bool thresholdRow(const std::uint8_t* __restrict lum,
                                        const std::uint8_t* __restrict limits, std::uint8_t* __restrict out,
                                        int width) {
  std::uint8_t dark = 0;
  for (int x = 0; x < width; ++x) {
    const std::uint8_t isDark = lum[x] <= limits[x];
    out[x] = static_cast<std::uint8_t>(isDark - 1);
    dark |= isDark;
  }
  return dark != 0;
}

}  // namespace

bool thresholdLocally(const std::uint8_t* luminance, int width, int height, std::uint8_t* out) {
  const int columns = (width + kBlock - 1) / kBlock, rows = (height + kBlock - 1) / kBlock;
  const std::vector<std::uint8_t> thresholds =
      blockThresholds(blackPoints(luminance, width, height, columns, rows), columns, rows);
  std::vector<std::uint8_t> limits(width);
  bool dark = false;
  for (int y = 0, limitsRow = -1; y < height; ++y) {
    if (const int by = blockOf(y, height, rows); by != limitsRow) {
      spreadAcross(thresholds.data() + static_cast<std::size_t>(by) * columns, columns, width, limits);
      limitsRow = by;
    }
    const std::size_t offset = static_cast<std::size_t>(y) * width;
    dark |= thresholdRow(luminance + offset, limits.data(), out + offset, width);
  }
  return dark;
}

}  // namespace ios::barcode
