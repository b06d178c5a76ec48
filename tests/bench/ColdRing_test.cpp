#include <support/ColdRing.h>
#include <support/ScratchDirectory.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kerbelin::bench {
namespace {

TEST(ColdRing, CacheSizesReadAsSysfsWritesThem) {
  const struct {
    const char* text;
    std::size_t bytes;
  } cases[] = {
      {"48K\n", 48 * 1024},
      {"307200K\n", std::size_t{300} << 20},
      {"491520K", std::size_t{480} << 20},
      {"2M", std::size_t{2} << 20},
      {"1G\n", std::size_t{1} << 30},
      {"4096", 4096},
      {"", 0},
      {"K", 0},
      {"12Q", 0},
      {"-5K", 0},
      {"99999999999999999999999K", 0},
      {"2000000000G", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(cacheSizeBytes(c.text), c.bytes) << '"' << c.text << '"';
}

// A machine's processors as sysfs lists them: each processor's cache sizes, by index.
struct Machine {
  std::vector<std::vector<std::string>> sizes;
  std::size_t largest;
};

TEST(ColdRing, TheRingHoldsTwiceTheLargestCacheOfAnyProcessor) {
  const Machine machines[] = {
      {{{"48K", "32K", "2048K", "307200K"}, {"48K", "32K", "2048K", "307200K"}}, std::size_t{300} << 20},
      {{{"32K", "1024K", "491520K"}}, std::size_t{480} << 20},
      {{{"32K", "512K", "16384K"}, {"32K", "512K", "32768K"}}, std::size_t{32} << 20},  // caches unlike
      {{{"32K", "256K", "8192K"}}, std::size_t{8} << 20},
      {{}, 0},  // no cache folder
  };
  for (const auto& machine : machines) {
    ios::test::ScratchDirectory root;
    root.write("online", "0-1\n");  // not a processor
    root.write("cpufreq/policy0/size", "9999G\n");
    for (std::size_t cpu = 0; cpu < machine.sizes.size(); ++cpu) {
      const auto& sizes = machine.sizes[cpu];
      for (std::size_t index = 0; index < sizes.size(); ++index) {
        root.write("cpu" + std::to_string(cpu) + "/cache/index" + std::to_string(index) + "/size", sizes[index] + "\n");
      }
    }
    const std::size_t largest = largestCacheBytes(root.path());
    EXPECT_EQ(largest, machine.largest) << machine.largest;
    const std::size_t ring = coldRingBytes(largest);
    if (largest > 0) {
      EXPECT_GT(ring, largest) << "the floor's slots stay cached on a machine of " << largest;
      EXPECT_GE(ring, std::min(2 * largest, kLargestRing)) << largest;
    }
    EXPECT_LE(ring, kLargestRing);
    EXPECT_GE(ring, kSmallestRing);
  }
}

TEST(ColdRing, TheRingStaysAffordable) {
  const struct {
    std::size_t cache;
    std::size_t ring;
  } cases[] = {
      {std::size_t{300} << 20, std::size_t{600} << 20},
      {std::size_t{480} << 20, std::size_t{960} << 20},
      {std::size_t{1} << 20, kSmallestRing},
      {std::size_t{2} << 30, kLargestRing},  // then not cold, as ringOverCache says
      {0, kRingWithoutCacheSize},            // the machine told no size
  };
  for (const auto& c : cases) EXPECT_EQ(coldRingBytes(c.cache), c.ring) << c.cache;
  EXPECT_EQ(largestCacheBytes("/nonexistent/cpu-folder"), 0u);
}

}  // namespace
}  // namespace kerbelin::bench
