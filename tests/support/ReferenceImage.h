#pragma once

// Header-only: compares a rendered image with a PNG kept under tests/reference/. Include it from a
// test binary that links ios_uikit (the PNG codec lives there).
//
// A pixel matches when every channel is within `channelTolerance`; the image matches when at most
// `maxMismatchFraction` of its pixels do not. On a mismatch the expected, actual and diff PNGs are
// written to <build dir>/reference-failures/. With KERBELIN_RECORD_REFERENCES=1 in the environment
// the actual image replaces the reference instead (record only on purpose, then look at it).

#include <CoreGraphics/CGImage.h>
#include <Foundation/Data.h>
#include <UIKit/UIImage.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ios::test {

inline std::filesystem::path referenceDirectory() {
  if (const char* source = std::getenv("KERBELIN_SOURCE_DIR")) return std::filesystem::path(source) / "tests" / "reference";
#ifdef KERBELIN_TEST_SOURCE_DIR
  return std::filesystem::path(KERBELIN_TEST_SOURCE_DIR) / "tests" / "reference";
#else
  return std::filesystem::path("tests") / "reference";
#endif
}

inline bool writePNG(const CGImage& image, const std::filesystem::path& path) {
  auto wrapped = UIImage::create(std::shared_ptr<const CGImage>(CGImage::create(image.width(), image.height(),
      std::vector<std::uint32_t>(image.pixels(), image.pixels() + static_cast<std::size_t>(image.width()) * image.height()))), 1);
  if (!wrapped) return false;
  auto data = wrapped->pngData();
  std::filesystem::create_directories(path.parent_path());
  return data && data->write(path.string());
}

inline ::testing::AssertionResult matchesReference(const CGImage& actual, const std::string& name,
                                                   int channelTolerance = 8, double maxMismatchFraction = 0.002) {
  const auto referencePath = referenceDirectory() / (name + ".png");
  const char* record = std::getenv("KERBELIN_RECORD_REFERENCES");
  if (record && std::string(record) == "1") {
    if (!writePNG(actual, referencePath)) return ::testing::AssertionFailure() << "could not record " << referencePath;
    return ::testing::AssertionSuccess() << "recorded " << referencePath;
  }
  auto expectedImage = UIImage::contentsOfFile(referencePath.string());
  if (!expectedImage || !expectedImage->cgImage())
    return ::testing::AssertionFailure() << "no reference image " << referencePath
                                         << " (record it with KERBELIN_RECORD_REFERENCES=1)";
  const CGImage& expected = *expectedImage->cgImage();
  const char* build = std::getenv("KERBELIN_BUILD_DIR");
#ifdef KERBELIN_TEST_BUILD_DIR
  if (!build) build = KERBELIN_TEST_BUILD_DIR;
#endif
  const auto failures = std::filesystem::path(build ? build : ".") / "reference-failures";
  if (expected.width() != actual.width() || expected.height() != actual.height()) {
    writePNG(actual, failures / (name + "-actual.png"));
    return ::testing::AssertionFailure() << name << ": size " << actual.width() << "x" << actual.height()
                                         << " differs from the reference's " << expected.width() << "x"
                                         << expected.height();
  }
  std::vector<std::uint32_t> diff(static_cast<std::size_t>(actual.width()) * actual.height(), 0xFFFFFFFFu);
  std::size_t mismatches = 0;
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      const std::uint32_t a = actual.pixel(x, y), e = expected.pixel(x, y);
      int worst = 0;
      for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((e >> shift) & 0xFF)));
      if (worst > channelTolerance) {
        ++mismatches;
        diff[static_cast<std::size_t>(y) * actual.width() + x] = 0xFFFF0000u;
      }
    }
  }
  const double fraction = static_cast<double>(mismatches) / static_cast<double>(diff.size());
  if (fraction <= maxMismatchFraction) return ::testing::AssertionSuccess();
  writePNG(expected, failures / (name + "-expected.png"));
  writePNG(actual, failures / (name + "-actual.png"));
  if (auto diffImage = CGImage::create(actual.width(), actual.height(), std::move(diff)))
    writePNG(*diffImage, failures / (name + "-diff.png"));
  return ::testing::AssertionFailure() << name << ": " << mismatches << " pixels differ (" << fraction * 100
                                       << "%); see " << failures.string();
}

}  // namespace ios::test
