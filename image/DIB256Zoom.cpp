// The magnified layer draw of the loupe's half-density mode.
#include <algorithm>
#include <cstring>
#include <vector>

#include "image/DIB256.h"
#include "image/RasterRows.h"

namespace pixkura {

namespace {

// The row pair of one block (dest rows alternate between the two): a plain
// block has the same row twice; a hole block the two phases of its pattern
// (A B A B / B A B A for shifts 0 and 1, A A B B / B B A A beyond).
void BlockRows(uint8_t* row0, uint8_t* row1, int64_t side, bool hole, uint8_t c, uint8_t dither) {
  if (!hole) {
    std::memset(row0, c, static_cast<size_t>(side));
    std::memset(row1, c, static_cast<size_t>(side));
    return;
  }
  if (side >= 8) {
    const uint8_t phase0[8] = {c, c, dither, dither, c, c, dither, dither};
    const uint8_t phase2[8] = {dither, dither, c, c, dither, dither, c, c};
    for (int64_t k = 0; k < side; k += 8) {
      std::memcpy(row0 + k, phase0, 8);
      std::memcpy(row1 + k, phase2, 8);
    }
    return;
  }
  for (int64_t k = 0; k < side; ++k) {
    const bool first = side <= 2 ? k % 2 == 0 : k % 4 < 2;
    row0[k] = first ? c : dither;
    row1[k] = first ? dither : c;
  }
}

}  // namespace

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
  const int64_t left = destX + (xFirst - x1) * side, top = destY + (yFirst - y1) * side;
  const int64_t right = destX + (xEnd - x1) * side - 1, bottom = destY + (yEnd - y1) * side - 1;

  if (left >= 0 && top >= 0 && right < d.Width && bottom < d.Height) {
    // Every block lies inside (the loupe's case): build the two row images
    // of a line of blocks once, then copy them into the block rows in turn.
    const auto width = static_cast<size_t>(right - left + 1);
    std::vector<uint8_t> rowPair(2 * width);
    uint8_t* row0 = rowPair.data();
    uint8_t* row1 = row0 + width;
    for (int64_t y = yFirst; y < yEnd; ++y) {
      const uint8_t* colorRow = c.Row(y);
      const uint8_t* maskRow = m.Row(y);
      for (int64_t x = xFirst; x < xEnd; ++x) {
        const int64_t at = (x - xFirst) * side;
        BlockRows(row0 + at, row1 + at, side, maskRow[x] == transparentColor, colorRow[x], ditherColor);
      }
      const int64_t blockTop = top + (y - yFirst) * side;
      for (int64_t r = 0; r < side; ++r) std::memcpy(d.Row(blockTop + r) + left, r % 2 ? row1 : row0, width);
    }
    return;
  }
  // Blocks reaching past the destination are clamped one by one, in order.
  const auto mode = static_cast<uint8_t>(shift);
  for (int64_t y = yFirst; y < yEnd; ++y) {
    const uint8_t* colorRow = c.Row(y);
    const uint8_t* maskRow = m.Row(y);
    const int64_t blockTop = destY + (y - y1) * side;
    for (int64_t x = xFirst; x < xEnd; ++x) {
      const int64_t blockLeft = destX + (x - x1) * side;
      if (maskRow[x] != transparentColor)
        FillBoxRows(d, blockLeft, blockTop, blockLeft + side - 1, blockTop + side - 1, colorRow[x]);
      else
        PatternBoxRows(d, blockLeft, blockTop, blockLeft + side - 1, blockTop + side - 1, colorRow[x],
                       ditherColor, mode);
    }
  }
}

}  // namespace pixkura
