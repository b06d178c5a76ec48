#include <Foundation/Scanner.h>

#include <gtest/gtest.h>

namespace ios {
namespace {

struct HexCase {
  const char* text;
  std::optional<uint64_t> value;
  size_t locationAfter;
};

TEST(ScannerTest, ScanHexLongLong) {
  const HexCase cases[] = {
      {"FF", 0xFF, 2},
      {"ff8800", 0xFF8800, 6},
      {"aBcD", 0xABCD, 4},
      {"0x1F", 0x1F, 4},
      {"0X1f", 0x1F, 4},
      {"  \t\n0a", 0x0A, 6},  // leading whitespace and newlines are skipped
      {"\xC2\xA0"
       "7",
       0x7, 2},           // so is a no-break space (UTF-16 location)
      {"12G4", 0x12, 2},  // stops at the first non-hex character
      {"0x", 0, 1},       // "0" is a digit; the "x" is left
      {"0xg", 0, 1},
      {"", std::nullopt, 0},
      {"   ", std::nullopt, 0},
      {"G12", std::nullopt, 0},
      {"#FFF", std::nullopt, 0},  // the caller strips the '#'
      {"-1", std::nullopt, 0},    // no sign, unlike strtoull
      {"+1", std::nullopt, 0},
      {"x12", std::nullopt, 0},
      {"FFFFFFFFFFFFFFFF", UINT64_MAX, 16},
      {"10000000000000000", UINT64_MAX, 17},     // overflow saturates
      {"123456789ABCDEF0123z", UINT64_MAX, 19},  // and the rest of the digits is consumed
  };
  for (const HexCase& c : cases) {
    Scanner scanner(c.text);
    EXPECT_EQ(scanner.scanHexLongLong(), c.value) << '"' << c.text << '"';
    EXPECT_EQ(scanner.scanLocation(), c.locationAfter) << '"' << c.text << '"';
  }
}

TEST(ScannerTest, ContinuesFromScanLocationUpToTrailingWhitespace) {
  Scanner scanner("1a 2b zz");
  EXPECT_EQ(scanner.scanHexLongLong(), 0x1Au);
  EXPECT_FALSE(scanner.isAtEnd());
  EXPECT_EQ(scanner.scanHexLongLong(), 0x2Bu);
  EXPECT_EQ(scanner.scanHexLongLong(), std::nullopt);
  EXPECT_EQ(scanner.scanLocation(), 5u);
  scanner.setScanLocation(100);
  EXPECT_EQ(scanner.scanLocation(), 8u);
  EXPECT_TRUE(scanner.isAtEnd());

  Scanner trailing("ff  \n");
  trailing.scanHexLongLong();
  EXPECT_TRUE(trailing.isAtEnd());  // only whitespace is left
}

}  // namespace
}  // namespace ios
