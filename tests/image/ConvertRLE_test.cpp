// The RLE8 and RLE4 encoders: what they write decodes back to the same pixels
// through the decoders, for every width parity, both row orders and pictures
// of runs, literals and mixtures; runs compress.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "image/IxDIB.h"
#include "image/IxDIBRLE.h"
#include "tests/image/ConvertTestSupport.h"

namespace pixkura {
namespace {

using test::MakePicture;

std::vector<TColor> Palette(int n) {
  std::vector<TColor> colors;
  for (int i = 0; i < n; ++i)
    colors.push_back(RGB(static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7));
  return colors;
}

// Picture content: long runs, short runs, noise and alternating pairs in one row.
int Mixed(std::mt19937& random, int32_t x, int32_t y, int colours) {
  const int32_t segment = (x / 11 + y) % 4;
  if (segment == 0) return (y * 5) % colours;                                            // a run
  if (segment == 1) return static_cast<int>(random() % static_cast<unsigned>(colours));  // noise
  if (segment == 2) return (x & 1) ? 3 % colours : 9 % colours;                          // alternating pair
  return (x / 2) % colours;                                                              // runs of two
}

void ExpectRoundTrip(TIxPixelFormat rle, int32_t w, int32_t h, bool topDown, uint32_t seed) {
  const bool eight = rle == ixPf8BitRLE;
  const int colours = eight ? 256 : 16;
  std::mt19937 random(seed);
  std::vector<int> pixels(static_cast<size_t>(w * h));
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) pixels[static_cast<size_t>(x + w * y)] = Mixed(random, x, y, colours);
  TIxDIB dib;
  MakePicture(dib, eight ? ixPf8Bit : ixPf4Bit, w, h, topDown, Palette(colours),
              [&](int32_t x, int32_t y) { return pixels[static_cast<size_t>(x + w * y)]; });
  dib.SetPixelFormat(rle);

  const TIxInternalDIB& d = dib.InternalDIB();
  ASSERT_EQ(dib.GetPixelFormat(), rle);
  EXPECT_EQ(d.Header().biSizeImage, d.BitsSize);
  EXPECT_EQ(d.Header().biHeight, topDown ? -h : h);
  EXPECT_EQ(dib.GetPaletteSize(), colours);
  ASSERT_GE(d.BitsSize, 2u);
  EXPECT_EQ(d.Data()[d.BitsSize - 2], 0);  // ends with the end-of-picture code
  EXPECT_EQ(d.Data()[d.BitsSize - 1], 1);

  dib.SetPixelFormat(eight ? ixPf8Bit : ixPf4Bit);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      ASSERT_EQ(dib.GetPixels(x, y), pixels[static_cast<size_t>(x + w * y)])
          << "w " << w << " at " << x << ", " << y << (topDown ? " top-down" : "");
}

TEST(ConvertRLE, RoundTripsEveryWidthParity) {
  for (const TIxPixelFormat rle : {ixPf8BitRLE, ixPf4BitRLE})
    for (int32_t w = 1; w <= 12; ++w)
      for (const bool topDown : {false, true}) ExpectRoundTrip(rle, w, 5, topDown, static_cast<uint32_t>(w));
}

TEST(ConvertRLE, RoundTripsRowsLongerThanOneCount) {
  // Runs and literal stretches longer than 255 pixels must be cut.
  for (const TIxPixelFormat rle : {ixPf8BitRLE, ixPf4BitRLE})
    for (const int32_t w : {255, 256, 257, 511, 600, 1023}) ExpectRoundTrip(rle, w, 4, false, 99);
}

TEST(ConvertRLE, RoundTripsNoise) {
  for (const TIxPixelFormat rle : {ixPf8BitRLE, ixPf4BitRLE}) {
    const int colours = rle == ixPf8BitRLE ? 256 : 16;
    std::mt19937 random(17);
    TIxDIB dib, copy;
    MakePicture(
        dib, rle == ixPf8BitRLE ? ixPf8Bit : ixPf4Bit, 301, 7, false, Palette(colours),
        [&](int32_t, int32_t) { return static_cast<int>(random() % 3 == 0 ? 0 : random() % colours); });
    copy.Assign(&dib);
    copy.SetPixelFormat(rle);
    copy.SetPixelFormat(rle == ixPf8BitRLE ? ixPf8Bit : ixPf4Bit);
    for (int32_t y = 0; y < 7; ++y)
      for (int32_t x = 0; x < 301; ++x) ASSERT_EQ(copy.GetPixels(x, y), dib.GetPixels(x, y));
  }
}

TEST(ConvertRLE, RunsCompress) {
  // One colour per row: a run of 255 and one of 145 pixels, then the end of
  // the line: 6 bytes a row (the last row ends the picture instead).
  for (const TIxPixelFormat rle : {ixPf8BitRLE, ixPf4BitRLE}) {
    TIxDIB dib;
    MakePicture(dib, rle == ixPf8BitRLE ? ixPf8Bit : ixPf4Bit, 400, 10, false, Palette(16),
                [](int32_t, int32_t y) { return y; });
    dib.SetPixelFormat(rle);
    EXPECT_EQ(dib.InternalDIB().BitsSize, 60u);
  }
  // Alternating pixels are one run in RLE4.
  TIxDIB dib;
  MakePicture(dib, ixPf4Bit, 200, 1, false, Palette(16), [](int32_t x, int32_t) { return x & 1 ? 5 : 10; });
  dib.SetPixelFormat(ixPf4BitRLE);
  EXPECT_EQ(dib.InternalDIB().BitsSize, 4u);
  EXPECT_EQ(dib.InternalDIB().Data()[0], 200);
  EXPECT_EQ(dib.InternalDIB().Data()[1], 0xA5);
}

TEST(ConvertRLE, EncodedFilesSurviveThroughTheRoutesToTrueColour) {
  TIxDIB dib;
  MakePicture(dib, ixPf8Bit, 9, 3, true, Palette(256), [](int32_t x, int32_t y) { return x * 20 + y; });
  dib.SetPixelFormat(ixPf8BitRLE);
  dib.SetPixelFormat(ixPf24Bit);
  EXPECT_EQ(dib.GetPixels(4, 2), static_cast<int32_t>(Palette(256)[82]));
  EXPECT_LT(dib.InternalDIB().Header().biHeight, 0);
}

}  // namespace
}  // namespace pixkura
