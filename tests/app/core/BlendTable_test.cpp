// The blend table. The expected mean colours are worked out here from the
// colour model itself (by hand for chosen pairs, and by a separate HSL
// model for whole palettes), never with the HSL helpers the table is built
// from, so a fault in those helpers shows.
#include "app/core/document/BlendTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

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

std::unique_ptr<TBlendTable> TableOf(const TIxDIB& palette) {
  auto table = std::make_unique<TBlendTable>();
  MakeMixTable(palette, *table);
  return table;
}

TColor Grey(int i) { return RGB(static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i)); }

// Colours spread over the whole cube, none repeated.
TColor Scattered(int i) {
  const uint32_t v = static_cast<uint32_t>(i) * 2654435761u;
  return RGB(static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24));
}

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
  const auto table = TableOf(*Palette(Grey));
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
  const auto table = TableOf(*pal);
  EXPECT_EQ(table->DarkIdx, 2);
  EXPECT_EQ(table->LightIdx, 3);

  // Colours of equal luminance: the lowest index of the equals, even where
  // its 24-bit value is the larger one.
  const auto ties = Palette([](int i) -> TColor {
    if (i == 0) return RGB(255, 0, 0);
    if (i == 3) return RGB(1, 0, 157);  // 0.299 + 17.898 = 18.197
    if (i == 7) return RGB(0, 31, 0);   // 18.197
    if (i == 10) return RGB(254, 255, 98);
    if (i == 20) return RGB(255, 224, 255);  // both 236.803
    if (i == 30) return RGB(64, 64, 64);
    return RGB(100, 100, 100);
  });
  const auto tied = TableOf(*ties);
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
  const auto table = TableOf(*pal);
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
  const auto table = TableOf(*pal);
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
  const auto table = TableOf(*pal);
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
}

// Pairs whose means were worked out by hand from the colour model, each
// mean stored exactly in the palette.
struct THandMean {
  TColor A, B, Mean;
  const char* Why;
};
constexpr THandMean kHandMeans[] = {
    {RGB(255, 0, 51), RGB(255, 51, 0), RGB(255, 0, 0), "hues 348 and 12 meet at 0 (360), not at 180"},
    {RGB(255, 0, 0), RGB(0, 0, 255), RGB(255, 0, 255), "hues 0 and 240 meet at 300 across 0"},
    {RGB(0, 255, 0), RGB(0, 0, 255), RGB(0, 255, 255), "hues 120 and 240 meet at 180"},
    {RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0), "hues 0 and 120 meet at 60"},
    {RGB(255, 0, 0), RGB(0, 255, 255), RGB(128, 0, 255), "opposite hues 0 and 180 meet at 270, through 0"},
    {RGB(51, 102, 153), RGB(204, 153, 102), RGB(191, 64, 191), "opposite hues 210 and 30 meet at 300"},
    {RGB(255, 255, 255), RGB(255, 0, 0), RGB(223, 159, 159), "white: lightness 0.75, saturation 0.5"},
    {RGB(128, 128, 128), RGB(0, 0, 255), RGB(64, 64, 191), "a grey takes the colour's hue 240"},
    {RGB(0, 0, 0), RGB(255, 0, 0), RGB(96, 32, 32), "black: lightness 0.25, saturation 0.5"},
};

TEST(BlendTable, MeansOfChosenPairsAsWorkedOutByHand) {
  static std::vector<TColor> entries;
  entries.clear();
  for (const THandMean& m : kHandMeans)
    for (TColor c : {m.A, m.B, m.Mean})
      if (std::find(entries.begin(), entries.end(), c) == entries.end()) entries.push_back(c);
  const auto pal =
      Palette([](int i) { return i < static_cast<int>(entries.size()) ? entries[i] : Scattered(i); });
  const auto table = TableOf(*pal);
  const auto indexOf = [](TColor c) {
    return static_cast<int>(std::find(entries.begin(), entries.end(), c) - entries.begin());
  };
  for (const THandMean& m : kHandMeans) {
    const int a = indexOf(m.A), b = indexOf(m.B), mean = indexOf(m.Mean);
    EXPECT_EQ(table->MixTable[a][b], mean) << m.Why;
    EXPECT_EQ(table->MixTable[b][a], mean) << m.Why;
  }
}

// A second HSL model, written from the colour model's definition in its
// chroma form: lightness is the mid-range, chroma C = max - min, saturation
// C / (1 - |2L - 1|), hue 60 degrees per sixth of the colour hexagon.
struct TModelHSL {
  double H, S, L;
};

TModelHSL ModelOf(TColor c) {
  const double r = GetRValue(c) / 255.0, g = GetGValue(c) / 255.0, b = GetBValue(c) / 255.0;
  const double hi = std::max({r, g, b}), lo = std::min({r, g, b});
  const double chroma = hi - lo, l = (hi + lo) / 2;
  if (chroma == 0) return {0, 0, l};
  double sixth = 0;
  if (hi == r) {
    sixth = std::fmod((g - b) / chroma + 6, 6);
  } else if (hi == g) {
    sixth = (b - r) / chroma + 2;
  } else {
    sixth = (r - g) / chroma + 4;
  }
  return {60 * sixth, chroma / (1 - std::fabs(2 * l - 1)), l};
}

// The mean: saturation and lightness averaged; the hue halfway along the
// shorter arc between the two hues (for opposite hues, the arc through 0);
// a grey has no hue and takes the other colour's.
TModelHSL ModelMean(const TModelHSL& a, const TModelHSL& b) {
  double h = 0;
  if (a.S == 0 || b.S == 0) {
    h = a.S == 0 ? b.H : a.H;
  } else {
    const double from = std::min(a.H, b.H), to = std::max(a.H, b.H);
    h = to - from < 180 ? (from + to) / 2 : std::fmod((from + to) / 2 + 180, 360);
  }
  return {h, (a.S + b.S) / 2, (a.L + b.L) / 2};
}

// Channel values before rounding.
std::array<double, 3> ModelChannels(const TModelHSL& c) {
  const double chroma = (1 - std::fabs(2 * c.L - 1)) * c.S;
  const double sixth = std::fmod(c.H, 360) / 60;
  const double second = chroma * (1 - std::fabs(std::fmod(sixth, 2) - 1));
  const double m = c.L - chroma / 2;
  // Per sixth of the hexagon, the part each of red, green and blue takes:
  // the chroma (0), the second component (1) or nothing (2).
  constexpr int kTakes[6][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}, {2, 1, 0}, {1, 2, 0}, {0, 2, 1}};
  const double parts[3] = {chroma, second, 0};
  std::array<double, 3> rgb{};
  for (int c = 0; c < 3; ++c) rgb[c] = parts[kTakes[static_cast<int>(sixth)][c]];
  for (double& v : rgb) v = 255 * (v + m);
  return rgb;
}

int SquaredDistance(TColor a, TColor b) {
  const int dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b),
            db = GetBValue(a) - GetBValue(b);
  return dr * dr + dg * dg + db * db;
}

// Every pair of a palette against the model: the mean rounded half to even,
// the nearest entry by squared distance, the pair's own entries first among
// equally near ones, then the lowest index. Pairs whose model mean lies
// within rounding noise of a half (or whose hues are within noise of
// opposite) could round either way in floating point and are left out; they
// must be few (under 2 %).
void ExpectMeansOfEveryPair(TColor (*entry)(int)) {
  const auto pal = Palette(entry);
  const auto table = TableOf(*pal);
  int checked = 0, skipped = 0;
  for (int j = 0; j < 256; ++j)
    for (int k = j + 1; k < 256; ++k) {
      const TModelHSL a = ModelOf(entry(j)), b = ModelOf(entry(k));
      const std::array<double, 3> channels = ModelChannels(ModelMean(a, b));
      const bool nearHalf = std::any_of(channels.begin(), channels.end(),
                                        [](double v) { return std::fabs(v - std::floor(v) - 0.5) < 1e-7; });
      const bool nearOpposite = a.S != 0 && b.S != 0 && std::fabs(std::fabs(a.H - b.H) - 180) < 1e-7;
      if (nearHalf || nearOpposite) {
        ++skipped;
        continue;
      }
      std::array<uint8_t, 3> rounded{};
      for (int c = 0; c < 3; ++c) rounded[c] = static_cast<uint8_t>(std::nearbyint(channels[c]));
      const TColor mean = RGB(rounded[0], rounded[1], rounded[2]);
      int least = 1 << 30, lowest = 0;
      for (int i = 0; i < 256; ++i)
        if (SquaredDistance(mean, entry(i)) < least) least = SquaredDistance(mean, entry(i)), lowest = i;
      int n = lowest;
      if (SquaredDistance(mean, entry(j)) == least) {
        n = j;
      } else if (SquaredDistance(mean, entry(k)) == least) {
        n = k;
      }
      ASSERT_EQ(table->MixTable[j][k], n == j ? k : n) << j << "," << k;
      ASSERT_EQ(table->MixTable[k][j], n == k ? j : n) << j << "," << k;
      ++checked;
    }
  EXPECT_LT(skipped, checked / 50) << "too few pairs checked";
}

TEST(BlendTable, EveryPairOfAScatteredPaletteMatchesTheModel) { ExpectMeansOfEveryPair(Scattered); }

TEST(BlendTable, EveryPairOfARepeatingPaletteMatchesTheModel) {
  // 40 colours, each stored six or seven times: ties galore.
  ExpectMeansOfEveryPair([](int i) { return Scattered(i % 40); });
}

}  // namespace
}  // namespace pixkura
