// The magnified layer draw of the loupe's half-density mode.
#include <algorithm>

#include "image/DIB256.h"
#include "image/RasterRows.h"

namespace pixkura {

void ZoomLayerDraw(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TIxDIB& colors, TIxDIB& mask,
                   int32_t destX, int32_t destY, TIxDIB& dst, int32_t shift, uint8_t transparentColor,
                   uint8_t ditherColor) {
  if (shift < 0 || shift > 30) return;
  // Only source pixels inside both source bitmaps are read.
  const int64_t xFirst = std::max(x1, 0);
  const int64_t yFirst = std::max(y1, 0);
  const int64_t xEnd = std::min({x2, colors.GetWidth(), mask.GetWidth()});
  const int64_t yEnd = std::min({y2, colors.GetHeight(), mask.GetHeight()});
  if (xEnd <= xFirst || yEnd <= yFirst) return;
  const TRows c = Rows8(colors, "ZoomLayerDraw");
  const TRows m = Rows8(mask, "ZoomLayerDraw");
  const TRows d = Rows8(dst, "ZoomLayerDraw");
  const int64_t side = int64_t{1} << shift;
  const auto mode = static_cast<uint8_t>(shift);
  for (int64_t y = yFirst; y < yEnd; ++y) {
    const uint8_t* colorRow = c.Row(y);
    const uint8_t* maskRow = m.Row(y);
    const int64_t top = destY + (y - y1) * side;
    for (int64_t x = xFirst; x < xEnd; ++x) {
      const int64_t left = destX + (x - x1) * side;
      if (maskRow[x] != transparentColor)
        FillBoxRows(d, left, top, left + side - 1, top + side - 1, colorRow[x]);
      else
        PatternBoxRows(d, left, top, left + side - 1, top + side - 1, colorRow[x], ditherColor, mode);
    }
  }
}

}  // namespace pixkura
