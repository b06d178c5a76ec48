#include <Foundation/NSString.h>

#include <gtest/gtest.h>

namespace ios {
namespace {

// "Tiếng Việt" precomposed, and decomposed (e + U+0302 + U+0301, e + U+0323 + U+0302).
const std::string kVietnameseNFC = "Ti\xE1\xBA\xBFng Vi\xE1\xBB\x87t";
const std::string kVietnameseNFD = "Tie\xCC\x82\xCC\x81ng Vie\xCC\xA3\xCC\x82t";
const std::string kFamily =
    "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7\xE2\x80\x8D\xF0\x9F\x91\xA6";
const std::string kFlagVN = "\xF0\x9F\x87\xBB\xF0\x9F\x87\xB3";
const std::string kFlagUS = "\xF0\x9F\x87\xBA\xF0\x9F\x87\xB8";
const std::string kThumbsUpMedium = "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD";
const std::string kGrinning = "\xF0\x9F\x98\x80";

// Swift's character count and NSString's length (UTF-16 units) of the same texts.
TEST(NSStringTest, GraphemeCountAndUtf16Length) {
  const struct {
    std::string text;
    std::size_t graphemes, utf16;
  } cases[] = {
      {"", 0, 0},
      {"hello", 5, 5},
      {"a\r\nb", 3, 4},  // CR LF is one character
      {"\n\r", 2, 2},
      {kVietnameseNFC, 10, 10},
      {kVietnameseNFD, 10, 14},
      {kFamily, 1, 11},
      {kFlagVN, 1, 4},
      {kFlagVN + kFlagUS, 2, 8},
      {kThumbsUpMedium, 1, 4},
      {"a" + kFamily + "b", 3, 13},
      {"\xE2\x82\xAC", 1, 1},  // €
      {"\xFF\xFE", 2, 2},        // each ill-formed byte is one U+FFFD
  };
  for (const auto& c : cases) {
    EXPECT_EQ(graphemeCount(c.text), c.graphemes) << c.text;
    EXPECT_EQ(utf16Length(c.text), c.utf16) << c.text;
  }
}

TEST(NSStringTest, LastCharacterStartIsWhereTheLastGraphemeBegins) {
  const std::pair<std::string, std::size_t> cases[] = {
      {"", 0},           {"a", 0},
      {"ab", 1},         {"a\r\n", 1},
      {"\n\r", 1},       {kVietnameseNFC, kVietnameseNFC.size() - 1},
      {"ab" + kFamily, 2}, {kVietnameseNFD, kVietnameseNFD.size() - 1},
      {"Vie\xCC\xA3\xCC\x82", 2}, {kFlagVN + kFlagUS, kFlagVN.size()},
      {"x" + kThumbsUpMedium, 1}, {"\xE2\x82\xAC", 0},
  };
  for (const auto& [text, start] : cases) EXPECT_EQ(lastCharacterStart(text), start) << text;
}

TEST(NSStringTest, Utf8Validity) {
  EXPECT_TRUE(isValidUTF8(""));
  EXPECT_TRUE(isValidUTF8(kVietnameseNFD + kFamily));
  EXPECT_FALSE(isValidUTF8("\xFF"));
  EXPECT_FALSE(isValidUTF8("\xC3"));                 // truncated
  EXPECT_FALSE(isValidUTF8("\xC0\xAF"));             // overlong '/'
  EXPECT_FALSE(isValidUTF8("\xED\xA0\x80"));         // encoded surrogate
  EXPECT_FALSE(isValidUTF8("\xF4\x90\x80\x80"));     // past U+10FFFF
  EXPECT_TRUE(isValidUTF8(std::string("a\0b", 3)));  // NUL is a character
}

TEST(NSStringTest, Utf16ConversionRoundTripsAndRejectsLoneSurrogates) {
  const std::string text = kVietnameseNFC + kGrinning;
  std::u16string units = utf8ToUtf16(text);
  EXPECT_EQ(units, u"Ti\u1EBFng Vi\u1EC7t\U0001F600");
  EXPECT_EQ(utf16ToUtf8(units), text);
  EXPECT_EQ(utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD83D))), std::nullopt);
  EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t(0xDE00), u'a'}), std::nullopt);
}

TEST(NSStringTest, UnicodeDataIsLittleEndianWithBom) {
  EXPECT_EQ(unicodeData("a\xE1\xBB\x87").bytes, std::string("\xFF\xFE\x61\x00\xC7\x1E", 6));
  EXPECT_EQ(unicodeData(kGrinning).bytes, std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6));
  EXPECT_EQ(stringFromUnicodeData(unicodeData(kVietnameseNFD + kFamily)), kVietnameseNFD + kFamily);
  EXPECT_EQ(stringFromUnicodeData(Data(std::string("\xFE\xFF\x00\x61", 4))), "a");
  EXPECT_EQ(stringFromUnicodeData(Data(std::string("\x00\x61", 2))), "a");  // no BOM: big-endian
  EXPECT_EQ(stringFromUnicodeData(Data(std::string("\xFF\xFE\x61", 3))), std::nullopt);
  EXPECT_EQ(stringFromUnicodeData(Data(std::string("\xFF\xFE\x3D\xD8", 4))), std::nullopt);
}

TEST(NSStringTest, AsciiDataFailsOnAnyNonAsciiCharacter) {
  EXPECT_EQ(asciiData("CARD-123"), Data::fromText("CARD-123"));
  EXPECT_EQ(asciiData(""), Data());
  EXPECT_EQ(asciiData("M\xC3\xA3"), std::nullopt);
}

TEST(NSStringTest, RangesConvertBetweenUtf16AndBytes) {
  const std::string text = "a" + kGrinning + "b\xE1\xBB\x87";  // a 😀 b ệ: units 0,1-2,3,4; bytes 0,1-4,5,6-8
  EXPECT_EQ(byteRange(text, NSRange{0, 0}), (ByteRange{0, 0}));
  EXPECT_EQ(byteRange(text, NSRange{1, 2}), (ByteRange{1, 5}));
  EXPECT_EQ(byteRange(text, NSRange{3, 2}), (ByteRange{5, 9}));
  EXPECT_EQ(byteRange(text, NSRange{0, 5}), (ByteRange{0, 9}));
  EXPECT_EQ(byteRange(text, NSRange{5, 0}), (ByteRange{9, 9}));
  EXPECT_EQ(byteRange(text, NSRange{2, 1}), (ByteRange{1, 5}));  // half a pair widens to the pair
  EXPECT_EQ(byteRange(text, NSRange{1, 1}), (ByteRange{1, 5}));
  EXPECT_EQ(byteRange(text, NSRange{0, 6}), std::nullopt);
  EXPECT_EQ(byteRange(text, NSRange{6, 0}), std::nullopt);
  EXPECT_EQ(byteRange(text, NSRange{NSNotFound, 0}), std::nullopt);
  EXPECT_EQ(byteRange(text, NSRange{1, NSNotFound}), std::nullopt);

  EXPECT_EQ(nsRange(text, ByteRange{1, 5}), (NSRange{1, 2}));
  EXPECT_EQ(nsRange(text, ByteRange{5, 9}), (NSRange{3, 2}));
  EXPECT_EQ(nsRange(text, ByteRange{9, 9}), (NSRange{5, 0}));
  EXPECT_EQ(nsRange(text, ByteRange{0, 0}), (NSRange{0, 0}));
  EXPECT_EQ(nsRange(text, ByteRange{2, 5}), std::nullopt);  // inside 😀
  EXPECT_EQ(nsRange(text, ByteRange{0, 7}), std::nullopt);  // inside ệ
  EXPECT_EQ(nsRange(text, ByteRange{0, 10}), std::nullopt);
  EXPECT_EQ(nsRange(text, ByteRange{5, 1}), std::nullopt);
}

TEST(NSStringTest, CaseMappingIsLocaleIndependent) {
  EXPECT_EQ(lowercased("TI\xE1\xBA\xBENG VI\xE1\xBB\x86T"), "ti\xE1\xBA\xBFng vi\xE1\xBB\x87t");
  EXPECT_EQ(uppercased("\xC4\x91i\xE1\xBB\x87n"), "\xC4\x90I\xE1\xBB\x86N");  // điện -> ĐIỆN
  EXPECT_EQ(uppercased("stra\xC3\x9F"
                       "e"),
            "STRASSE");
  EXPECT_EQ(lowercased("I"), "i");  // never the Turkish dotless i
  EXPECT_EQ(uppercased("i"), "I");
  EXPECT_EQ(lowercased("MiXeD 123"), "mixed 123");
}

TEST(NSStringTest, ContainsIsAnExactSubstringTest) {
  EXPECT_TRUE(containsString("https://x.vn", "http"));
  EXPECT_FALSE(containsString("HTTPS://x.vn", "http"));
  EXPECT_FALSE(containsString("facebook.com/x", "http"));
  EXPECT_FALSE(containsString(kVietnameseNFD, "\xE1\xBA\xBF"));  // no normalisation
  EXPECT_FALSE(containsString("abc", ""));
  EXPECT_FALSE(containsString("", "a"));
}

TEST(NSStringTest, TrimmingWhitespacesAndNewlines) {
  EXPECT_EQ(trimmingWhitespacesAndNewlines("  hi there \t\n"), "hi there");
  EXPECT_EQ(trimmingWhitespacesAndNewlines("\xC2\xA0\xE2\x80\xA8x\xE3\x80\x80"),
            "x");  // NBSP, U+2028, U+3000
  EXPECT_EQ(trimmingWhitespacesAndNewlines(" \r\n\t "), "");
  EXPECT_EQ(trimmingWhitespacesAndNewlines(""), "");
  EXPECT_EQ(trimmingWhitespacesAndNewlines("\xE2\x80\x8B"
                                           "a"),
            "\xE2\x80\x8B"
            "a");  // ZWSP is not whitespace
  EXPECT_EQ(trimmingWhitespacesAndNewlines(kVietnameseNFD + " "), kVietnameseNFD);
}

}  // namespace
}  // namespace ios
