// Block copies: plain and scaled through canvases, mirrored and transparent
// through scan lines.
#include <algorithm>

#include "image/DIB256.h"
#include "image/IxDIBCanvas.h"
#include "image/RasterRows.h"

namespace pixkura {

namespace {

// Canvases on both bitmaps (destination first), one transfer, both closed.
void CanvasTransfer(TIxDIB& dst, TAxisSpan destX, TAxisSpan destY, TIxDIB& src, TAxisSpan srcX,
                    TAxisSpan srcY) {
  TIxDIBCanvas to(dst);
  TIxDIBCanvas from(src);
  to.CopyRect(destX, destY, from, srcX, srcY);
  from.Close();
  to.Close();
}

// The rows and columns a scan-line block copy touches: the first source row
// and column, the first destination row, and how many of each.
struct TBlockRows {
  int64_t SrcFirst = 0, DestFirst = 0, Count = 0;
};

// Rows sy1..sy2 of src to rows dy.. of dst. The bottom edge is limited as a
// whole (to the source's last row, then to the destination's); rows above
// either bitmap's top are left out as well.
TBlockRows LimitRows(int64_t sy1, int64_t sy2, int32_t srcHeight, int64_t dy, int32_t dstHeight) {
  sy2 = std::min<int64_t>(sy2, srcHeight - 1);
  if (dy + (sy2 - sy1) > dstHeight - 1) sy2 = dstHeight - 1 - dy + sy1;
  const int64_t first = std::max({sy1, int64_t{0}, sy1 - dy});
  TBlockRows r;
  r.SrcFirst = first;
  r.DestFirst = dy + (first - sy1);
  r.Count = std::max<int64_t>(0, sy2 - first + 1);
  return r;
}

// Copies the pixels of from that differ from t. Separate rows allow the
// compiler to work on whole vectors; overlapping ones (a copy within one
// bitmap) go pixel by pixel in order.
void CopyOpaqueSeparate(uint8_t* __restrict to, const uint8_t* __restrict from, int64_t n, uint8_t t) {
  // Every byte is written (a blend by mask), which vector units do without
  // masked stores.
  for (int64_t i = 0; i < n; ++i) {
    const auto keep = static_cast<uint8_t>(-static_cast<int>(from[i] == t));
    to[i] = static_cast<uint8_t>((to[i] & keep) | (from[i] & ~keep));
  }
}
void CopyOpaque(uint8_t* to, const uint8_t* from, int64_t n, uint8_t t) {
  if (to + n <= from || from + n <= to) {
    CopyOpaqueSeparate(to, from, n, t);
    return;
  }
  for (int64_t i = 0; i < n; ++i)
    if (from[i] != t) to[i] = from[i];
}

}  // namespace

void CopyBlock(int32_t sx1, int32_t sy1, int32_t sx2, int32_t sy2, TIxDIB& src, int32_t dx, int32_t dy,
               TIxDIB& dst) {
  // Source (sx1, sy1, sx2 + 1, sy2 + 1) onto a destination of the same size.
  const int64_t w = int64_t{sx2} + 1 - sx1, h = int64_t{sy2} + 1 - sy1;
  CanvasTransfer(dst, {dx, w}, {dy, h}, src, {sx1, w}, {sy1, h});
}

void StretchCopy(int32_t sLeft, int32_t sTop, int32_t sRight, int32_t sBottom, TIxDIB& src, int32_t dLeft,
                 int32_t dTop, int32_t dRight, int32_t dBottom, TIxDIB& dst) {
  CanvasTransfer(dst, {dLeft, int64_t{dRight} - dLeft}, {dTop, int64_t{dBottom} - dTop}, src,
                 {sLeft, int64_t{sRight} - sLeft}, {sTop, int64_t{sBottom} - sTop});
}

void MirrorCopyBlock(int32_t sx1, int32_t sy1, int32_t sx2, int32_t sy2, TIxDIB& src, int32_t dx, int32_t dy,
                     TIxDIB& dst) {
  const TBlockRows rows = LimitRows(sy1, sy2, src.GetHeight(), dy, dst.GetHeight());
  // Source column sx lands at dx + (sx2 - sx): keep the columns inside the
  // source whose destination lies inside the destination.
  const int64_t first = std::max({int64_t{sx1}, int64_t{0}, int64_t{dx} + sx2 - dst.GetWidth() + 1});
  const int64_t last = std::min({int64_t{sx2}, int64_t{src.GetWidth()} - 1, int64_t{dx} + sx2});
  if (rows.Count <= 0 || last < first) return;
  const TRows s = Rows8(src, "MirrorCopyBlock");
  const TRows d = Rows8(dst, "MirrorCopyBlock");
  const int64_t count = last - first + 1;
  for (int64_t r = 0; r < rows.Count; ++r) {
    const uint8_t* from = s.Row(rows.SrcFirst + r) + first;
    uint8_t* to = d.Row(rows.DestFirst + r) + (int64_t{dx} + sx2 - first);  // the first column's target
    for (int64_t i = 0; i < count; ++i) to[-i] = from[i];
  }
}

void TransparentCopyBlock(int32_t sx1, int32_t sy1, int32_t sx2, int32_t sy2, TIxDIB& src, int32_t dx,
                          int32_t dy, TIxDIB& dst, uint8_t transparentColor) {
  const TBlockRows rows = LimitRows(sy1, sy2, src.GetHeight(), dy, dst.GetHeight());
  // Source column sx lands at dx + (sx - sx1).
  const int64_t first = std::max({int64_t{sx1}, int64_t{0}, int64_t{sx1} - dx});
  const int64_t last =
      std::min({int64_t{sx2}, int64_t{src.GetWidth()} - 1, int64_t{dst.GetWidth()} - 1 - dx + sx1});
  if (rows.Count <= 0 || last < first) return;
  const TRows s = Rows8(src, "TransparentCopyBlock");
  const TRows d = Rows8(dst, "TransparentCopyBlock");
  const int64_t count = last - first + 1;
  for (int64_t r = 0; r < rows.Count; ++r)
    CopyOpaque(d.Row(rows.DestFirst + r) + (int64_t{dx} + first - sx1), s.Row(rows.SrcFirst + r) + first,
               count, transparentColor);
}

}  // namespace pixkura
