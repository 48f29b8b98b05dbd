// The loupe's magnification writes exactly the pixels of the scaled copy.
#include "app/core/view/LoupeMagnify.h"

#include <gtest/gtest.h>

#include <random>

#include "image/DIB256.h"

namespace pixkura {
namespace {

void Fill(TIxDIB& dib, int32_t w, int32_t h, uint32_t seed) {
  dib.SetWidth(w);
  dib.SetHeight(h);
  dib.SetBitCount(8);
  dib.SetPaletteSize(256);
  std::mt19937 random(seed);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) dib.SetPixels(x, y, static_cast<int32_t>(random() % 256));
}

TEST(LoupeMagnify, MatchesTheScaledCopyForEveryZoomAndClipping) {
  TIxDIB sheet;
  Fill(sheet, 256, 256, 1);
  struct Block {
    int32_t x1, y1, w, h;
  };
  for (int32_t shift = 0; shift <= 7; ++shift) {
    const int32_t span = 256 >> shift;
    for (const Block b : {Block{0, 0, span, span}, Block{37, 200, span / 2 + 1, span}, Block{250, 3, span, 9},
                          Block{-3, -5, span, span}, Block{100, 100, 3, 1}}) {
      TIxDIB expected, actual;
      Fill(expected, 256, 256, 2);
      Fill(actual, 256, 256, 2);
      StretchCopy(b.x1, b.y1, b.x1 + b.w, b.y1 + b.h, sheet, 0, 0, b.w << shift, b.h << shift, expected);
      MagnifyBlock(b.x1, b.y1, b.x1 + b.w, b.y1 + b.h, sheet, shift, actual);
      for (int32_t y = 0; y < 256; ++y)
        for (int32_t x = 0; x < 256; ++x)
          ASSERT_EQ(actual.GetPixels(x, y), expected.GetPixels(x, y))
              << "shift " << shift << " block " << b.x1 << "," << b.y1 << " at " << x << "," << y;
    }
  }
}

TEST(LoupeMagnify, BlocksPastTheTargetAreCut) {
  TIxDIB source, target, expected;
  Fill(source, 8, 8, 3);
  Fill(target, 20, 10, 4);
  Fill(expected, 20, 10, 4);
  StretchCopy(0, 0, 8, 8, source, 0, 0, 32, 32, expected);
  MagnifyBlock(0, 0, 8, 8, source, 2, target);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 20; ++x)
      ASSERT_EQ(target.GetPixels(x, y), expected.GetPixels(x, y)) << x << "," << y;
}

TEST(LoupeMagnify, HalfDensityMatchesTheLayerDraw) {
  TIxDIB colors, mask;
  Fill(colors, 256, 256, 5);
  Fill(mask, 256, 256, 6);
  // Every third mask pixel a hole.
  for (int32_t y = 0; y < 256; ++y)
    for (int32_t x = 0; x < 256; ++x)
      if ((x + 2 * y) % 3 == 0) mask.SetPixels(x, y, 77);
  for (int32_t shift = 0; shift <= 7; ++shift) {
    const int32_t span = 256 >> shift;
    for (const int32_t x1 : {0, 45, 250}) {
      TIxDIB expected, actual;
      Fill(expected, 256, 256, 7);
      Fill(actual, 256, 256, 7);
      ZoomLayerDraw(x1, 10, x1 + span, 10 + span, colors, mask, 0, 0, expected, shift, 77, 9);
      MagnifyLayerBlock(x1, 10, x1 + span, 10 + span, colors, mask, shift, 77, 9, actual);
      for (int32_t y = 0; y < 256; ++y)
        for (int32_t x = 0; x < 256; ++x)
          ASSERT_EQ(actual.GetPixels(x, y), expected.GetPixels(x, y))
              << "shift " << shift << " from " << x1 << " at " << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace pixkura
