// Box and pattern fills, the fast row line and the flood fill, through scan lines.
#include <algorithm>
#include <cstring>

#include "image/DIB256.h"
#include "image/RasterFloodFill.h"
#include "image/RasterRows.h"

namespace pixkura {

void FillBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t color, TIxDIB& dib) {
  FillBoxRows(Rows8(dib, "FillBox"), x1, y1, x2, y2, color);
}

void PatternBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colorA, uint8_t colorB, uint8_t mode,
                TIxDIB& dib) {
  PatternBoxRows(Rows8(dib, "PatternBox"), x1, y1, x2, y2, colorA, colorB, mode);
}

void HLineFast(int32_t x1, int32_t y, int32_t x2, uint8_t color, TIxDIB& dib) {
  if (dib.GetBitCount() != 8) throw EIxDIBBadDIBType("HLineFast: Bad DIB Type");
  uint8_t* row = dib.GetScanLine(y);  // a row outside raises
  const int32_t first = std::max(x1, 0), last = std::min(x2, dib.GetWidth() - 1);
  if (last >= first) std::memset(row + first, color, static_cast<size_t>(last - first + 1));
}

void FillArea(int32_t x, int32_t y, uint8_t color, TIxDIB& dib) {
  const int32_t seed = dib.GetPixels(x, y);  // a seed outside raises
  if (seed == color) {
    // Filling with the region's own index changes nothing, but the bitmap
    // is written all the same (private storage).
    dib.SetPixels(x, y, color);
    return;
  }
  const int32_t width = dib.GetWidth(), height = dib.GetHeight();
  if (dib.GetBitCount() == 8 && dib.GetPixelFormat() == ixPf8Bit) {
    const TRows rows = Rows8(dib, "FillArea");
    const auto index = static_cast<uint8_t>(seed);
    ScanlineFill(
        width, height, x, y, [&](int32_t cx, int32_t cy) { return rows.Row(cy)[cx] == index; },
        [&](int32_t cy, int32_t x1, int32_t x2) {
          std::memset(rows.Row(cy) + x1, color, static_cast<size_t>(x2 - x1 + 1));
        });
    return;
  }
  // Other depths through the pixel accessors, as values of that depth.
  ScanlineFill(
      width, height, x, y, [&](int32_t cx, int32_t cy) { return dib.GetPixels(cx, cy) == seed; },
      [&](int32_t cy, int32_t x1, int32_t x2) {
        for (int32_t cx = x1; cx <= x2; ++cx) dib.SetPixels(cx, cy, color);
      });
}

}  // namespace pixkura
