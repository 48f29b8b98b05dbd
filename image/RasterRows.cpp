#include "image/RasterRows.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace pixkura {

TRows Rows8(TIxDIB& dib, const char* routine) {
  if (dib.GetBitCount() != 8) throw EIxDIBBadDIBType(std::string(routine) + ": Bad DIB Type");
  dib.GetScanLine(0);  // private storage, row and compression checks
  return RowsOf(dib.MutableInternalDIB());
}

TRows RowsOf(TIxInternalDIB& d) {
  TRows rows;
  rows.Top = d.Row(0);
  rows.Stride = d.TopDown() ? d.RowSize() : -static_cast<ptrdiff_t>(d.RowSize());
  rows.Width = d.Width;
  rows.Height = d.Height;
  return rows;
}

namespace {

// Clamps each corner into the bitmap, without ordering them; false when
// nothing is left to fill.
bool ClampBox(const TRows& rows, int64_t& x1, int64_t& y1, int64_t& x2, int64_t& y2) {
  x1 = ClampInto(x1, rows.Width);
  x2 = ClampInto(x2, rows.Width);
  y1 = ClampInto(y1, rows.Height);
  y2 = ClampInto(y2, rows.Height);
  return x1 <= x2 && y1 <= y2;
}

}  // namespace

void FillBoxRows(const TRows& rows, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint8_t color) {
  if (!ClampBox(rows, x1, y1, x2, y2)) return;
  const auto n = static_cast<size_t>(x2 - x1 + 1);
  for (int64_t y = y1; y <= y2; ++y) std::memset(rows.Row(y) + x1, color, n);
}

namespace {

// Writes n pixels of a pattern with period 4 (or 2), starting at its phase 0.
// The period is spread over a short buffer first, only as far as a row
// needs, so that a row is a few block copies rather than a loop over pixels.
class TPatternRow {
 public:
  TPatternRow(uint8_t p0, uint8_t p1, uint8_t p2, uint8_t p3, size_t n)
      : used_(std::min(kSize, (n + 3) & ~size_t{3})) {
    for (size_t i = 0; i < used_; i += 4) {
      bytes_[i] = p0;
      bytes_[i + 1] = p1;
      bytes_[i + 2] = p2;
      bytes_[i + 3] = p3;
    }
  }
  void Write(uint8_t* dst, size_t n) const {
    for (; n >= used_; n -= used_, dst += used_) std::memcpy(dst, bytes_, used_);
    std::memcpy(dst, bytes_, n);
  }

 private:
  static constexpr size_t kSize = 64;  // a multiple of the period
  uint8_t bytes_[kSize];
  size_t used_;
};

}  // namespace

void PatternBoxRows(const TRows& rows, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint8_t colorA,
                    uint8_t colorB, uint8_t mode) {
  if (!ClampBox(rows, x1, y1, x2, y2)) return;
  const auto n = static_cast<size_t>(x2 - x1 + 1);
  const uint8_t a = colorA, b = colorB;
  if (mode <= 1) {
    // A toggle flips after every pixel and once more at the end of each row:
    // with an even width the rows alternate (a checkerboard), with an odd
    // width every row starts with A again.
    const TPatternRow startA(a, b, a, b, n), startB(b, a, b, a, n);
    const bool alternate = n % 2 == 0;
    for (int64_t y = y1; y <= y2; ++y) {
      const bool withB = alternate && (y - y1) % 2 == 1;
      (withB ? startB : startA).Write(rows.Row(y) + x1, n);
    }
  } else {
    // Pairs: the counter starts at 0 on the first row, 2 on the next, and so on.
    const TPatternRow phase0(a, a, b, b, n), phase2(b, b, a, a, n);
    for (int64_t y = y1; y <= y2; ++y) ((y - y1) % 2 == 0 ? phase0 : phase2).Write(rows.Row(y) + x1, n);
  }
}

}  // namespace pixkura
