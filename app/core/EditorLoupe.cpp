// The loupe: a window of the selected cell, magnified Bai times, rendered into
// LupeDib with the layer composites, the fill beyond the cell, the grid, the
// cell-edge marks and the centre lines. RedrawLoupe runs after every pen
// segment, so it touches only what it shows (and the layer composites of the
// cell, which the other views read) and allocates nothing.
#include <algorithm>
#include <array>
#include <cstring>

#include "app/core/Editor.h"
#include "app/core/LoupeMagnify.h"
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

TEditor::TLoupeWindow TEditor::LoupeWindow() const {
  // Cut at the cell's right and bottom edges.
  const int32_t w = LupeX + LupeSpan <= ChrX ? LupeSpan : ChrX - LupeX;
  const int32_t h = LupeY + LupeSpan <= ChrY ? LupeSpan : ChrY - LupeY;
  return {CellX + LupeX, CellY + LupeY, w, h};
}

void TEditor::RedrawLoupe() {
  const TLoupeWindow r = LoupeWindow();
  if (kasane.Checked()) {
    BuildCellComposites();
    RenderLayerPicture(r);
  } else {
    StretchToLoupe(*AllDib, r);
  }
  FillBeyondCell(r);
  DrawLoupeLines(r);
  RedrawSpecialViews();
  LupeView.Repaint();
}

void TEditor::StretchToLoupe(TIxDIB& source, const TLoupeWindow& r) {
  // The scaled copy of (sx, sy)-(sx + w, sy + h) onto (0, 0)-(w shl Bairitu,
  // h shl Bairitu), done without canvases: see LoupeMagnify.h.
  MagnifyBlock(r.sx, r.sy, r.sx + r.w, r.sy + r.h, source, Bairitu, *LupeDib);
}

void TEditor::RenderLayerPicture(const TLoupeWindow& r) {
  switch (LupeLay.ItemIndex()) {
    case 0:
      StretchToLoupe(*AllDib, r);
      break;
    case 1:
      if (LupeBack.Checked()) {
        // The cell's own pixels decide: solid where it has colour, a pattern
        // of the colour beneath and the dither index where it has a hole.
        const uint8_t dither = KURO.Checked() ? DarkIdx() : Toumei;
        // ZoomLayerDraw's picture, done without a call per block: see LoupeMagnify.h.
        MagnifyLayerBlock(r.sx, r.sy, r.sx + r.w, r.sy + r.h, LayDib, *AllDib, Bairitu, Toumei, dither,
                          *LupeDib);
      } else {
        StretchToLoupe(LayDib, r);
      }
      break;
    case 2:
      StretchToLoupe(LayAllDib, r);
      break;
    default:
      break;  // no item chosen: the picture stays as it is
  }
}

void TEditor::FillBeyondCell(const TLoupeWindow& r) {
  const int32_t right = r.w * Bai;
  const int32_t bottom = r.h * Bai;
  const int32_t last = 255;
  if (r.w != LupeSpan) FillBox(right, 0, last, bottom - 1, Toumei, *LupeDib);
  if (r.h != LupeSpan) FillBox(0, bottom, right - 1, last, Toumei, *LupeDib);
  if (r.w != LupeSpan && r.h != LupeSpan) FillBox(right, bottom, last, last, Toumei, *LupeDib);
}

void TEditor::DrawLoupeLines(const TLoupeWindow&) {
  const TRows rows = Rows8(*LupeDib, "RedrawLoupe");
  const uint8_t light = LightIdx();
  const uint8_t dark = DarkIdx();

  if (GridOn) DrawGrid(rows, 2 << Bairitu, (LupeSpan / 2) * (2 << Bairitu), light);

  // The cell's right and bottom edges, light then dark; they vanish when the
  // edge lies beyond the loupe.
  const int32_t edgeX = (ChrX - LupeX) << Bairitu;
  const int32_t edgeY = (ChrY - LupeY) << Bairitu;
  VLine(rows, edgeX, light);
  VLine(rows, edgeX + 1, dark);
  HLine(rows, edgeY, light);
  HLine(rows, edgeY + 1, dark);

  if (CLineOn) {
    // The loupe's centre, not the cell's.
    HLine(rows, 127, light);
    HLine(rows, 128, dark);
    VLine(rows, 127, light);
    VLine(rows, 128, dark);
  }
}

void TEditor::StoreCell() {
  // Every store changes the sheet: a stroke that goes on after a save made
  // while it was under way is a change again.
  Modified = true;
  if (Hamidasi.Checked()) {
    CopyBlock(0, 0, ChrX - 1, ChrY - 1, ChrDib, CellX, CellY, *AllDib);
    return;
  }
  // Only the part the loupe shows; what a tool drew beyond it stays out of the sheet.
  const int32_t right = std::min<int32_t>(LupeX + LupeSpan, ChrX) - 1;
  const int32_t bottom = std::min<int32_t>(LupeY + LupeSpan, ChrY) - 1;
  CopyBlock(LupeX, LupeY, right, bottom, ChrDib, CellX + LupeX, CellY + LupeY, *AllDib);
  // And out of the working copy: a later store (after a scroll, or with
  // drawing past the loupe turned on), fill or blend sees only what the sheet
  // holds, never a hidden part the loupe did not show.
  if (LupeX > 0 || LupeY > 0 || right < ChrX - 1 || bottom < ChrY - 1) RefreshChrDib();
}

}  // namespace pixkura
