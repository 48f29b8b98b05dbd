// The pen shapes: dots, boxes, lines and ellipses made of pen dots, drawn
// through the bounds-checked SetPixels; and the square-pen line.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "image/DIB256.h"
#include "image/RasterEllipse.h"
#include "image/RasterRows.h"

namespace pixkura {

namespace {

// x folded into 0..size-1 (-1 becomes size-1).
int32_t Fold(int32_t x, int32_t size) {
  const int32_t r = x % size;
  return r < 0 ? r + size : r;
}

}  // namespace

TDotSquare DotSquare(uint8_t penSize) {
  switch (penSize) {
    case 1:
      return {0, 1};
    case 2:
      return {0, 2};
    case 3:
      return {-1, 3};
    case 4:
      return {-1, 4};
    case 5:
      return {-2, 5};
    default:
      return {};
  }
}

namespace {

// The range of box coordinates a->b worth visiting: without wrap only anchors
// inside 0..size-1 draw; with wrap a run of size coordinates already reaches
// every folded position. All dots of one shape have the same colour and size,
// so the set painted does not depend on the order of the dots.
struct TRange {
  int64_t First, Last;
};
TRange DotRange(int64_t a, int64_t b, int32_t size, bool wrap) {
  if (wrap) return {a, std::min<int64_t>(b, a + size - 1)};
  return {std::max<int64_t>(a, 0), std::min<int64_t>(b, size - 1)};
}

// The steps of PenLine and SquarePenLine: n points from (x1, y1) towards
// (x2, y2), both ends included, x advancing by Trunc(t * dx / n).
class TLineWalk {
 public:
  TLineWalk(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
      : x1_(x1),
        y1_(y1),
        x2_(x2),
        y2_(y2),
        dx_(x2 > x1 ? int64_t{x2} - x1 + 1 : int64_t{x2} - x1 - 1),
        dy_(y2 > y1 ? int64_t{y2} - y1 + 1 : int64_t{y2} - y1 - 1),
        n_(std::max(std::llabs(dx_), std::llabs(dy_))) {}

  int64_t Steps() const { return n_; }
  int64_t X(int64_t t) const { return Along(x1_, x2_, dx_, t); }
  int64_t Y(int64_t t) const { return Along(y1_, y2_, dy_, t); }

  // The steps whose point lies inside a w x h bitmap: one run, since both
  // coordinates move monotonically with t.
  TRange StepsInside(int32_t w, int32_t h) const { return StepsWithin(0, int64_t{w} - 1, 0, int64_t{h} - 1); }
  // The steps whose point lies in the box x0..x1, y0..y1 (inclusive).
  TRange StepsWithin(int64_t x0, int64_t x1, int64_t y0, int64_t y1) const {
    const TRange xs = Within([this](int64_t t) { return X(t); }, dx_ > 0, x0, x1);
    const TRange ys = Within([this](int64_t t) { return Y(t); }, dy_ > 0, y0, y1);
    return {std::max(xs.First, ys.First), std::min(xs.Last, ys.Last)};
  }

 private:
  int64_t Along(int32_t from, int32_t to, int64_t d, int64_t t) const {
    const auto offset = static_cast<int64_t>(
        std::trunc(static_cast<double>(t) * static_cast<double>(d) / static_cast<double>(n_)));
    // Stays between the end points; the clamp only guards the rounding of
    // products beyond 2^53 (and keeps the coordinate monotonic).
    return std::clamp<int64_t>(from + offset, std::min(from, to), std::max(from, to));
  }
  // First t in [0, n) for which pred holds, pred false then true; n if never.
  template <typename Pred>
  int64_t FirstTrue(Pred pred) const {
    int64_t lo = 0, hi = n_;
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo) / 2;
      if (pred(mid))
        hi = mid;
      else
        lo = mid + 1;
    }
    return lo;
  }
  template <typename Coord>
  TRange Within(Coord c, bool rising, int64_t lo, int64_t hi) const {
    if (rising)
      return {FirstTrue([&](int64_t t) { return c(t) >= lo; }),
              FirstTrue([&](int64_t t) { return c(t) > hi; }) - 1};
    return {FirstTrue([&](int64_t t) { return c(t) <= hi; }),
            FirstTrue([&](int64_t t) { return c(t) < lo; }) - 1};
  }

  int32_t x1_, y1_, x2_, y2_;
  int64_t dx_, dy_, n_;
};

}  // namespace

void PenDot(int32_t x, int32_t y, uint8_t color, TIxDIB& dib, bool useTransparent, uint8_t transparentColor,
            bool wrap, uint8_t penSize) {
  const int32_t w = dib.GetWidth(), h = dib.GetHeight();
  if (wrap) {
    x = Fold(x, w);
    y = Fold(y, h);
  } else if (x < 0 || x >= w || y < 0 || y >= h) {
    return;  // the anchor alone decides, whatever part of the square is inside
  }
  if (useTransparent && color == transparentColor) return;
  const TDotSquare sq = DotSquare(penSize);
  if (sq.Side == 1) {
    dib.SetPixels(x, y, color);
  } else if (sq.Side > 1) {
    const int32_t left = x + sq.Offset, top = y + sq.Offset;
    PenBox(left, top, left + sq.Side - 1, top + sq.Side - 1, color, dib, false, 0, false, 1);
  }
}

void PenBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t color, TIxDIB& dib, bool useTransparent,
            uint8_t transparentColor, bool wrap, uint8_t penSize) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  const TRange xs = DotRange(x1, x2, dib.GetWidth(), wrap);
  const TRange ys = DotRange(y1, y2, dib.GetHeight(), wrap);
  for (int64_t y = ys.First; y <= ys.Last; ++y)
    for (int64_t x = xs.First; x <= xs.Last; ++x)
      PenDot(static_cast<int32_t>(x), static_cast<int32_t>(y), color, dib, useTransparent, transparentColor,
             wrap, penSize);
}

void PenLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t color, TIxDIB& dib, bool useTransparent,
             uint8_t transparentColor, bool wrap, uint8_t penSize) {
  const TLineWalk line(x1, y1, x2, y2);
  // Without wrap only the steps whose anchor lies inside can draw.
  const TRange steps = wrap ? TRange{0, line.Steps() - 1} : line.StepsInside(dib.GetWidth(), dib.GetHeight());
  for (int64_t t = steps.First; t <= steps.Last; ++t)
    PenDot(static_cast<int32_t>(line.X(t)), static_cast<int32_t>(line.Y(t)), color, dib, useTransparent,
           transparentColor, wrap, penSize);
}

void SquarePenLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t color, TIxDIB& dib,
                   uint8_t penSize) {
  if (penSize == 0) return;
  const TRows rows = Rows8(dib, "SquarePenLine");
  // The same squares as pen dots of sizes 1..5; larger sizes from the pointer.
  const int64_t offset = DotSquare(penSize).Offset, last = offset + penSize - 1;
  const TLineWalk line(x1, y1, x2, y2);
  // Only the steps whose square reaches into the bitmap paint, each its part
  // inside: a square beyond the edge is dropped, never moved onto the edge.
  const TRange steps = line.StepsWithin(-last, rows.Width - 1 - offset, -last, rows.Height - 1 - offset);
  for (int64_t t = steps.First; t <= steps.Last; ++t) {
    const int64_t x = line.X(t), y = line.Y(t);
    FillBoxRows(rows, std::max<int64_t>(x + offset, 0), std::max<int64_t>(y + offset, 0),
                std::min<int64_t>(x + last, rows.Width - 1), std::min<int64_t>(y + last, rows.Height - 1),
                color);
  }
}

void VLine(int32_t x, int32_t y1, int32_t y2, uint8_t color, TIxDIB& dib) {
  for (int64_t y = y1; y <= y2; ++y) dib.SetPixels(x, static_cast<int32_t>(y), color);
}

void PenEllipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t color, TIxDIB& dib,
                bool useTransparent, uint8_t transparentColor, bool wrap, uint8_t penSize, bool filled) {
  const int64_t w = std::llabs(int64_t{x2} - x1) + 1, h = std::llabs(int64_t{y2} - y1) + 1;
  const int32_t left = std::min(x1, x2), top = std::min(y1, y2);
  // The shape is as big as a 24-bit bitmap of the box could be; a box beyond
  // that fails as making such a bitmap fails.
  const int64_t rowBytes = (24 * w + 31) / 32 * 4;
  if (w > INT32_MAX || h > INT32_MAX || rowBytes > INT32_MAX / h)
    throw EIxDIBInvalidDIBPara("TIxInternalDIB.CreateDIB: Invalid Parameters");

  // Filled: the inside is one 4-connected region around the box's middle
  // (when there is an inside at all), so a fill from there paints exactly
  // the whole shape.
  const TEllipseRaster raster(w, h);
  // Without wrap only anchors inside the bitmap draw.
  const TRange is = wrap ? TRange{0, w - 1}
                         : TRange{std::max<int64_t>(0, -int64_t{left}),
                                  std::min<int64_t>(w - 1, int64_t{dib.GetWidth()} - 1 - left)};
  const TRange js = wrap ? TRange{0, h - 1}
                         : TRange{std::max<int64_t>(0, -int64_t{top}),
                                  std::min<int64_t>(h - 1, int64_t{dib.GetHeight()} - 1 - top)};
  if (is.Last < is.First || js.Last < js.First) return;
  // The rows are worked out once when they fit beside the bitmap (always
  // without wrap); a wrapped giant recomputes them per column instead.
  std::vector<TEllipseRow> rowCache;
  const int64_t rowCount = js.Last - js.First + 1;
  if (rowCount <= int64_t{dib.GetHeight()} + 1) {
    rowCache.reserve(static_cast<size_t>(rowCount));
    for (int64_t j = js.First; j <= js.Last; ++j) rowCache.push_back(raster.Row(j));
  }
  const auto rowAt = [&](int64_t j) {
    return rowCache.empty() ? raster.Row(j) : rowCache[static_cast<size_t>(j - js.First)];
  };
  // Column by column, each column top to bottom.
  for (int64_t i = is.First; i <= is.Last; ++i) {
    for (int64_t j = js.First; j <= js.Last; ++j) {
      const TEllipseRow row = rowAt(j);
      const bool painted = filled ? TEllipseRaster::InShape(row, w, i) : TEllipseRaster::OnOutline(row, w, i);
      if (painted)
        PenDot(static_cast<int32_t>(left + i), static_cast<int32_t>(top + j), color, dib, useTransparent,
               transparentColor, wrap, penSize);
    }
  }
}

}  // namespace pixkura
