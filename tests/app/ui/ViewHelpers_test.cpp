// The UI's helpers on their own: dialog filters, fonts, pictures, icons and
// work deferred past the first paint.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFont>
#include <QFontInfo>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QWidget>
#include <optional>
#include <vector>

#include "app/ui/AfterFirstPaint.h"
#include "app/ui/FileFilter.h"
#include "app/ui/FontMapping.h"
#include "app/ui/Glyphs.h"
#include "app/ui/LazyIcon.h"
#include "app/ui/PixelArt.h"
#include "tests/app/ui/support/QtTestApp.h"
#include "tests/app/ui/support/UiEvents.h"

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

TEST(FontMappingTest, AnInstalledFaceComesFirstWithAJapaneseGothicBehindIt) {
  test::QtTestApp();
  const QFont f = ToQFont(TFontSpec{"DejaVu Sans", -13, false, false});
  const QStringList families = f.families();
  ASSERT_GE(families.size(), 2);
  EXPECT_EQ(families[0], QStringLiteral("DejaVu Sans"));
  EXPECT_TRUE(families.contains(QStringLiteral("IPAPGothic")));
  EXPECT_EQ(f.pixelSize(), 13);
  EXPECT_EQ(QFontInfo(f).family(), QStringLiteral("DejaVu Sans"));
  const QFont g = ToQFont(TFontSpec{"ＤＨＰ行書体", 21, true, true});
  EXPECT_EQ(g.pixelSize(), 18);  // a cell height: the characters take about 7/8
  EXPECT_TRUE(g.bold());
  EXPECT_TRUE(g.italic());
}

TEST(FontMappingTest, AMissingFaceIsLeftOutAndTheSameGothicStandsIn) {
  test::QtTestApp();
  for (const char* face : {"ＦＡ Ｐ ゴシック", "ＤＦ行書体", "ＤＨＰ平成明朝体W7"}) {
    SCOPED_TRACE(face);
    const QFont mapped = ToQFont(TFontSpec{face, -13, false, false});
    EXPECT_FALSE(mapped.families().contains(QString::fromUtf8(face)));
    // Asking for the missing face first would have ended at the same font.
    QFont asked = mapped;
    asked.setFamilies(QStringList{QString::fromUtf8(face)} + mapped.families());
    EXPECT_EQ(QFontInfo(mapped).family(), QFontInfo(asked).family());
    EXPECT_EQ(QFontInfo(mapped).family(), QStringLiteral("IPAPGothic"));
  }
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
  EXPECT_EQ(SpeedButtonGlyphRecipe("LupeUp", 257, 13)->Size, QSize(7, 4));
  EXPECT_EQ(SpeedButtonGlyphRecipe("AllLeft", 13, 257)->Size, QSize(4, 7));
  const QPixmap arrow = SpeedButtonGlyph("LupeUp", 257, 13);
  EXPECT_LE(arrow.height(), 13);
  EXPECT_TRUE(SpeedButtonGlyph("btUndo", 33, 21).isNull());
}

TEST(GlyphsTest, AGlyphIsAsLargeAsItsRecipeSaysBeforeItIsDrawn) {
  test::QtTestApp();
  const struct {
    const char* Name;
    int Width, Height;
  } buttons[] = {{"LupeUp", 257, 13}, {"LupeLeft", 13, 257}, {"AllDown", 257, 13}, {"btCSXDown", 17, 21},
                 {"btCSYUp", 17, 21}, {"btPset", 21, 21},    {"btMarge", 23, 22},  {"x1", 21, 21},
                 {"x32", 21, 21},     {"p5", 21, 21},        {"Chuou", 21, 21},    {"Grid", 21, 21},
                 {"SRight", 21, 21},  {"MovDown", 21, 21},   {"LupeRight", 2, 2}};
  for (const auto& b : buttons) {
    SCOPED_TRACE(b.Name);
    const std::optional<TGlyphRecipe> recipe = SpeedButtonGlyphRecipe(b.Name, b.Width, b.Height);
    ASSERT_TRUE(recipe);
    // The button reserves the recipe's size; a picture of another size would be scaled.
    EXPECT_EQ(recipe->Draw().size(), recipe->Size);
  }
  EXPECT_FALSE(SpeedButtonGlyphRecipe("btUndo", 33, 21));
}

QImage Pixels(const QPixmap& pm) { return pm.toImage().convertToFormat(QImage::Format_ARGB32); }

TEST(LazyIconTest, DrawsOnceWhenFirstShownAndLooksAsAPixmapIconDoes) {
  test::QtTestApp();
  const QPixmap picture = ShiftPicture(TArrow::Left, 11);
  int draws = 0;
  const QIcon lazy = LazyPixmapIcon(QSize(11, 11), [&] {
    ++draws;
    return picture;
  });
  const QIcon eager(picture);
  EXPECT_EQ(draws, 0);
  EXPECT_FALSE(lazy.isNull());
  EXPECT_EQ(lazy.actualSize(QSize(21, 21)), eager.actualSize(QSize(21, 21)));
  EXPECT_EQ(lazy.actualSize(QSize(5, 8)), eager.actualSize(QSize(5, 8)));
  EXPECT_EQ(lazy.availableSizes(), eager.availableSizes());
  EXPECT_EQ(draws, 0);
  for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
    for (const QSize size : {QSize(11, 11), QSize(21, 21), QSize(6, 6)}) {
      for (const qreal ratio : {1.0, 2.0, 1.5}) {
        SCOPED_TRACE(testing::Message() << mode << " " << size.width() << " " << ratio);
        const QPixmap a = lazy.pixmap(size, ratio, mode), b = eager.pixmap(size, ratio, mode);
        EXPECT_EQ(a.size(), b.size());
        EXPECT_EQ(a.devicePixelRatio(), b.devicePixelRatio());
        EXPECT_EQ(Pixels(a), Pixels(b));
      }
    }
  }
  // Painted into a rectangle, as a menu or a view paints icons.
  QImage viaLazy(30, 30, QImage::Format_ARGB32), viaEager(30, 30, QImage::Format_ARGB32);
  viaLazy.fill(Qt::white);
  viaEager.fill(Qt::white);
  {
    QPainter p(&viaLazy);
    lazy.paint(&p, QRect(2, 3, 25, 20));
  }
  {
    QPainter p(&viaEager);
    eager.paint(&p, QRect(2, 3, 25, 20));
  }
  EXPECT_EQ(viaLazy, viaEager);
  // Copies share the one drawing.
  const QIcon copy = lazy;
  copy.pixmap(QSize(11, 11));
  EXPECT_EQ(draws, 1);
}

TEST(AfterFirstPaintTest, WorkWaitsForTheWindowsFirstPictureAndRunsOnce) {
  test::QtTestApp();
  class TWindow : public QWidget {
   public:
    int Paints = 0;

   protected:
    void paintEvent(QPaintEvent*) override { ++Paints; }
  };
  TWindow window;
  window.resize(50, 40);
  std::vector<int> ran;
  int paintsBeforeWork = -1;
  RunAfterFirstPaint(window, [&] {
    ran.push_back(1);
    paintsBeforeWork = window.Paints;
  });
  RunAfterFirstPaint(window, [&] { ran.push_back(2); });
  QCoreApplication::processEvents();
  EXPECT_TRUE(ran.empty()) << "nothing runs before the window is shown";
  window.show();
  ASSERT_TRUE(test::WaitExposed(window));
  test::Wait(50);
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  EXPECT_GE(paintsBeforeWork, 1);
  // Work queued once the window has been painted runs from the event loop.
  RunAfterFirstPaint(window, [&] { ran.push_back(3); });
  EXPECT_EQ(ran.size(), 2u);
  window.update();
  test::Wait(50);
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

TEST(AfterFirstPaintTest, NothingRunsForAWindowDestroyedFirst) {
  test::QtTestApp();
  bool ran = false;
  {
    QWidget window;
    RunAfterFirstPaint(window, [&] { ran = true; });
    window.show();
  }
  test::Wait(50);
  EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace pixkura
