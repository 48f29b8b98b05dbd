#include "app/core/view/LoupeRenderer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "app/core/Editor.h"
#include "app/core/view/LoupeMagnify.h"
#include "image/DIB256.h"
#include "image/RasterRows.h"

namespace pixkura {
namespace {

// Whole row y or whole column x of the bitmap; nothing when it lies outside
// (the loupe's lines are dropped, not clamped, beyond its edge).
void HLine(const TRows& rows, int64_t y, uint8_t color) {
  if (y >= 0 && y < rows.Height) std::memset(rows.Row(y), color, static_cast<size_t>(rows.Width));
}
void VLine(const TRows& rows, int64_t x, uint8_t color) {
  if (x < 0 || x >= rows.Width) return;
  for (int64_t y = 0; y < rows.Height; ++y) rows.Row(y)[x] = color;
}

// Lines every `step` pixels from 0 to below `end`, across the whole bitmap.
// Dense grids are laid over each row as one mask (which the compiler turns
// into vector operations); sparse ones are written column by column.
void DrawGrid(const TRows& rows, int32_t step, int32_t end, uint8_t color) {
  constexpr int32_t kMaskWidth = 256;
  end = std::min(end, rows.Width);
  if (step < 16 && rows.Width == kMaskWidth) {
    std::array<uint8_t, kMaskWidth> mask{};
    for (int32_t x = 0; x < end; x += step) mask[static_cast<size_t>(x)] = 0xFF;
    std::array<uint8_t, kMaskWidth> paint{};
    for (size_t x = 0; x < mask.size(); ++x) paint[x] = static_cast<uint8_t>(mask[x] & color);
    for (int32_t y = 0; y < rows.Height; ++y) {
      if (y % step == 0 && y < end) {
        HLine(rows, y, color);
        continue;
      }
      uint8_t* row = rows.Row(y);
      for (size_t x = 0; x < mask.size(); ++x) row[x] = static_cast<uint8_t>((row[x] & ~mask[x]) | paint[x]);
    }
    return;
  }
  for (int32_t y = 0; y < rows.Height; ++y) {
    if (y % step == 0 && y < end) {
      HLine(rows, y, color);
      continue;
    }
    uint8_t* row = rows.Row(y);
    for (int32_t x = 0; x < end; x += step) row[x] = color;
  }
}

}  // namespace

void TLoupeRenderer::Redraw() {
  const TWindow r = e_.View.Window();
  if (e_.kasane.Checked()) {
    e_.BuildCellComposites();
    RenderLayerPicture(r);
  } else {
    StretchToLoupe(*e_.Doc.AllDib, r);
  }
  e_.Onion.Overlay(*e_.Doc.AllDib, e_.View, e_.StepBar.Position(), e_.Toumei, *e_.Views.LupeDib);
  FillBeyondCell(r);
  DrawLoupeLines(r);
  e_.RedrawSpecialViews();
  e_.LupeView.Repaint();
}

void TLoupeRenderer::StretchToLoupe(TIxDIB& source, const TWindow& r) {
  // The scaled copy of (sx, sy)-(sx + w, sy + h) onto (0, 0)-(w shl Bairitu,
  // h shl Bairitu), done without canvases: see LoupeMagnify.h.
  MagnifyBlock(r.sx, r.sy, r.sx + r.w, r.sy + r.h, source, e_.View.Bairitu, *e_.Views.LupeDib);
}

void TLoupeRenderer::RenderLayerPicture(const TWindow& r) {
  switch (e_.LupeLay.ItemIndex()) {
    case 0:
      StretchToLoupe(*e_.Doc.AllDib, r);
      break;
    case 1:
      if (e_.LupeBack.Checked()) {
        // The cell's own pixels decide: solid where it has colour, a pattern
        // of the colour beneath and the dither index where it has a hole.
        const uint8_t dither = e_.KURO.Checked() ? e_.DarkIdx() : e_.Toumei;
        // ZoomLayerDraw's picture, done without a call per block: see LoupeMagnify.h.
        MagnifyLayerBlock(r.sx, r.sy, r.sx + r.w, r.sy + r.h, e_.Views.LayDib, *e_.Doc.AllDib, e_.View.Bairitu, e_.Toumei, dither,
                          *e_.Views.LupeDib);
      } else {
        StretchToLoupe(e_.Views.LayDib, r);
      }
      break;
    case 2:
      StretchToLoupe(e_.Views.LayAllDib, r);
      break;
    default:
      break;  // no item chosen: the picture stays as it is
  }
}

void TLoupeRenderer::FillBeyondCell(const TWindow& r) {
  const int32_t right = r.w * e_.View.Bai;
  const int32_t bottom = r.h * e_.View.Bai;
  const int32_t last = 255;
  if (r.w != e_.View.LupeSpan) FillBox(right, 0, last, bottom - 1, e_.Toumei, *e_.Views.LupeDib);
  if (r.h != e_.View.LupeSpan) FillBox(0, bottom, right - 1, last, e_.Toumei, *e_.Views.LupeDib);
  if (r.w != e_.View.LupeSpan && r.h != e_.View.LupeSpan) FillBox(right, bottom, last, last, e_.Toumei, *e_.Views.LupeDib);
}

void TLoupeRenderer::DrawLoupeLines(const TWindow&) {
  const TRows rows = Rows8(*e_.Views.LupeDib, "RedrawLoupe");
  const uint8_t light = e_.LightIdx();
  const uint8_t dark = e_.DarkIdx();

  if (e_.Views.GridOn) DrawGrid(rows, 2 << e_.View.Bairitu, (e_.View.LupeSpan / 2) * (2 << e_.View.Bairitu), light);

  // The cell's right and bottom edges, light then dark; they vanish when the
  // edge lies beyond the loupe.
  const int32_t edgeX = (e_.View.ChrX - e_.View.LupeX) << e_.View.Bairitu;
  const int32_t edgeY = (e_.View.ChrY - e_.View.LupeY) << e_.View.Bairitu;
  VLine(rows, edgeX, light);
  VLine(rows, edgeX + 1, dark);
  HLine(rows, edgeY, light);
  HLine(rows, edgeY + 1, dark);

  if (e_.Views.CLineOn) {
    // The loupe's centre, not the cell's.
    HLine(rows, 127, light);
    HLine(rows, 128, dark);
    VLine(rows, 127, light);
    VLine(rows, 128, dark);
  }
}

}  // namespace pixkura
