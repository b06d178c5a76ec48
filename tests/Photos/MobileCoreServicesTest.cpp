#include <Photos/MobileCoreServices.h>
#include <gtest/gtest.h>

namespace ios {
namespace {

// JPEG, QuickTime and unknown identifiers are read through the asset MIME helper's test.
TEST(MobileCoreServicesTest, MimeTypesOfKnownIdentifiers) {
  EXPECT_EQ(UTTypeCopyPreferredTagWithClass("public.heic", kUTTagClassMIMEType), "image/heic");
  EXPECT_EQ(UTTypeCopyPreferredTagWithClass("public.mpeg-4", kUTTagClassMIMEType), "video/mp4");
  EXPECT_EQ(UTTypeCopyPreferredTagWithClass("PUBLIC.JPEG", kUTTagClassMIMEType), "image/jpeg");
}

TEST(MobileCoreServicesTest, EmptyIdentifiersAndOtherTagClassesGiveNothing) {
  EXPECT_EQ(UTTypeCopyPreferredTagWithClass("", kUTTagClassMIMEType), std::nullopt);
  EXPECT_EQ(UTTypeCopyPreferredTagWithClass("public.jpeg", "public.other-tag"), std::nullopt);
}

}  // namespace
}  // namespace ios
