// 8 bits to 4 bits. The 16 colours come from the colours the picture uses:
// when it uses at most 16 distinct colours they are kept exactly, otherwise
// the variance split (weighted by how many pixels show each palette entry)
// picks 16. Every one of the 256 entries is then mapped to its nearest new
// colour, and the pixels go through that map.
#include <algorithm>
#include <array>
#include <vector>

#include "image/ConvertRoutines.h"
#include "image/ConvertVarianceSplit.h"

namespace pixkura {
namespace {

// A distinct colour of the source palette and the pixels that show it.
struct TUsedColor {
  TRGBQuad color;
  uint64_t pixels;
  uint64_t Weight() const { return pixels; }
  uint32_t Channel(int axis) const {
    return axis == 0 ? color.rgbRed : axis == 1 ? color.rgbGreen : color.rgbBlue;
  }
};

bool SameColor(const TRGBQuad& a, const TRGBQuad& b) {
  return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
}

// The distinct colours behind the used indices, in order of first index.
std::vector<TUsedColor> UsedColors(const TIxInternalDIB& src) {
  std::array<uint64_t, 256> uses{};
  for (int32_t i = 0; i < src.Height; ++i) {
    const uint8_t* row = StoredRowOf(src, i);
    for (int32_t x = 0; x < src.Width; ++x) ++uses[row[x]];
  }
  std::vector<TUsedColor> colors;
  for (int index = 0; index < 256; ++index) {
    if (uses[index] == 0) continue;
    const TRGBQuad c = src.ColorTable()[index];
    auto same = std::find_if(colors.begin(), colors.end(),
                             [&](const TUsedColor& u) { return SameColor(u.color, c); });
    if (same != colors.end()) {
      same->pixels += uses[index];
    } else {
      colors.push_back(TUsedColor{TRGBQuad{c.rgbBlue, c.rgbGreen, c.rgbRed, 0}, uses[index]});
    }
  }
  return colors;
}

struct TLeafPalette {
  TRGBQuad* table;
  int32_t count = 0;
  int Leaf(TUsedColor*, TUsedColor*, const TRangeStats& stats) {
    table[count++] = LeafColor(stats);
    return 0;
  }
  int Empty() { return 0; }
  int Split(TSplitAxis, long double, int, int) { return 0; }
};

// The palette entry nearest to c: smallest squared distance, lowest index on ties.
uint8_t Nearest(const TRGBQuad& c, const TRGBQuad* table, int32_t count) {
  int32_t best = 0;
  int32_t bestDistance = 0x7FFFFFFF;
  for (int32_t k = 0; k < count; ++k) {
    const int32_t dr = c.rgbRed - table[k].rgbRed, dg = c.rgbGreen - table[k].rgbGreen,
                  db = c.rgbBlue - table[k].rgbBlue;
    const int32_t d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) bestDistance = d, best = k;
  }
  return static_cast<uint8_t>(best);
}

}  // namespace

TDIBPtr Convert8BitRGBTo4BitRGB(const TIxInternalDIB& src, const TProgressStep& step) {
  RequireUncompressed(src, 8, "Convert8BitRGBTo4BitRGB: Invalid Bitcount or Compression");
  std::vector<TUsedColor> colors = UsedColors(src);
  TRGBQuad palette[16]{};
  int32_t count = 0;
  if (colors.size() <= 16) {
    for (const TUsedColor& u : colors) palette[count++] = u.color;
    for (int k = 0; k < 16; ++k) step();
  } else {
    TLeafPalette leaves{palette};
    SplitRange(colors.data(), colors.data() + colors.size(), 0, 4, leaves, step);
    count = leaves.count;
  }

  std::array<uint8_t, 256> map{};
  for (int index = 0; index < 256; ++index) map[index] = Nearest(src.ColorTable()[index], palette, count);
  TDIBPtr dst = NewStorageLike(src, 4, count);
  std::copy(palette, palette + count, dst->ColorTable());
  WriteIndices<4>(src, *dst, [&map](const uint8_t* row, int32_t x) { return map[row[x]]; });
  return dst;
}

}  // namespace pixkura
