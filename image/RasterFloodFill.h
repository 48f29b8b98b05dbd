// Scan-line flood fill over a width x height grid: spreads from the seed
// through horizontally and vertically adjacent cells (never diagonally) for
// which inside(x, y) holds, and hands each filled run to paint(y, x1, x2).
// Iterative (an explicit stack of seeds, no recursion), each cell visited
// once: a visited bit is kept per cell, so paint may leave a cell "inside"
// (a fill colour equal to the region's own) without looping.
#pragma once

#include <cstdint>
#include <vector>

namespace pixkura {

class TVisitedCells {
 public:
  TVisitedCells(int32_t width, int32_t height)
      : width_(width), bits_((static_cast<size_t>(width) * static_cast<size_t>(height) + 63) / 64, 0) {}
  bool Test(int32_t x, int32_t y) const {
    const size_t i = Index(x, y);
    return (bits_[i >> 6] >> (i & 63)) & 1;
  }
  void Set(int32_t x, int32_t y) {
    const size_t i = Index(x, y);
    bits_[i >> 6] |= uint64_t{1} << (i & 63);
  }

 private:
  size_t Index(int32_t x, int32_t y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
  }
  int32_t width_;
  std::vector<uint64_t> bits_;
};

template <typename Inside, typename Paint>
void ScanlineFill(int32_t width, int32_t height, int32_t x, int32_t y, Inside inside, Paint paint) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  TVisitedCells visited(width, height);
  const auto open = [&](int32_t cx, int32_t cy) { return !visited.Test(cx, cy) && inside(cx, cy); };
  struct TSeed {
    int32_t X, Y;
  };
  std::vector<TSeed> stack{{x, y}};
  while (!stack.empty()) {
    const TSeed seed = stack.back();
    stack.pop_back();
    if (!open(seed.X, seed.Y)) continue;
    int32_t left = seed.X, right = seed.X;
    while (left > 0 && open(left - 1, seed.Y)) --left;
    while (right < width - 1 && open(right + 1, seed.Y)) ++right;
    for (int32_t cx = left; cx <= right; ++cx) visited.Set(cx, seed.Y);
    paint(seed.Y, left, right);
    // One seed per open run of the rows above and below the filled run.
    for (const int32_t ny : {seed.Y - 1, seed.Y + 1}) {
      if (ny < 0 || ny >= height) continue;
      bool inRun = false;
      for (int32_t cx = left; cx <= right; ++cx) {
        const bool o = open(cx, ny);
        if (o && !inRun) stack.push_back({cx, ny});
        inRun = o;
      }
    }
  }
}

}  // namespace pixkura
