// A true-colour picture brought to the palette: nearest entries, alpha at
// the half, and the transparent index kept for the see-through pixels.
#include "image/PaletteMapping.h"

#include <gtest/gtest.h>

namespace pixkura {
namespace {

TEST(PaletteMapping, NearestEntriesAlphaBelowHalfIsTransparentAndNoOpaquePixelTakesTheHole) {
  std::array<TColor, 256> palette{};
  palette.fill(RGB(0, 0, 255));
  palette[0] = RGB(255, 0, 255);  // the transparent colour
  palette[2] = RGB(255, 255, 255);
  palette[3] = RGB(250, 0, 250);
  const std::vector<uint32_t> pixels{0xFFF0F0F0, 0x80102030, 0x7FFFFFFF, 0xFFFF00FF, 0x00000000};
  EXPECT_EQ(MapToPalette(pixels, palette, 0), (std::vector<uint8_t>{2, 1, 0, 3, 0}));
  // The transparent index elsewhere: entry 0 stands in.
  palette[9] = RGB(1, 2, 3);
  EXPECT_EQ(MapToPalette(std::vector<uint32_t>{0xFF010203, 0x7F010203}, palette, 9),
            (std::vector<uint8_t>{1, 9}));
}

}  // namespace
}  // namespace pixkura
