// Conversions between indexed depths and to 1 bit and the half-tones:
// palettes kept or chosen, the background colour of the 1-bit reductions, the
// nearest-colour mapping, and every routine's refusal of a wrong source.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "image/ConvertRoutines.h"
#include "image/IxDIB.h"
#include "image/IxDIBRLE.h"
#include "tests/image/ConvertTestSupport.h"

namespace pixkura {
namespace {

using test::ExpectThrowWithMessage;
using test::MakePicture;

std::vector<TColor> Distinct(int n) {
  std::vector<TColor> colors;
  for (int i = 0; i < n; ++i)
    colors.push_back(
        RGB(static_cast<uint8_t>(i * 37), static_cast<uint8_t>(i * 91), static_cast<uint8_t>(i * 53)));
  return colors;
}

int32_t SquaredDistance(TColor a, TColor b) {
  const int32_t dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b),
                db = GetBValue(a) - GetBValue(b);
  return dr * dr + dg * dg + db * db;
}

TEST(ConvertIndexed, FourBitToEightBitKeepsSixteenColoursAndIndices) {
  const std::vector<TColor> colors = Distinct(16);
  TIxDIB dib;
  MakePicture(dib, ixPf4Bit, 9, 4, false, colors, [](int32_t x, int32_t y) { return (x + 9 * y) % 16; });
  dib.SetPixelFormat(ixPf8Bit);
  ASSERT_EQ(dib.GetPaletteSize(), 16);
  for (int32_t i = 0; i < 16; ++i) EXPECT_EQ(dib.GetColors(i), colors[static_cast<size_t>(i)]);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 9; ++x) EXPECT_EQ(dib.GetPixels(x, y), (x + 9 * y) % 16);
}

TEST(ConvertIndexed, EightToFourBitPicksSixteenAndMapsToTheNearest) {
  // A grey ramp of 256 entries: more colours than 4 bits hold.
  std::vector<TColor> ramp;
  for (int i = 0; i < 256; ++i)
    ramp.push_back(RGB(static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i)));
  TIxDIB dib;
  MakePicture(dib, ixPf8Bit, 32, 8, true, ramp, [](int32_t x, int32_t y) { return x + 32 * y; });
  int running = 0;
  dib.OnProgress = [&running](TGraphic&, TProgressStage stage, uint8_t, bool, const TRect&,
                              const std::string& m) {
    EXPECT_EQ(m, "PixelFormat 8Bit -> 4Bit");
    running += stage == TProgressStage::psRunning;
  };
  dib.SetPixelFormat(ixPf4Bit);
  EXPECT_EQ(running, 15);  // 16 steps, the last at the maximum unreported
  ASSERT_EQ(dib.GetPaletteSize(), 16);
  std::vector<TColor> palette;
  for (int32_t k = 0; k < 16; ++k) palette.push_back(dib.GetColors(k));
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 32; ++x) {
      const TColor was = ramp[static_cast<size_t>(x + 32 * y)];
      const int32_t got = dib.GetPixels(x, y);
      for (const TColor other : palette)
        EXPECT_LE(SquaredDistance(was, palette[static_cast<size_t>(got)]), SquaredDistance(was, other));
    }
  EXPECT_LT(dib.InternalDIB().Header().biHeight, 0);
}

TEST(ConvertIndexed, OneBitKeepsOnlyTheBackgroundColour) {
  const std::vector<TColor> colors = {clRed, clWhite, RGB(1, 0, 0), clBlack};
  auto indexOf = [](int32_t x, int32_t y) { return (x + y) % 4; };
  for (const TIxPixelFormat from : {ixPf24Bit, ixPf8Bit, ixPf4Bit, ixPf8BitRLE, ixPf4BitRLE}) {
    TIxDIB dib;
    MakePicture(dib, from, 11, 3, false, colors, indexOf);
    dib.BkColor = clRed;
    dib.SetPixelFormat(ixPf1Bit);
    ASSERT_EQ(dib.GetPaletteSize(), 2);
    EXPECT_EQ(dib.GetColors(0), clBlack);
    EXPECT_EQ(dib.GetColors(1), clWhite);
    for (int32_t y = 0; y < 3; ++y)
      for (int32_t x = 0; x < 11; ++x)
        EXPECT_EQ(dib.GetPixels(x, y), indexOf(x, y) == 0 ? 1 : 0) << int(from);
  }
}

TEST(ConvertIndexed, OneBitResolvesASystemBackgroundColour) {
  const TColor face = ColorToRGB(clBtnFace);
  TIxDIB dib;
  MakePicture(dib, ixPf24Bit, 4, 1, false, {face, clWhite}, [](int32_t x, int32_t) { return x & 1; });
  dib.BkColor = clBtnFace;
  dib.SetPixelFormat(ixPf1Bit);
  EXPECT_EQ(dib.GetPixels(0, 0), 1);
  EXPECT_EQ(dib.GetPixels(1, 0), 0);
}

TEST(ConvertIndexed, HalftoneTakesTheNearestEntry) {
  std::mt19937 random(5);
  std::vector<TColor> colors;
  for (int i = 0; i < 64; ++i) colors.push_back(random() & 0xFFFFFF);
  for (const TIxPixelFormat from : {ixPf24Bit, ixPf8Bit}) {
    for (const TIxPixelFormat request : {ixPfHalftone, ixPfHalftoneBW}) {
      TIxDIB dib;
      MakePicture(dib, from, 8, 8, false, colors, [](int32_t x, int32_t y) { return x + 8 * y; });
      dib.SetPixelFormat(request);
      const TLogPalette& pal = request == ixPfHalftone ? *HalftonePalette() : *HalftonePaletteBW();
      for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x) {
          const TColor was = colors[static_cast<size_t>(x + 8 * y)];
          const int32_t got = dib.GetPixels(x, y);
          for (const TPaletteEntry& e : pal.entries)
            EXPECT_LE(SquaredDistance(was, dib.GetColors(got)),
                      SquaredDistance(was, RGB(e.peRed, e.peGreen, e.peBlue)));
        }
    }
  }
}

// Each routine with a source it does not convert, and its message.
struct TWrongSource {
  const char* message;
  TIxPixelFormat source;
  std::function<void(const TIxInternalDIB&)> run;
};

TEST(ConvertIndexed, EveryRoutineRefusesAWrongSource) {
  const TProgressStep none = [] {};
  const std::vector<TWrongSource> cases = {
      {"Convert1BitRGBTo4BitRGB: Invalid Bitcount & Compression Combination", ixPf4Bit,
       [](auto& s) { Convert1BitRGBTo4BitRGB(s); }},
      {"Convert1BitRGBTo8BitRGB: Invalid Bitcount & Compression Combination", ixPf8Bit,
       [](auto& s) { Convert1BitRGBTo8BitRGB(s); }},
      {"Convert4BitRGBTo8BitRGB: Invalid Bitcount & Compression Combination", ixPf4BitRLE,
       [](auto& s) { Convert4BitRGBTo8BitRGB(s); }},
      {"Convert1BitRGBToTrueColor: Invalid Bitcount & Compression Combination", ixPf24Bit,
       [](auto& s) { Convert1BitRGBToTrueColor(s); }},
      {"Convert4BitRGBToTrueColor: Invalid Bitcount & Compression Combination", ixPf8Bit,
       [](auto& s) { Convert4BitRGBToTrueColor(s); }},
      {"Convert8BitRGBToTrueColor: Invalid Bitcount & Compression Combination", ixPf8BitRLE,
       [](auto& s) { Convert8BitRGBToTrueColor(s); }},
      {"ConvertTrueColorTo8BitRGBLow: Invalid Bitcount", ixPf8Bit,
       [&](auto& s) { ConvertTrueColorTo8BitRGBLow(s, none); }},
      {"ConvertTrueColorTo4BitRGBLow: Invalid Bitcount", ixPf4Bit,
       [&](auto& s) { ConvertTrueColorTo4BitRGBLow(s, none); }},
      {"ConvertTrueColorTo8BitRGBHigh: Invalid Bitcount", ixPf1Bit,
       [&](auto& s) { ConvertTrueColorTo8BitRGBHigh(s, none); }},
      {"ConvertTrueColorTo4BitRGBHigh: Invalid Bitcount", ixPf8Bit,
       [&](auto& s) { ConvertTrueColorTo4BitRGBHigh(s, none); }},
      {"Convert8BitRGBTo4BitRGB: Invalid Bitcount or Compression", ixPf8BitRLE,
       [&](auto& s) { Convert8BitRGBTo4BitRGB(s, none); }},
      {"ConvertTrueColorTo1BitRGB: Invalid Bitcount", ixPf8Bit,
       [](auto& s) { ConvertTrueColorTo1BitRGB(s, clWhite); }},
      {"Convert8BitTo1BitRGB: Invalid Bitcount or Compression", ixPf4Bit,
       [](auto& s) { Convert8BitTo1BitRGB(s, clWhite); }},
      {"Convert4BitRGBTo1BitRGB: Invalid Bitcount", ixPf8Bit,
       [](auto& s) { Convert4BitRGBTo1BitRGB(s, clWhite); }},
      {"Convert8BitRGBTo8BitRLE: Invalid Bitcount & Compression Combination", ixPf8BitRLE,
       [](auto& s) { Convert8BitRGBTo8BitRLE(s); }},
      {"Convert4BitRGBTo4BitRLE: Invalid Bitcount & Compression Combination", ixPf8Bit,
       [](auto& s) { Convert4BitRGBTo4BitRLE(s); }},
      {"ConvertToHalfTone: Invalid DIB Format", ixPf8BitRLE, [](auto& s) { ConvertToHalfTone(s); }},
      {"ConvertToHalfToneBW: Invalid DIB Format", ixPf4BitRLE, [](auto& s) { ConvertToHalfToneBW(s); }},
  };
  for (const TWrongSource& c : cases) {
    TIxDIB dib;
    MakePicture(dib, c.source, 5, 2, false, {clBlack, clWhite}, [](int32_t x, int32_t) { return x & 1; });
    ExpectThrowWithMessage<EIxDIBBadDIBType>([&] { c.run(dib.InternalDIB()); }, c.message);
  }
}

TEST(ConvertIndexed, HalftoneRefusesAnUnknownBitCount) {
  TIxDIB dib;
  TIxInternalDIB& d = dib.MutableInternalDIB();
  d.Header().biBitCount = 16;
  ExpectThrowWithMessage<EIxDIBBadDIBType>([&] { ConvertToHalfTone(d); },
                                           "ConvertToHalfTone: Invalid Bit Count");
  ExpectThrowWithMessage<EIxDIBBadDIBType>([&] { ConvertToHalfToneBW(d); },
                                           "ConvertToHalfToneBW: Invalid Bit Count");
}

TEST(ConvertIndexed, StorageShorterThanItsRowsIsRefusedNotRead) {
  // A reader may hand over pixel memory that holds fewer rows than the header
  // claims; converting it must not read past the block.
  for (const TIxPixelFormat from : {ixPf1Bit, ixPf4Bit, ixPf8Bit, ixPf24Bit}) {
    TIxDIB dib;
    MakePicture(dib, from, 8, 8, false, {clBlack, clWhite}, [](int32_t x, int32_t) { return x & 1; });
    TIxInternalDIB& d = dib.MutableInternalDIB();
    d.BitsSize = static_cast<uint32_t>(d.RowSize()) * 7;
    for (const TIxPixelFormat to : {ixPf1Bit, ixPf8Bit, ixPf24Bit, ixPf4BitRLE, ixPfHalftone}) {
      if (to == from) continue;
      EXPECT_THROW(dib.SetPixelFormat(to), EIxDIBBadDIBType) << int(from) << " -> " << int(to);
      EXPECT_EQ(dib.GetPixelFormat(), from);
    }
  }
}

}  // namespace
}  // namespace pixkura
