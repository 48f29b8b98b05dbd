#include "image/PaletteMapping.h"

#include "image/RasterNearestColor.h"

namespace pixkura {
namespace {

constexpr uint32_t kHalfAlpha = 128;

TRGBQuad QuadOf(TColor c) { return TRGBQuad{GetBValue(c), GetGValue(c), GetRValue(c), 0}; }

}  // namespace

std::vector<uint8_t> MapToPalette(std::span<const uint32_t> pixels, const std::array<TColor, 256>& palette,
                                  uint8_t transparent) {
  // The transparent entry is searched with the colour of a stand-in entry,
  // so whatever would find it finds the stand-in just as near.
  const uint8_t standIn = transparent == 0 ? 1 : 0;
  std::array<TRGBQuad, 256> table;
  for (size_t i = 0; i < table.size(); ++i) table[i] = QuadOf(palette[i]);
  table[transparent] = table[standIn];
  TNearestColor search(table.data(), 256);

  std::vector<TColor> colors(pixels.size());
  for (size_t p = 0; p < pixels.size(); ++p) {
    const uint32_t v = pixels[p];
    colors[p] = RGB(static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v));
  }
  std::vector<uint8_t> index(pixels.size());
  std::vector<int32_t> distance(pixels.size());
  search.NearestOfMany(colors.data(), colors.size(), index.data(), distance.data());
  for (size_t p = 0; p < pixels.size(); ++p) {
    if ((pixels[p] >> 24) < kHalfAlpha)
      index[p] = transparent;
    else if (index[p] == transparent)
      index[p] = standIn;
  }
  return index;
}

}  // namespace pixkura
