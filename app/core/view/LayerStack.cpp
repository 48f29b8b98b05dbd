#include "app/core/view/LayerStack.h"

#include <algorithm>
#include <cstring>

#include "image/DIB256.h"
#include "image/RasterRows.h"

namespace pixkura {
namespace {

// A w x h block of the sheet at (sx, sy) going to (dx, dy) of a same-sized
// buffer. A region that straddles the middle of the sheet has counterparts
// reaching past its edge; the part outside is no pixel of any layer, so it is
// cut off here (source and destination alike) and contributes nothing.
struct TBlock {
  int32_t sx, sy, dx, dy, w, h;
};

bool ClipToSheet(TBlock& b, const TIxDIB& sheet) {
  if (b.sx < 0) {
    b.dx -= b.sx;
    b.w += b.sx;
    b.sx = 0;
  }
  if (b.sy < 0) {
    b.dy -= b.sy;
    b.h += b.sy;
    b.sy = 0;
  }
  b.w = std::min(b.w, sheet.GetWidth() - b.sx);
  b.h = std::min(b.h, sheet.GetHeight() - b.sy);
  return b.w > 0 && b.h > 0;
}

// A plain block copy through rows: the composites are rebuilt on every loupe
// redraw, which must not allocate nor report the sheet as changed (a canvas
// copy would do both). The block is cut to the target as well.
void CopyRows(const TBlock& b, TIxDIB& sheet, TIxDIB& target) {
  const TRows s = Rows8(sheet, "CopyLayerBlock");
  const TRows d = Rows8(target, "CopyLayerBlock");
  const int64_t w = std::min<int64_t>(b.w, d.Width - int64_t{b.dx});
  const int64_t h = std::min<int64_t>(b.h, d.Height - int64_t{b.dy});
  if (w <= 0 || h <= 0 || b.dx < 0 || b.dy < 0) return;
  for (int64_t r = 0; r < h; ++r)
    std::memcpy(d.Row(b.dy + r) + b.dx, s.Row(b.sy + r) + b.sx, static_cast<size_t>(w));
}

TBlock CounterpartBlock(const TLayerStack& stack, int32_t layer, int32_t x, int32_t y, int32_t w, int32_t h) {
  const auto own = static_cast<size_t>(stack.Own);
  const auto l = static_cast<size_t>(layer);
  return {x - stack.Left[own] + stack.Left[l], y - stack.Top[own] + stack.Top[l], x, y, w, h};
}

void LayOver(const TLayerStack& stack, int32_t layer, int32_t x, int32_t y, int32_t w, int32_t h,
             TIxDIB& sheet, TIxDIB& target, uint8_t transparent) {
  TBlock b = CounterpartBlock(stack, layer, x, y, w, h);
  if (!ClipToSheet(b, sheet)) return;
  TransparentCopyBlock(b.sx, b.sy, b.sx + b.w - 1, b.sy + b.h - 1, sheet, b.dx, b.dy, target, transparent);
}

}  // namespace

TLayerStack LayerStackOf(int32_t left, int32_t top, int32_t width, int32_t height, bool fourWay) {
  const bool inTop = top + height <= kLayerSpan;
  const bool inLeft = left + width <= kLayerSpan;
  TLayerStack s;
  if (!fourWay) {
    s.Count = 2;
    s.Left = {0, 0, 0, 0};
    s.Top = {kLayerSpan, 0, 0, 0};
    s.Own = inTop ? 1 : 0;
    return s;
  }
  s.Count = 4;
  s.Left = {kLayerSpan, 0, kLayerSpan, 0};
  s.Top = {kLayerSpan, kLayerSpan, 0, 0};
  if (inLeft && inTop)
    s.Own = 3;
  else if (inTop)
    s.Own = 2;
  else if (inLeft)
    s.Own = 1;
  else
    s.Own = 0;
  return s;
}

void LayLayersBelow(const TLayerStack& stack, int32_t x, int32_t y, int32_t w, int32_t h, TIxDIB& sheet,
                    TIxDIB& target, uint8_t transparent) {
  TBlock b = CounterpartBlock(stack, 0, x, y, w, h);
  if (ClipToSheet(b, sheet)) CopyRows(b, sheet, target);
  for (int32_t layer = 1; layer <= stack.Own; ++layer)
    LayOver(stack, layer, x, y, w, h, sheet, target, transparent);
}

void CopyLayerBlock(int32_t x, int32_t y, int32_t w, int32_t h, TIxDIB& from, TIxDIB& to) {
  TBlock b{x, y, x, y, w, h};
  if (ClipToSheet(b, from)) CopyRows(b, from, to);
}

void LayLayersAbove(const TLayerStack& stack, int32_t x, int32_t y, int32_t w, int32_t h, TIxDIB& sheet,
                    TIxDIB& target, uint8_t transparent) {
  for (int32_t layer = stack.Own + 1; layer < stack.Count; ++layer)
    LayOver(stack, layer, x, y, w, h, sheet, target, transparent);
}

}  // namespace pixkura
