// The recursive variance split that chooses a reduced palette. A range of
// weighted colours is cut at the mean of the channel whose (weighted) variance
// dominates, the upper half first, down to a fixed depth; every range at that
// depth becomes one palette colour, its rounded mean. The "Low" reduction runs
// it on 5-6-5 histogram cells, the "High" one on the pixels themselves, the 8
// to 4-bit reduction on the used palette entries.
//
// An item type provides `uint64_t Weight() const` and `uint32_t Channel(int
// axis) const` (0 red, 1 green, 2 blue).
#pragma once

#include <cmath>
#include <cstdint>
#include <utility>

#include "image/IxDIB.h"

namespace pixkura {

enum TSplitAxis : uint8_t { kSplitRed = 0, kSplitGreen = 1, kSplitBlue = 2 };

struct TRangeStats {
  long double mean[3];
  long double variance[3];
};

// Weighted means and variances of a non-empty range. The sums are exact
// integers (well below 2^64), so converting them to extended precision only
// once loses nothing against summing in extended precision.
template <typename Item>
TRangeStats StatsOf(const Item* lo, const Item* hi) {
  uint64_t n = 0;
  uint64_t sum[3] = {0, 0, 0};
  uint64_t squares[3] = {0, 0, 0};
  for (const Item* p = lo; p != hi; ++p) {
    const uint64_t w = p->Weight();
    n += w;
    for (int c = 0; c < 3; ++c) {
      const uint64_t v = p->Channel(c);
      sum[c] += w * v;
      squares[c] += w * v * v;
    }
  }
  TRangeStats s{};
  const auto total = static_cast<long double>(n);
  for (int c = 0; c < 3; ++c) {
    s.mean[c] = static_cast<long double>(sum[c]) / total;
    s.variance[c] = static_cast<long double>(squares[c]) / total - s.mean[c] * s.mean[c];
  }
  return s;
}

// Red when it spreads at least 4/3 as much as green and at least 2/3 as much
// as blue; else green when it spreads at least 3/4 as much as red and half as
// much as blue; else blue. The weights follow the eye's sensitivity.
inline TSplitAxis ChooseAxis(const TRangeStats& s) {
  const long double r = s.variance[0], g = s.variance[1], b = s.variance[2];
  if (3 * r >= 4 * g && 3 * r >= 2 * b) return kSplitRed;
  if (4 * g >= 3 * r && 4 * g >= 2 * b) return kSplitGreen;
  return kSplitBlue;
}

// Partitions [lo, hi) in place: items at or below the mean on axis first.
// Returns the first item above it.
template <typename Item>
Item* PartitionAtMean(Item* lo, Item* hi, TSplitAxis axis, long double mean) {
  Item* i = lo;
  Item* j = hi;
  for (;;) {
    while (i < j && static_cast<long double>(i->Channel(axis)) <= mean) ++i;
    while (i<j&& static_cast<long double>((j - 1)->Channel(axis))> mean) --j;
    if (i >= j) return i;
    std::swap(*i, *(j - 1));
    ++i;
    --j;
  }
}

// Nearest integer, halves to the even neighbour (the default rounding mode).
inline uint8_t RoundChannel(long double v) { return static_cast<uint8_t>(std::nearbyint(v)); }

// Runs the split. The visitor is told, in the order the palette is numbered:
//   int Leaf(Item* lo, Item* hi, const TRangeStats&)  a range at maxDepth;
//   int Empty()                                        an empty range;
//   int Split(TSplitAxis, long double mean, int lowerChild, int upperChild).
// Each returns a node number that the split hands to its parent (the tree of
// the "High" reduction; the others ignore it). step is called once for every
// range that reaches maxDepth, counting an empty range at depth d as the
// 2^(maxDepth - d) ranges it would have split into, so 2^maxDepth times in all.
template <typename Item, typename Visitor>
int SplitRange(Item* lo, Item* hi, int depth, int maxDepth, Visitor& visitor, const TProgressStep& step) {
  if (lo == hi) {
    for (int64_t k = int64_t{1} << (maxDepth - depth); k > 0; --k) step();
    return visitor.Empty();
  }
  const TRangeStats stats = StatsOf(lo, hi);
  if (depth == maxDepth) {
    const int node = visitor.Leaf(lo, hi, stats);
    step();
    return node;
  }
  const TSplitAxis axis = ChooseAxis(stats);
  Item* middle = PartitionAtMean(lo, hi, axis, stats.mean[axis]);
  // The upper half first: it takes the lower palette numbers.
  const int upper = SplitRange(middle, hi, depth + 1, maxDepth, visitor, step);
  const int lower = SplitRange(lo, middle, depth + 1, maxDepth, visitor, step);
  return visitor.Split(axis, stats.mean[axis], lower, upper);
}

// The colour of a leaf: the rounded means.
inline TRGBQuad LeafColor(const TRangeStats& s) {
  return TRGBQuad{RoundChannel(s.mean[2]), RoundChannel(s.mean[1]), RoundChannel(s.mean[0]), 0};
}

}  // namespace pixkura
