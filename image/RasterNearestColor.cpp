#include "image/RasterNearestColor.h"

#include <algorithm>
#include <limits>

namespace pixkura {

TNearestColor::TNearestColor(const TRGBQuad* table, int32_t count) : count_(std::clamp(count, 1, 256)) {
  for (int32_t i = 0; i < count_; ++i) {
    r_[i] = table[i].rgbRed;
    g_[i] = table[i].rgbGreen;
    b_[i] = table[i].rgbBlue;
  }
}

namespace {

constexpr int32_t Sq(int32_t v) { return v * v; }

// Least and greatest squared distance along one axis from v to lo..hi
// (branch-free, for vectors).
int32_t Least(int32_t v, int32_t lo, int32_t hi) { return Sq(std::max({lo - v, v - hi, 0})); }
int32_t Greatest(int32_t v, int32_t lo, int32_t hi) { return Sq(std::max(v - lo, hi - v)); }

}  // namespace

const TNearestColor::TSpan& TNearestColor::Candidates(int32_t cell) {
  TSpan& span = spans_[cell];
  if (span.First >= 0) return span;
  constexpr int32_t side = 1 << kCellBits;
  const int32_t r0 = (cell / (kLevels * kLevels)) * side, g0 = (cell / kLevels % kLevels) * side,
                b0 = (cell % kLevels) * side;
  const int32_t r1 = r0 + side - 1, g1 = g0 + side - 1, b1 = b0 + side - 1;
  int32_t bound = std::numeric_limits<int32_t>::max();
  for (int32_t i = 0; i < count_; ++i)
    bound = std::min(bound, Greatest(r_[i], r0, r1) + Greatest(g_[i], g0, g1) + Greatest(b_[i], b0, b1));
  std::array<int32_t, 256> least;
  for (int32_t i = 0; i < count_; ++i)
    least[i] = Least(r_[i], r0, r1) + Least(g_[i], g0, g1) + Least(b_[i], b0, b1);
  span.First = static_cast<int32_t>(pool_.size());
  for (int32_t i = 0; i < count_; ++i)
    if (least[i] <= bound) pool_.push_back(static_cast<uint8_t>(i));
  span.Count = static_cast<int32_t>(pool_.size()) - span.First;
  return span;
}

uint8_t TNearestColor::Nearest(TColor color) {
  const int32_t r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  const int32_t cell = ((r >> kCellBits) * kLevels + (g >> kCellBits)) * kLevels + (b >> kCellBits);
  const TSpan& span = Candidates(cell);
  // Candidates ascend by index: the strict comparison keeps the lowest index
  // among equally near entries.
  int32_t best = std::numeric_limits<int32_t>::max();
  uint8_t bestIndex = 0;
  for (int32_t k = span.First; k < span.First + span.Count; ++k) {
    const uint8_t i = pool_[static_cast<size_t>(k)];
    const int32_t d = Sq(r_[i] - r) + Sq(g_[i] - g) + Sq(b_[i] - b);
    if (d < best) {
      best = d;
      bestIndex = i;
    }
  }
  return bestIndex;
}

}  // namespace pixkura
