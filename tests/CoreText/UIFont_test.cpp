#include <CoreText/UIFont.h>

#include <gtest/gtest.h>

namespace ios {
namespace {

TEST(UIFont, WeightsMapOntoRegularAndBoldFacesButKeepTheirValue) {
  auto semibold = UIFont::systemFont(15, UIFontWeight::semibold);
  EXPECT_TRUE(semibold->isBold());
  EXPECT_EQ(semibold->weight(), UIFontWeight::semibold);
  EXPECT_NE(*semibold, *UIFont::boldSystemFont(15));  // same face, different font
  EXPECT_EQ(semibold->fontName(), "DejaVuSans-Bold");

  EXPECT_FALSE(UIFont::systemFont(15, UIFontWeight::medium)->isBold());
  EXPECT_FALSE(UIFont::systemFont(15, UIFontWeight::ultraLight)->isBold());
  EXPECT_TRUE(UIFont::systemFont(15, UIFontWeight::black)->isBold());

  EXPECT_EQ(weightFromCSS(700), UIFontWeight::bold);
  EXPECT_EQ(weightFromCSS(5000), UIFontWeight::black);
}

TEST(UIFont, NamedFontsMapToTheFamilyAndUnknownNamesGiveNull) {
  auto helvetica = UIFont::create("HelveticaNeue", 14);
  ASSERT_NE(helvetica, nullptr);
  EXPECT_EQ(helvetica->fontName(), "DejaVuSans");
  EXPECT_EQ(helvetica->pointSize(), 14);
  EXPECT_EQ(UIFont::create("HelveticaNeue-Bold", 14)->fontName(), "DejaVuSans-Bold");
  EXPECT_EQ(UIFont::create("Helvetica-Oblique", 14)->fontName(), "DejaVuSans-Oblique");
  EXPECT_EQ(UIFont::create("Arial-BoldMT", 14)->fontName(), "DejaVuSans-Bold");
  EXPECT_NE(UIFont::create("-apple-system", 14), nullptr);
  EXPECT_EQ(UIFont::create("Comic Sans", 14), nullptr);
  EXPECT_EQ(UIFont::create("helveticaneue", 14), nullptr);
  EXPECT_EQ(UIFont::create("", 14), nullptr);
}

TEST(UIFont, MetricsArePlausibleAndScaleWithSize) {
  auto font = UIFont::systemFont(15);
  // DejaVu Sans: ascender 1901 and descender -483 per 2048 units.
  EXPECT_NEAR(font->ascender(), 15 * 1901.0 / 2048, 0.05);
  EXPECT_NEAR(font->descender(), -15 * 483.0 / 2048, 0.05);
  EXPECT_DOUBLE_EQ(font->lineHeight(), font->ascender() - font->descender());

  auto twice = font->withSize(30);
  EXPECT_EQ(twice->pointSize(), 30);
  EXPECT_NEAR(twice->lineHeight(), 2 * font->lineHeight(), 0.01);
  EXPECT_EQ(twice->weight(), font->weight());
}

TEST(UIFont, BadSizesBecomeTheDefaultSize) {
  EXPECT_EQ(UIFont::systemFont(0)->pointSize(), 12);
  EXPECT_EQ(UIFont::systemFont(-3)->pointSize(), 12);
  EXPECT_EQ(UIFont::systemFont(std::numeric_limits<double>::quiet_NaN())->pointSize(), 12);
}

TEST(UIFont, SameFontComparesValuesAndNulls) {
  EXPECT_TRUE(sameFont(nullptr, nullptr));
  EXPECT_FALSE(sameFont(UIFont::systemFont(13), nullptr));
  EXPECT_TRUE(sameFont(UIFont::systemFont(13), UIFont::systemFont(13)));
}

}  // namespace
}  // namespace ios
