#include "image/RasterEllipse.h"

#include <algorithm>
#include <cmath>

namespace pixkura {

namespace {

__extension__ typedef unsigned __int128 TUInt128;

uint64_t ISqrt(uint64_t v) {
  auto r = static_cast<uint64_t>(std::sqrt(static_cast<long double>(v)));
  while (r > 0 && r * r > v) --r;
  while (r < 0xFFFFFFFFu && (r + 1) * (r + 1) <= v) ++r;
  return r;
}

}  // namespace

int64_t TEllipseRaster::RunStart(int64_t j) const {
  if (j < 0 || j >= h_) return w_;
  // Doubled coordinates about the box's centre keep everything integral: a
  // pixel centre (i + 0.5, j + 0.5) becomes X = 2i + 1 - w, Y = 2j + 1 - h.
  // The ellipse has the radii w - 1/2 and h - 1/2 in these units, half way
  // between the outermost pixel centres and the box's edges:
  //   4 X^2 (2h - 1)^2 + 4 Y^2 (2w - 1)^2 <= (2w - 1)^2 (2h - 1)^2.
  const int64_t w = w_, h = h_;
  const int64_t y = 2 * j + 1 - h;
  const int64_t absY = y < 0 ? -y : y;
  if (absY <= 1) return 0;  // middle row(s): the whole row
  const TUInt128 a = static_cast<TUInt128>(2 * w - 1) * static_cast<TUInt128>(2 * w - 1);
  const TUInt128 b = static_cast<TUInt128>(2 * h - 1) * static_cast<TUInt128>(2 * h - 1);
  const TUInt128 yy4 = 4 * static_cast<TUInt128>(y) * static_cast<TUInt128>(y);
  // Largest X with X^2 <= a (b - 4 Y^2) / 4b and the parity of w - 1.
  auto x = static_cast<int64_t>(ISqrt(static_cast<uint64_t>(a * (b - yy4) / (4 * b))));
  if ((x ^ (w - 1)) & 1) --x;
  // Middle column(s): X = 0 for an odd width, X = +-1 for an even one.
  x = std::max<int64_t>(x, (w - 1) & 1);
  return (w - 1 - x) / 2;
}

TEllipseRow TEllipseRaster::Row(int64_t j) const {
  TEllipseRow row;
  row.Left = RunStart(j);
  // A pixel of the left half is on the outline when its left neighbour or the
  // pixel above or below lies outside; runs only widen towards the middle, so
  // that is every pixel left of the wider of the two neighbouring runs.
  const int64_t neighbour = std::max(RunStart(j - 1), RunStart(j + 1));
  row.OutlineEnd = std::max(row.Left, neighbour - 1);
  return row;
}

}  // namespace pixkura
