#include "app/core/BlendTable.h"

#include <gtest/gtest.h>

#include <memory>

#include "image/DIB256.h"

namespace pixkura {
namespace {

std::unique_ptr<TIxDIB> Palette(TColor (*entry)(int)) {
  auto dib = std::make_unique<TIxDIB>();
  dib->SetWidth(16);
  dib->SetHeight(16);
  dib->SetPaletteSize(256);
  for (int i = 0; i < 256; ++i) dib->SetColors(i, entry(i));
  return dib;
}

TColor Grey(int i) { return RGB(static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i)); }

TEST(BlendTable, UnitTableIsExactAtBothEnds) {
  std::array<double, 256> unit{};
  unit.fill(-1);
  FillUnitTable(unit);
  EXPECT_EQ(unit[0], 0.0);
  EXPECT_EQ(unit[255], 1.0);
  EXPECT_EQ(unit[51], 0.2);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(unit[i], i / 255.0);
}

TEST(BlendTable, GreyRamp) {
  const auto pal = Palette(Grey);
  auto table = std::make_unique<TBlendTable>();
  MakeMixTable(*pal, *table);
  EXPECT_EQ(table->DarkIdx, 0);
  EXPECT_EQ(table->LightIdx, 255);
  EXPECT_EQ(table->MixTable[0][255], 128);  // lightness 0.5 rounds half to even
  EXPECT_EQ(table->MixTable[255][0], 128);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(table->MixTable[i][i], i);
  // The mean of two neighbours is nearest to one of them: the painted colour
  // is written, so the blend always changes the pixel.
  EXPECT_EQ(table->MixTable[10][11], 11);
  EXPECT_EQ(table->MixTable[11][10], 10);
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b)
      if (a != b) {
        ASSERT_NE(table->MixTable[a][b], a) << a << "," << b;
      }
}

TEST(BlendTable, DarkAndLightEntriesByLuminance) {
  // Pure red (luminance 76) is lighter than dark grey (64), pure blue (29)
  // darker than yellow (226), whatever their 24-bit values say.
  const auto pal = Palette([](int i) -> TColor {
    if (i == 0) return RGB(255, 0, 0);
    if (i == 1) return RGB(64, 64, 64);
    if (i == 2) return RGB(0, 0, 255);
    if (i == 3) return RGB(255, 255, 0);
    return RGB(128, 128, 128);
  });
  auto table = std::make_unique<TBlendTable>();
  MakeMixTable(*pal, *table);
  EXPECT_EQ(table->DarkIdx, 2);
  EXPECT_EQ(table->LightIdx, 3);

  // Red versus dark grey alone, and colours of equal luminance: the lowest
  // index of the equals, even where its 24-bit value is the larger one.
  const auto ties = Palette([](int i) -> TColor {
    if (i == 0) return RGB(255, 0, 0);
    if (i == 3) return RGB(1, 0, 157);  // 0.299 + 17.898 = 18.197
    if (i == 7) return RGB(0, 31, 0);   // 18.197
    if (i == 10) return RGB(254, 255, 98);
    if (i == 20) return RGB(255, 224, 255);  // both 236.803
    if (i == 30) return RGB(64, 64, 64);
    return RGB(100, 100, 100);
  });
  auto tied = std::make_unique<TBlendTable>();
  MakeMixTable(*ties, *tied);
  EXPECT_EQ(tied->DarkIdx, 3);
  EXPECT_EQ(tied->LightIdx, 10);
}

TEST(BlendTable, TiesPreferThePairsOwnEntries) {
  // White is stored at 0 (the transparent colour, say) and again at 5; light
  // grey 240 at 9. Their mean (247.5, rounded to 248) is nearest to white,
  // equally near to entries 0 and 5.
  const auto pal = Palette([](int i) -> TColor {
    if (i == 0 || i == 5) return clWhite;
    if (i == 9) return Grey(240);
    return RGB(0, 0, static_cast<uint8_t>(i));  // far from both
  });
  auto table = std::make_unique<TBlendTable>();
  MakeMixTable(*pal, *table);
  // Grey over the white at 5: the nearest is the old colour's own entry, so
  // the painted colour is written; the pixel never turns into entry 0.
  EXPECT_EQ(table->MixTable[5][9], 9);
  // White 5 over grey: white 5, not the equal white at 0.
  EXPECT_EQ(table->MixTable[9][5], 5);
  // Entry 0 is one of the pair: the same rule.
  EXPECT_EQ(table->MixTable[0][9], 9);
  EXPECT_EQ(table->MixTable[9][0], 0);
  // Two equal colours: the blend still changes the pixel to the painted one.
  EXPECT_EQ(table->MixTable[0][5], 5);
  EXPECT_EQ(table->MixTable[5][0], 0);
}

TEST(BlendTable, TiesOutsideThePairTakeTheLowestIndex) {
  // Mid grey at 3 and 7, black at 10, 30 and 40, white at 20; the rest dark
  // blues, far from all of them.
  const auto pal = Palette([](int i) -> TColor {
    if (i == 3 || i == 7) return Grey(128);
    if (i == 10 || i == 30 || i == 40) return clBlack;
    if (i == 20) return clWhite;
    return RGB(0, 0, static_cast<uint8_t>(50 + i % 100));
  });
  auto table = std::make_unique<TBlendTable>();
  MakeMixTable(*pal, *table);
  EXPECT_EQ(table->DarkIdx, 10);  // the lowest of the blacks
  EXPECT_EQ(table->LightIdx, 20);
  // Black and white: the mean grey is stored twice, neither one of the pair.
  EXPECT_EQ(table->MixTable[10][20], 3);
  EXPECT_EQ(table->MixTable[20][10], 3);
  // Black and black: the mean is black, and the pair's own entries come
  // before the lower black at 10.
  EXPECT_EQ(table->MixTable[30][40], 40);
  EXPECT_EQ(table->MixTable[40][30], 30);
}

TEST(BlendTable, MeanNearestToTheOldColourWritesThePaintedOne) {
  // Only two colours far apart, plus a mid grey: black + white -> grey.
  const auto pal = Palette([](int i) -> TColor {
    if (i == 0) return clBlack;
    if (i == 1) return clWhite;
    if (i == 2) return RGB(120, 120, 120);
    return RGB(255, 0, 0);  // the rest: red
  });
  auto table = std::make_unique<TBlendTable>();
  MakeMixTable(*pal, *table);
  EXPECT_EQ(table->MixTable[0][1], 2);
  EXPECT_EQ(table->MixTable[1][0], 2);
  // Grey and white: mean lightness ~0.735, nearest is white (1) -> painting
  // white over grey gives white, painting grey over white gives grey.
  EXPECT_EQ(table->MixTable[2][1], 1);
  EXPECT_EQ(table->MixTable[1][2], 2);
  // Two reds: the mean is red, as near to either of the pair as to the red
  // at 3; the painted colour is written.
  EXPECT_EQ(table->MixTable[10][20], 20);
  EXPECT_EQ(table->MixTable[20][10], 10);
  EXPECT_EQ(table->MixTable[3][4], 4);
  EXPECT_EQ(table->MixTable[4][3], 3);
}

TEST(BlendTable, MatchesABruteForceSearch) {
  // A scattered palette: every mix against a plain linear nearest search.
  const auto pal = Palette([](int i) -> TColor {
    const uint32_t v = static_cast<uint32_t>(i) * 2654435761u;
    return RGB(static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24));
  });
  auto table = std::make_unique<TBlendTable>();
  MakeMixTable(*pal, *table);
  for (int j = 0; j < 256; j += 7)
    for (int k = j + 1; k < 256; k += 5) {
      THSL a, b, m;
      ColorToHSL(pal->GetColors(j), a);
      ColorToHSL(pal->GetColors(k), b);
      MixHSL(a, b, m);
      const TColor c = HSLToColor(m);
      const auto distance = [&](int i) {
        const TColor e = pal->GetColors(i);
        const int dr = GetRValue(e) - GetRValue(c), dg = GetGValue(e) - GetGValue(c),
                  db = GetBValue(e) - GetBValue(c);
        return dr * dr + dg * dg + db * db;
      };
      int best = 0, bestD = 1 << 30;
      for (int i = 0; i < 256; ++i)
        if (distance(i) < bestD) bestD = distance(i), best = i;
      // Among equally near entries the pair's own come first.
      if (distance(j) == bestD) {
        best = j;
      } else if (distance(k) == bestD) {
        best = k;
      }
      EXPECT_EQ(table->MixTable[j][k], best == j ? k : best);
      EXPECT_EQ(table->MixTable[k][j], best == k ? j : best);
    }
}

}  // namespace
}  // namespace pixkura
