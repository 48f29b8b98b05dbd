#include "image/RasterNearestColor.h"

#include <algorithm>
#include <limits>

#include "base/VectorClones.h"

namespace pixkura {

TNearestColor::TNearestColor(const TRGBQuad* table, int32_t count) : count_(std::clamp(count, 1, 256)) {
  for (int32_t i = 0; i < count_; ++i) {
    r_[i] = table[i].rgbRed;
    g_[i] = table[i].rgbGreen;
    b_[i] = table[i].rgbBlue;
  }
}

namespace {

constexpr float Sq(float v) { return v * v; }

// Least and greatest squared distance along one axis from v to lo..hi
// (branch-free, for vectors).
float Least(float v, float lo, float hi) { return Sq(std::max(std::max(lo - v, v - hi), 0.0f)); }
float Greatest(float v, float lo, float hi) { return Sq(std::max(v - lo, hi - v)); }

// Colours searched together at most: their working rows stay on the stack.
constexpr size_t kBatch = 256;

}  // namespace

int32_t TNearestColor::CellOf(TColor color) {
  return ((GetRValue(color) >> kCellBits) * kLevels + (GetGValue(color) >> kCellBits)) * kLevels +
         (GetBValue(color) >> kCellBits);
}

PIXKURA_AVX2_CLONE const TNearestColor::TSpan& TNearestColor::Candidates(int32_t cell) {
  TSpan& span = spans_[cell];
  if (span.First >= 0) return span;
  constexpr int32_t side = 1 << kCellBits;
  const auto r0 = static_cast<float>((cell / (kLevels * kLevels)) * side);
  const auto g0 = static_cast<float>((cell / kLevels % kLevels) * side);
  const auto b0 = static_cast<float>((cell % kLevels) * side);
  const float r1 = r0 + side - 1, g1 = g0 + side - 1, b1 = b0 + side - 1;
  // Whole numbers below 2^18 either way; as integers the smallest bound is a
  // reduction the compiler puts on vectors.
  std::array<int32_t, 256> greatest, least;
  for (int32_t i = 0; i < count_; ++i) {
    greatest[i] =
        static_cast<int32_t>(Greatest(r_[i], r0, r1) + Greatest(g_[i], g0, g1) + Greatest(b_[i], b0, b1));
    least[i] = static_cast<int32_t>(Least(r_[i], r0, r1) + Least(g_[i], g0, g1) + Least(b_[i], b0, b1));
  }
  int32_t bound = std::numeric_limits<int32_t>::max();
  for (int32_t i = 0; i < count_; ++i) bound = std::min(bound, greatest[i]);
  span.First = static_cast<int32_t>(pool_.size());
  pool_.resize(pool_.size() + static_cast<size_t>(count_));
  uint8_t* out = pool_.data() + span.First;
  int32_t kept = 0;
  for (int32_t i = 0; i < count_; ++i) {
    out[kept] = static_cast<uint8_t>(i);
    kept += least[i] <= bound ? 1 : 0;
  }
  pool_.resize(static_cast<size_t>(span.First + kept));
  span.Count = kept;
  return span;
}

PIXKURA_AVX2_CLONE void TNearestColor::SearchCell(const TSpan& span, const TColor* colors, size_t count,
                                                  uint8_t* index, int32_t* distance) const {
  float r[kBatch], g[kBatch], b[kBatch], best[kBatch];
  int32_t bestIndex[kBatch];
  for (size_t first = 0; first < count; first += kBatch) {
    const size_t n = std::min(kBatch, count - first);
    for (size_t t = 0; t < n; ++t) {
      const TColor c = colors[first + t];
      r[t] = GetRValue(c);
      g[t] = GetGValue(c);
      b[t] = GetBValue(c);
      best[t] = std::numeric_limits<float>::max();
      bestIndex[t] = 0;
    }
    // Candidates ascend by index: the strict comparison keeps the lowest
    // index among equally near entries.
    for (int32_t k = span.First; k < span.First + span.Count; ++k) {
      const int32_t i = pool_[static_cast<size_t>(k)];
      const float er = r_[i], eg = g_[i], eb = b_[i];
      for (size_t t = 0; t < n; ++t) {
        const float d = Sq(r[t] - er) + Sq(g[t] - eg) + Sq(b[t] - eb);
        // All ones when closer; a mask rather than a branch, so the loop
        // stays on vectors.
        const int32_t closer = -static_cast<int32_t>(d < best[t]);
        best[t] = std::min(best[t], d);
        bestIndex[t] = (i & closer) | (bestIndex[t] & ~closer);
      }
    }
    for (size_t t = 0; t < n; ++t) {
      index[first + t] = static_cast<uint8_t>(bestIndex[t]);
      distance[first + t] = static_cast<int32_t>(best[t]);
    }
  }
}

uint8_t TNearestColor::Nearest(TColor color) {
  uint8_t index = 0;
  int32_t distance = 0;
  SearchCell(Candidates(CellOf(color)), &color, 1, &index, &distance);
  return index;
}

void TNearestColor::NearestOfMany(const TColor* colors, size_t count, uint8_t* index, int32_t* distance) {
  // Sort the colours by cell (a counting sort), search each cell's colours
  // together, and put the answers back in the callers' order.
  std::vector<uint32_t> start(kCells + 1, 0);
  for (size_t p = 0; p < count; ++p) ++start[static_cast<size_t>(CellOf(colors[p])) + 1];
  for (int32_t cell = 0; cell < kCells; ++cell) start[cell + 1] += start[cell];
  std::vector<uint32_t> order(count);
  std::vector<TColor> sorted(count);
  {
    std::vector<uint32_t> next(start.begin(), start.end() - 1);
    for (size_t p = 0; p < count; ++p) {
      const uint32_t at = next[static_cast<size_t>(CellOf(colors[p]))]++;
      order[at] = static_cast<uint32_t>(p);
      sorted[at] = colors[p];
    }
  }
  std::vector<uint8_t> sortedIndex(count);
  std::vector<int32_t> sortedDistance(count);
  for (int32_t cell = 0; cell < kCells; ++cell) {
    const uint32_t first = start[cell], end = start[cell + 1];
    if (first == end) continue;
    SearchCell(Candidates(cell), sorted.data() + first, end - first, sortedIndex.data() + first,
               sortedDistance.data() + first);
  }
  for (size_t at = 0; at < count; ++at) {
    index[order[at]] = sortedIndex[at];
    distance[order[at]] = sortedDistance[at];
  }
}

}  // namespace pixkura
