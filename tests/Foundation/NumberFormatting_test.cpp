#include <Foundation/NumberFormatting.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ios {
namespace {

TEST(NumberFormattingTest, DoubleDescriptionMatchesSwift) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {15.0, "15.0"},
      {10.0, "10.0"},
      {0.5, "0.5"},
      {0.1, "0.1"},
      {-3.25, "-3.25"},
      {1.0 / 3.0, "0.3333333333333333"},
      {0.1 + 0.2, "0.30000000000000004"},
      {0.0001, "0.0001"},
      {0.00012, "0.00012"},
      {0.00001, "1e-05"},
      {0.000012345, "1.2345e-05"},
      {1e15, "1000000000000000.0"},
      {9007199254740992.0, "9007199254740992.0"},  // 2^53, the last decimal-form value
      {1e16, "1e+16"},
      {1.5e300, "1.5e+300"},
      {123456789.125, "123456789.125"},
      {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
      {std::numeric_limits<double>::denorm_min(), "5e-324"},
      {0.0, "0.0"},
      {-0.0, "-0.0"},
      {std::numeric_limits<double>::infinity(), "inf"},
      {-std::numeric_limits<double>::infinity(), "-inf"},
      {std::numeric_limits<double>::quiet_NaN(), "nan"},
  };
  for (const auto& c : cases) EXPECT_EQ(doubleDescription(c.value), c.text);
}

TEST(NumberFormattingTest, FloatDescriptionUsesFloatsShortestDigits) {
  EXPECT_EQ(floatDescription(13.0f), "13.0");
  EXPECT_EQ(floatDescription(15.0f), "15.0");
  EXPECT_EQ(floatDescription(0.1f), "0.1");  // not 0.10000000149011612
  EXPECT_EQ(floatDescription(3.4028235e38f), "3.4028235e+38");
  EXPECT_EQ(floatDescription(16777216.0f), "16777216.0");
  EXPECT_EQ(floatDescription(1e8f), "1e+08");
  EXPECT_EQ(floatDescription(0.00001f), "1e-05");
  EXPECT_EQ(floatDescription(-0.0f), "-0.0");
}

TEST(NumberFormattingTest, IntegersHaveNoGrouping) {
  EXPECT_EQ(integerDescription(12), "12");
  EXPECT_EQ(integerDescription(int64_t{-1234567}), "-1234567");
  EXPECT_EQ(integerDescription(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(integerDescription(std::numeric_limits<uint64_t>::max()), "18446744073709551615");
}

}  // namespace
}  // namespace ios
