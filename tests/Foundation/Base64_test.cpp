#include <Foundation/Base64.h>

#include <gtest/gtest.h>

#include <string>

namespace ios {
namespace {

TEST(Base64Test, EncodesAndDecodesTheRfc4648Vectors) {
  const std::pair<std::string, std::string> vectors[] = {
      {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {std::string("\xFB\xFF\xBF", 3), "+/+/"}};
  for (const auto& [bytes, text] : vectors) {
    EXPECT_EQ(base64Encode(bytes), text);
    EXPECT_EQ(base64Decode(text), bytes) << text;
  }
}

TEST(Base64Test, EveryByteValueAndEveryLengthRoundTrips) {
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  for (size_t length = 0; length <= all.size(); ++length) {
    std::string bytes = all.substr(all.size() - length);  // also covers NULs inside and at the end
    std::string text = base64Encode(bytes);
    EXPECT_EQ(text.size() % 4, 0u);
    EXPECT_EQ(base64Decode(text), bytes) << "length " << length;
  }
}

TEST(Base64Test, RejectsAnythingFoundationsStrictDecoderRejects) {
  const char* invalid[] = {
      "Zg",         // length not a multiple of four
      "Zg=",        // padding short
      "Zm9vY",      // five characters
      "Zg==Zg==",   // padding in the middle
      "Z===",       // three pad characters
      "====",       // only padding
      "=Zm9",       // padding first
      "Zm=v",       // padding inside a group
      "Zm9v\n",     // line break
      "Zm9v YmFy",  // space
      " Zm9v",      // leading whitespace
      "Zm9v\r\nYmFy",
      "Zm9-",  // URL-safe alphabet
      "Zm9_",
      "Zm9\x80",  // non-ASCII
      "Zh==",     // bits past the last byte are not zero
      "Zm9=",
  };
  for (const char* text : invalid) EXPECT_EQ(base64Decode(text), std::nullopt) << '"' << text << '"';
  EXPECT_EQ(base64Decode(std::string("Zm9\0", 4)), std::nullopt);
}

}  // namespace
}  // namespace ios
