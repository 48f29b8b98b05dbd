// Direct row access to uncompressed storage for the scan-line primitives and
// the block transfers: one check when the rows are taken, none per pixel.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/IxDIB.h"

namespace pixkura {

struct TRows {
  uint8_t* Top = nullptr;  // picture row 0
  ptrdiff_t Stride = 0;    // from one picture row to the next; negative for bottom-up storage
  int32_t Width = 0;
  int32_t Height = 0;

  // Picture row y; the caller keeps 0 <= y < Height.
  uint8_t* Row(int64_t y) const { return Top + y * Stride; }
};

// The rows of an 8-bit bitmap, taken through GetScanLine (which gives shared
// storage a private copy first). Other depths raise EIxDIBBadDIBType
// "<routine>: Bad DIB Type"; compressed storage raises GetScanLine's error.
TRows Rows8(TIxDIB& dib, const char* routine);
// The rows of storage as it is (no copy-on-write: the caller has made it
// private). Uncompressed storage only.
TRows RowsOf(TIxInternalDIB& d);

// Clamps v into 0..limit-1 (limit > 0).
constexpr int64_t ClampInto(int64_t v, int32_t limit) { return v < 0 ? 0 : (v >= limit ? limit - 1 : v); }

// FillBox and PatternBox on taken rows; coordinates clamped each on its own,
// corners not ordered (nothing when x2 < x1 or y2 < y1 after clamping).
void FillBoxRows(const TRows& rows, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint8_t color);
void PatternBoxRows(const TRows& rows, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint8_t colorA,
                    uint8_t colorB, uint8_t mode);

}  // namespace pixkura
