// The UI's helpers on their own: dialog filters, fonts and pictures.
#include <gtest/gtest.h>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSet>

#include "app/ui/FileFilter.h"
#include "app/ui/FontMapping.h"
#include "app/ui/Glyphs.h"
#include "tests/app/ui/support/QtTestApp.h"

namespace pixkura {
namespace {

TEST(FileFilterTest, ConvertsPairsToQtFormWithSpaceSeparatedPatterns) {
  EXPECT_EQ(
      ToQtFileFilter("対応しているファイル (*.bmp;*.png;*.dib)|*.bmp;*.png;*.dib|全てのファイル (*.*)|*.*"),
      QStringLiteral("対応しているファイル (*.bmp *.png *.dib);;全てのファイル (*.*)"));
  EXPECT_EQ(ToQtFileFilter("256Colors Bitmap (*.bmp)|*.bmp|Portable Network Graphics (*.png)|*.png"),
            QStringLiteral("256Colors Bitmap (*.bmp);;Portable Network Graphics (*.png)"));
  // A description without its own pattern list gets one.
  EXPECT_EQ(ToQtFileFilter("Bitmaps|*.bmp; *.dib"), QStringLiteral("Bitmaps (*.bmp *.dib)"));
}

TEST(FileFilterTest, ToleratesMalformedFilters) {
  EXPECT_EQ(ToQtFileFilter(""), QString());
  EXPECT_EQ(ToQtFileFilter("lonely description"), QString());
  EXPECT_EQ(ToQtFileFilter("A|*.a|B"), QStringLiteral("A (*.a)"));
  EXPECT_EQ(ToQtFileFilter("Empty|;;|A|*.a"), QStringLiteral("A (*.a)"));
  EXPECT_EQ(ToQtFileFilter("|*.x"), QStringLiteral("*.x (*.x)"));
}

TEST(FontMappingTest, RequestsTheFaceWithAJapaneseGothicBehindIt) {
  test::QtTestApp();
  const QFont f = ToQFont(TFontSpec{"ＦＡ Ｐ ゴシック", -13, false, false});
  const QStringList families = f.families();
  ASSERT_GE(families.size(), 2);
  EXPECT_EQ(families[0], QStringLiteral("ＦＡ Ｐ ゴシック"));
  EXPECT_TRUE(families.contains(QStringLiteral("IPAPGothic")));
  EXPECT_EQ(f.pixelSize(), 13);
  const QFont g = ToQFont(TFontSpec{"ＤＨＰ行書体", 21, true, true});
  EXPECT_EQ(g.pixelSize(), 18);  // a cell height: the characters take about 7/8
  EXPECT_TRUE(g.bold());
  EXPECT_TRUE(g.italic());
}

TEST(GlyphsTest, EveryMenuPictureIsDrawnAndTellsItsItemApart) {
  test::QtTestApp();
  QSet<QByteArray> seen;
  for (int i = 0; i < kMenuPictureCount; ++i) {
    SCOPED_TRACE(i);
    const QImage img = MenuPicture(i).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(16, 16));
    const QByteArray bytes(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes());
    EXPECT_FALSE(seen.contains(bytes)) << "two menu pictures look the same";
    seen.insert(bytes);
    // Something is drawn, on a transparent background.
    int drawn = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) drawn += qAlpha(img.pixel(x, y)) != 0;
    EXPECT_GE(drawn, 8);
    EXPECT_LT(drawn, 16 * 16);
  }
  EXPECT_TRUE(MenuPicture(-1).isNull());
  EXPECT_TRUE(MenuPicture(kMenuPictureCount).isNull());
}

TEST(GlyphsTest, ButtonsWithoutCaptionHaveDistinctGlyphs) {
  test::QtTestApp();
  const char* names[] = {"LupeUp", "LupeDown", "LupeLeft", "LupeRight", "btPset", "btPaint",
                         "btBox",  "btCircle", "btLine",   "btMarge",   "x1",     "x2",
                         "x4",     "x8",       "x16",      "x32",       "p1",     "p2",
                         "p3",     "p4",       "p5",       "Chuou",     "Grid",   "SUp",
                         "SLeft",  "SDown",    "SRight",   "MovUp",     "MovLeft"};
  QSet<QByteArray> seen;
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const QImage img = SpeedButtonGlyph(name, 21, 21).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(img.isNull());
    const QByteArray bytes(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes());
    EXPECT_FALSE(seen.contains(bytes));
    seen.insert(bytes);
  }
  // A long scroll button gets a small arrow that fits its thin side.
  const QPixmap arrow = SpeedButtonGlyph("LupeUp", 257, 13);
  EXPECT_LE(arrow.height(), 13);
  EXPECT_TRUE(SpeedButtonGlyph("btUndo", 33, 21).isNull());
}

}  // namespace
}  // namespace pixkura
