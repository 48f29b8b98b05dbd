// The ellipse drawn with a 1-pixel pen in a w x h box (right and bottom
// exclusive, so the box holds exactly w x h pixels).
//
// The shape is the set of pixels whose centres lie inside the ellipse centred
// in the box whose radii reach half way from the outermost pixel centres to
// the box's edges, plus the box's middle column(s) and middle row(s), so
// that every ellipse touches all four sides of its box (a thin 2 x N or N x 2
// ellipse reaches its tips, a 1 x N one is a line). The outline is the part
// of that shape with a horizontal or vertical neighbour outside it: an
// 8-connected closed curve, symmetric left-right and top-bottom, which a
// 4-connected fill cannot leak through. The rest is the inside.
//
// Every row of the shape is one run of pixels symmetric about the box's middle;
// a row is described by where the run starts and where its left outline part
// ends (the right part is the mirror image).
#pragma once

#include <cstdint>

namespace pixkura {

struct TEllipseRow {
  int64_t Left = 0;        // first pixel of the run; the run ends at w - 1 - Left
  int64_t OutlineEnd = 0;  // last pixel of the left outline part (>= Left)
};

class TEllipseRaster {
 public:
  // 1 <= w, h <= 2^31.
  TEllipseRaster(int64_t w, int64_t h) : w_(w), h_(h) {}
  int64_t Width() const { return w_; }
  int64_t Height() const { return h_; }

  // Row j, 0 <= j < h. O(1) each, no storage: boxes of any size.
  TEllipseRow Row(int64_t j) const;
  static bool InShape(const TEllipseRow& row, int64_t w, int64_t i) {
    return i >= row.Left && i <= w - 1 - row.Left;
  }
  static bool OnOutline(const TEllipseRow& row, int64_t w, int64_t i) {
    return InShape(row, w, i) && (i <= row.OutlineEnd || i >= w - 1 - row.OutlineEnd);
  }
  // The inside run of a row: [first, last]; empty when last < first.
  static int64_t InsideFirst(const TEllipseRow& row) { return row.OutlineEnd + 1; }
  static int64_t InsideLast(const TEllipseRow& row, int64_t w) { return w - 2 - row.OutlineEnd; }

 private:
  // First pixel of row j's run; w (an empty run) for rows outside the box.
  int64_t RunStart(int64_t j) const;

  int64_t w_, h_;
};

}  // namespace pixkura
