#include <Photos/MobileCoreServices.h>
#include <gtest/gtest.h>

namespace ios {
namespace {

TEST(MobileCoreServicesTest, MimeTypesOfKnownIdentifiers) {
  const std::pair<const char*, const char*> table[] = {
      {"public.jpeg", "image/jpeg"},
      {"public.heic", "image/heic"},
      {"public.mpeg-4", "video/mp4"},
      {"com.apple.quicktime-movie", "video/quicktime"},
  };
  for (const auto& [uti, mime] : table)
    EXPECT_EQ(UTTypeCopyPreferredTagWithClass(uti, kUTTagClassMIMEType), mime) << uti;
  EXPECT_EQ(UTTypeCopyPreferredTagWithClass("PUBLIC.JPEG", kUTTagClassMIMEType), "image/jpeg");
}

TEST(MobileCoreServicesTest, UnknownIdentifiersAndTagClassesGiveNothing) {
  EXPECT_EQ(UTTypeCopyPreferredTagWithClass("com.example.unknown", kUTTagClassMIMEType), std::nullopt);
  EXPECT_EQ(UTTypeCopyPreferredTagWithClass("", kUTTagClassMIMEType), std::nullopt);
  EXPECT_EQ(UTTypeCopyPreferredTagWithClass("public.jpeg", "public.other-tag"), std::nullopt);
}

}  // namespace
}  // namespace ios
