#include "image/RasterNearestColor.h"

#include <algorithm>
#include <limits>

namespace pixkura {

TNearestColor::TNearestColor(const TRGBQuad* table, int32_t count) : count_(std::clamp(count, 1, 256)) {
  for (int32_t i = 0; i < count_; ++i)
    byRed_[i] = TEntry{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, i};
  std::sort(byRed_.begin(), byRed_.begin() + count_,
            [](const TEntry& a, const TEntry& b) { return a.R != b.R ? a.R < b.R : a.Index < b.Index; });
}

uint8_t TNearestColor::Nearest(TColor color) const {
  const int32_t r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  int32_t best = std::numeric_limits<int32_t>::max();
  int32_t bestIndex = 256;
  const auto consider = [&](const TEntry& e, int32_t dr) {
    const int32_t dg = e.G - g, db = e.B - b;
    const int32_t d = dr * dr + dg * dg + db * db;
    if (d < best || (d == best && e.Index < bestIndex)) {
      best = d;
      bestIndex = e.Index;
    }
  };
  const TEntry* first = byRed_.data();
  const TEntry* last = first + count_;
  const TEntry* start = std::lower_bound(first, last, r, [](const TEntry& e, int32_t v) { return e.R < v; });
  // Outward in both directions; an entry whose red difference alone is above
  // the best distance cannot win, nor can any entry beyond it. Equal is not
  // enough to stop: it may still tie with a lower index.
  for (const TEntry* e = start; e != last; ++e) {
    const int32_t dr = e->R - r;
    if (dr * dr > best) break;
    consider(*e, dr);
  }
  for (const TEntry* e = start; e != first;) {
    --e;
    const int32_t dr = e->R - r;
    if (dr * dr > best) break;
    consider(*e, dr);
  }
  return static_cast<uint8_t>(bestIndex);
}

}  // namespace pixkura
