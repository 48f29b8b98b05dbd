#include "app/core/LayerStack.h"

#include <algorithm>

#include "image/DIB256.h"

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
  if (ClipToSheet(b, sheet)) CopyBlock(b.sx, b.sy, b.sx + b.w - 1, b.sy + b.h - 1, sheet, b.dx, b.dy, target);
  for (int32_t layer = 1; layer <= stack.Own; ++layer)
    LayOver(stack, layer, x, y, w, h, sheet, target, transparent);
}

void LayLayersAbove(const TLayerStack& stack, int32_t x, int32_t y, int32_t w, int32_t h, TIxDIB& sheet,
                    TIxDIB& target, uint8_t transparent) {
  for (int32_t layer = stack.Own + 1; layer < stack.Count; ++layer)
    LayOver(stack, layer, x, y, w, h, sheet, target, transparent);
}

}  // namespace pixkura
