// The colour reductions of 24-bit pictures ("Low" on the 5-6-5 histogram,
// "High" on the pixels), the palette they choose, their progress and the
// palette-only CreateTrueColorPalette.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "image/ConvertRoutines.h"
#include "image/IxDIB.h"
#include "tests/image/ConvertTestSupport.h"

namespace pixkura {
namespace {

using test::ExpectThrowWithMessage;
using test::MakePicture;

// A 24-bit picture of the given colours, pixel (x, y) showing colors[f(x, y)].
void Make24(TIxDIB& dib, int32_t w, int32_t h, const std::vector<TColor>& colors,
            const std::function<int(int32_t, int32_t)>& f, bool topDown = false) {
  MakePicture(dib, ixPf24Bit, w, h, topDown, colors, f);
}

struct TProgressLog {
  int starting = 0, running = 0, ending = 0;
  std::vector<int> percents;
  std::set<std::string> messages;
};
void Watch(TIxDIB& dib, TProgressLog& log) {
  dib.OnProgress = [&log](TGraphic&, TProgressStage stage, uint8_t percent, bool, const TRect&,
                          const std::string& msg) {
    log.messages.insert(msg);
    if (stage == TProgressStage::psStarting) ++log.starting;
    if (stage == TProgressStage::psRunning) ++log.running, log.percents.push_back(percent);
    if (stage == TProgressStage::psEnding) ++log.ending;
  };
}

// Calls a routine with a step that counts.
int StepsOf(const std::function<void(const TProgressStep&)>& routine) {
  int steps = 0;
  routine([&steps] { ++steps; });
  return steps;
}

TEST(ConvertReduceLow, OneColourGivesOneExactEntry) {
  TIxDIB dib;
  Make24(dib, 7, 3, {RGB(201, 77, 13)}, [](int32_t, int32_t) { return 0; });
  dib.SetPixelFormat(ixPf8Bit);
  EXPECT_EQ(dib.GetPixelFormat(), ixPf8Bit);
  ASSERT_EQ(dib.GetPaletteSize(), 1);
  EXPECT_EQ(dib.GetColors(0), RGB(201, 77, 13));
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 7; ++x) EXPECT_EQ(dib.GetPixels(x, y), 0);
}

TEST(ConvertReduceLow, WhiteAboveTheMeanTakesIndexZero) {
  for (const TIxPixelFormat target : {ixPf8Bit, ixPf4Bit}) {
    TIxDIB dib;
    Make24(dib, 5, 4, {clBlack, clWhite}, [](int32_t x, int32_t y) { return (x + y) & 1; });
    dib.SetPixelFormat(target);
    ASSERT_EQ(dib.GetPaletteSize(), 2);
    EXPECT_EQ(dib.GetColors(0), clWhite);
    EXPECT_EQ(dib.GetColors(1), clBlack);
    EXPECT_EQ(dib.GetPixels(0, 0), 1);
    EXPECT_EQ(dib.GetPixels(1, 0), 0);
  }
}

TEST(ConvertReduceLow, LowBitsOfOneCellMergeIntoTheirTruncatedMean) {
  // Red 201 and 206 share the 5-bit class 25; three pixels of the first, one
  // of the second: low bits (3 x 1 + 6) div 4 = 2, so red 202.
  TIxDIB dib;
  Make24(dib, 4, 1, {RGB(201, 50, 60), RGB(206, 50, 60)}, [](int32_t x, int32_t) { return x == 3 ? 1 : 0; });
  dib.SetPixelFormat(ixPf8Bit);
  ASSERT_EQ(dib.GetPaletteSize(), 1);
  EXPECT_EQ(dib.GetColors(0), RGB(202, 50, 60));
}

TEST(ConvertReduceLow, ProgressIsReportedForEveryLeaf) {
  TIxDIB dib;
  Make24(dib, 9, 9, {clBlack, clWhite, clRed, RGB(10, 200, 30)},
         [](int32_t x, int32_t y) { return (x * y) % 4; });
  TProgressLog log;
  Watch(dib, log);
  dib.SetPixelFormat(ixPf8Bit);
  EXPECT_EQ(log.starting, 1);
  EXPECT_EQ(log.ending, 1);
  // 256 steps; the last one, at the maximum, is not reported.
  ASSERT_EQ(log.running, 255);
  for (int k = 1; k <= 255; ++k) EXPECT_EQ(log.percents[static_cast<size_t>(k - 1)], k * 100 / 256);
  EXPECT_EQ(log.messages, std::set<std::string>{"PixelFormat 24Bit -> 8Bit"});

  TIxDIB again;
  Make24(again, 9, 9, {clBlack, clWhite, clRed, RGB(10, 200, 30)},
         [](int32_t x, int32_t y) { return (x * y) % 4; });
  const TIxInternalDIB& src = again.InternalDIB();
  EXPECT_EQ(StepsOf([&](const TProgressStep& s) { ConvertTrueColorTo8BitRGBLow(src, s); }), 256);
  EXPECT_EQ(StepsOf([&](const TProgressStep& s) { ConvertTrueColorTo4BitRGBLow(src, s); }), 16);
  EXPECT_EQ(StepsOf([&](const TProgressStep& s) { ConvertTrueColorTo8BitRGBHigh(src, s); }), 256);
  EXPECT_EQ(StepsOf([&](const TProgressStep& s) { ConvertTrueColorTo4BitRGBHigh(src, s); }), 16);
}

TEST(ConvertReduceLow, EightBitToEightBitDoesNothing) {
  TIxDIB dib;
  MakePicture(dib, ixPf8Bit, 4, 4, false, {clRed, clWhite}, [](int32_t x, int32_t) { return x & 1; });
  const TIxInternalDIB* before = &dib.InternalDIB();
  TProgressLog log;
  Watch(dib, log);
  int changes = 0;
  dib.OnChange = [&changes](TGraphic&) { ++changes; };
  dib.SetPixelFormat(ixPf8Bit);
  EXPECT_EQ(log.starting + log.running + log.ending, 0);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(&dib.InternalDIB(), before);
}

TEST(ConvertReduceLow, ARoundTripThroughTrueColourBuildsANewPaletteOrder) {
  TIxDIB dib;
  MakePicture(dib, ixPf8Bit, 6, 2, false, {clBlack, clWhite}, [](int32_t x, int32_t) { return x % 2; });
  dib.SetPixelFormat(ixPf24Bit);
  dib.SetPixelFormat(ixPf8Bit);
  ASSERT_EQ(dib.GetPaletteSize(), 2);
  EXPECT_EQ(dib.GetColors(0), clWhite);  // it was black
  EXPECT_EQ(dib.GetColors(1), clBlack);
  for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(dib.GetColors(dib.GetPixels(x, 1)), x % 2 ? clWhite : clBlack);
}

TEST(ConvertReduceLow, UnknownConvertModeFailsAndKeepsThePicture) {
  for (const TIxPixelFormat target : {ixPf8Bit, ixPf8BitRLE, ixPf4Bit, ixPf4BitRLE}) {
    TIxDIB dib;
    Make24(dib, 3, 3, {clRed, clWhite}, [](int32_t x, int32_t) { return x & 1; });
    dib.ConvertMode = 2;
    TProgressLog log;
    Watch(dib, log);
    ExpectThrowWithMessage<EIxDIBAssert>([&] { dib.SetPixelFormat(target); },
                                         "TIxIntenalDIB.SetPixelsFormat: PixelFormat Error");
    EXPECT_EQ(dib.GetPixelFormat(), ixPf24Bit);
    EXPECT_EQ(dib.GetPixels(0, 0), static_cast<int32_t>(clRed));
    EXPECT_EQ(log.ending, 1);  // the progress run is finished also on failure
  }
  // ConvertMode plays no part outside the reductions.
  TIxDIB dib;
  Make24(dib, 3, 3, {clRed, clWhite}, [](int32_t x, int32_t) { return x & 1; });
  dib.ConvertMode = 2;
  dib.SetPixelFormat(ixPf1Bit);
  EXPECT_EQ(dib.GetPixels(1, 0), 1);
}

// Pixels with their 5-6-5 cell colour (the truncated mean of the cell's pixels).
std::map<uint32_t, std::array<uint64_t, 4>> CellSums(const TIxDIB& dib) {
  std::map<uint32_t, std::array<uint64_t, 4>> cells;
  for (int32_t y = 0; y < dib.GetHeight(); ++y)
    for (int32_t x = 0; x < dib.GetWidth(); ++x) {
      const auto c = static_cast<TColor>(dib.GetPixels(x, y));
      const uint32_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
      auto& s = cells[(r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)];
      s[0] += r & 7, s[1] += g & 3, s[2] += b & 7, s[3] += 1;
    }
  return cells;
}

// Every palette entry is the rounded weighted mean of the cell colours of the
// pixels mapped to it, and pixels of one cell share one entry. Returns how
// many leaf means were exactly halfway (rounded to the even neighbour).
int CheckLeafMeans(const TIxDIB& source, const TIxDIB& reduced) {
  std::map<uint32_t, int32_t> indexOfCell;
  std::map<int32_t, std::array<uint64_t, 4>> leaf;  // weighted sums of cell colours, weight
  const auto cells = CellSums(source);
  for (int32_t y = 0; y < source.GetHeight(); ++y)
    for (int32_t x = 0; x < source.GetWidth(); ++x) {
      const auto c = static_cast<TColor>(source.GetPixels(x, y));
      const uint32_t cell = (uint32_t{GetRValue(c)} >> 3) << 11 | (uint32_t{GetGValue(c)} >> 2) << 5 |
                            (uint32_t{GetBValue(c)} >> 3);
      const int32_t index = reduced.GetPixels(x, y);
      const auto [it, fresh] = indexOfCell.emplace(cell, index);
      EXPECT_EQ(it->second, index) << "one cell, two entries";
      if (!fresh) continue;
      const auto& s = cells.at(cell);
      const uint64_t base[3] = {(cell >> 11) * 8, ((cell >> 5) & 63) * 4, (cell & 31) * 8};
      auto& l = leaf[index];
      for (int k = 0; k < 3; ++k)
        l[static_cast<size_t>(k)] += s[3] * (base[k] + s[static_cast<size_t>(k)] / s[3]);
      l[3] += s[3];
    }
  int halves = 0;
  for (const auto& [index, l] : leaf) {
    uint8_t mean[3];
    for (int k = 0; k < 3; ++k) {
      const long double m =
          static_cast<long double>(l[static_cast<size_t>(k)]) / static_cast<long double>(l[3]);
      if (m - std::floor(m) == 0.5L) ++halves;
      mean[k] = static_cast<uint8_t>(std::nearbyint(m));
    }
    EXPECT_EQ(reduced.GetColors(index), RGB(mean[0], mean[1], mean[2])) << "entry " << index;
  }
  return halves;
}

TEST(ConvertReduceLow, EntriesAreRoundedMeansOfTheirCells) {
  std::mt19937 random(7);
  std::vector<TColor> colors;
  for (int i = 0; i < 600; ++i) colors.push_back(random() & 0xFFFFFF);
  TIxDIB source;
  Make24(source, 61, 37, colors, [&](int32_t, int32_t) { return static_cast<int>(random() % 600); });
  int halves = 0;
  for (const TIxPixelFormat target : {ixPf8Bit, ixPf4Bit}) {
    TIxDIB reduced;
    reduced.Assign(&source);
    reduced.SetPixelFormat(target);
    EXPECT_EQ(reduced.GetPaletteSize(), target == ixPf8Bit ? 256 : 16);
    halves += CheckLeafMeans(source, reduced);
  }
  EXPECT_GT(halves, 0) << "no halfway mean: rounding to even not exercised";
}

TEST(ConvertReduceHigh, KeepsColoursTheHistogramMerges) {
  TIxDIB dib;
  Make24(
      dib, 4, 3, {RGB(201, 50, 60), RGB(206, 50, 60)}, [](int32_t x, int32_t) { return x == 3 ? 1 : 0; },
      true);
  dib.ConvertMode = 1;
  dib.SetPixelFormat(ixPf8Bit);
  ASSERT_EQ(dib.GetPaletteSize(), 2);
  EXPECT_EQ(dib.GetColors(0), RGB(206, 50, 60));  // above the mean: the first entry
  EXPECT_EQ(dib.GetColors(1), RGB(201, 50, 60));
  EXPECT_EQ(dib.GetPixels(3, 2), 0);
  EXPECT_EQ(dib.GetPixels(0, 2), 1);
  EXPECT_LT(dib.InternalDIB().Header().biHeight, 0);
}

TEST(ConvertReduceHigh, EveryPixelTakesItsLeafWhoseColourIsItsMean) {
  std::mt19937 random(11);
  std::vector<TColor> colors;
  for (int i = 0; i < 40; ++i) colors.push_back(random() & 0xFFFFFF);
  TIxDIB source;
  Make24(source, 23, 19, colors, [&](int32_t, int32_t) { return static_cast<int>(random() % 40); });
  for (const TIxPixelFormat target : {ixPf8Bit, ixPf4Bit}) {
    TIxDIB reduced;
    reduced.Assign(&source);
    reduced.ConvertMode = 1;
    reduced.SetPixelFormat(target);
    // Means of the pixels each entry got.
    std::map<int32_t, std::array<uint64_t, 4>> sums;
    std::map<TColor, int32_t> entryOf;
    for (int32_t y = 0; y < 19; ++y)
      for (int32_t x = 0; x < 23; ++x) {
        const auto c = static_cast<TColor>(source.GetPixels(x, y));
        const int32_t index = reduced.GetPixels(x, y);
        EXPECT_EQ(entryOf.emplace(c, index).first->second, index) << "one colour, two entries";
        auto& s = sums[index];
        s[0] += GetRValue(c), s[1] += GetGValue(c), s[2] += GetBValue(c), s[3] += 1;
      }
    for (const auto& [index, sum] : sums) {
      const auto& s = sum;
      auto mean = [&s](size_t k) {
        return static_cast<uint8_t>(
            std::nearbyint(static_cast<long double>(s[k]) / static_cast<long double>(s[3])));
      };
      EXPECT_EQ(reduced.GetColors(index), RGB(mean(0), mean(1), mean(2)));
    }
    // 40 colours fit 256 leaves one each, but not 16.
    if (target == ixPf8Bit) {
      EXPECT_EQ(reduced.GetPaletteSize(), 40);
    } else {
      EXPECT_EQ(reduced.GetPaletteSize(), 16);
    }
  }
}

TEST(CreateTrueColorPalette, BuildsTheReductionsPaletteAndKeepsThePixels) {
  std::mt19937 random(3);
  std::vector<TColor> colors;
  for (int i = 0; i < 300; ++i) colors.push_back(random() & 0xFFFFFF);
  TIxDIB source;
  Make24(source, 33, 21, colors, [&](int32_t, int32_t) { return static_cast<int>(random() % 300); });
  for (const uint8_t mode : {0, 1}) {
    TIxDIB reduced, palette;
    reduced.Assign(&source);
    reduced.ConvertMode = mode;
    reduced.SetPixelFormat(ixPf8Bit);
    palette.Assign(&source);
    palette.ConvertMode = mode;
    TProgressLog log;
    Watch(palette, log);
    palette.CreateTrueColorPalette();
    EXPECT_EQ(palette.GetPixelFormat(), ixPf24Bit);
    EXPECT_EQ(palette.GetPixels(5, 5), source.GetPixels(5, 5));
    ASSERT_EQ(palette.GetPaletteSize(), reduced.GetPaletteSize());
    for (int32_t k = 0; k < reduced.GetPaletteSize(); ++k)
      EXPECT_EQ(palette.GetColors(k), reduced.GetColors(k));
    EXPECT_EQ(log.running, 255);
    EXPECT_EQ(log.messages, std::set<std::string>{"Create True Color Palette"});
  }
  TIxDIB none;
  none.Assign(&source);
  none.ConvertMode = 2;
  none.CreateTrueColorPalette();
  EXPECT_EQ(none.GetPaletteSize(), 0);

  TIxDIB indexed;
  ExpectThrowWithMessage<EIxDIBBadDIBType>([&] { indexed.CreateTrueColorPalette(); },
                                           "TIxInternalDIB.CreateTrueColorPalette: Bad DIB Type");
}

}  // namespace
}  // namespace pixkura
