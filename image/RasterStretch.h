// Nearest-neighbour block transfer between two uncompressed bitmaps of the
// same pixel size, with full clipping. A transfer is one axis map for the
// columns and one for the rows; each says which source coordinate every
// destination coordinate inside the destination reads.
#pragma once

#include <cstdint>
#include <vector>

#include "image/RasterRows.h"

namespace pixkura {

// The span of coordinates origin, origin + 1, ... (extent > 0) or origin,
// origin - 1, ... (extent < 0), |extent| of them; a rectangle's left edge and
// its width (right - left), so a negative width runs leftwards from left.
struct TAxisSpan {
  int64_t Origin = 0;
  int64_t Extent = 0;
};

struct TStretchAxis {
  int32_t DestFirst = 0;        // lowest destination coordinate written
  std::vector<int32_t> Source;  // source coordinate for DestFirst, DestFirst + 1, ...
  bool Empty() const { return Source.empty(); }
  // True when the map is a plain 1:1 shift (no scaling, no mirroring).
  bool OneToOne() const;
};

// Destination index i (counted from dest.Origin in its direction) reads the
// source index floor((2i + 1) * |src.Extent| / (2 * |dest.Extent|)): the
// source pixel under the destination pixel's centre. A whole-factor
// enlargement thus repeats every source pixel the same number of times, and
// opposite directions mirror. Pairs with either coordinate outside its
// bitmap (0..size-1) are left out.
TStretchAxis MapStretchAxis(TAxisSpan dest, int32_t destSize, TAxisSpan src, int32_t srcSize);

// Copies the mapped pixels (bytesPerPixel 1 or 3) from src to dst rows. The
// two must not share memory.
void StretchTransfer(const TRows& src, const TRows& dst, int bytesPerPixel, const TStretchAxis& columns,
                     const TStretchAxis& rows);

}  // namespace pixkura
