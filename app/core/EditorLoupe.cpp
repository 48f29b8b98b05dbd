// The loupe: a window of the selected cell, magnified Bai times, rendered into
// LupeDib with the layer composites, the fill beyond the cell, the grid, the
// cell-edge marks and the centre lines. RedrawLoupe runs after every pen
// segment, so it touches only what it shows and allocates nothing.
#include <algorithm>
#include <cstring>

#include "app/core/Editor.h"
#include "image/DIB256.h"

namespace pixkura {
namespace {

// Row access for drawing many one-pixel lines across a bitmap: one scan-line
// lookup per bitmap instead of a checked pixel write per dot. The bitmap must
// not be resized or shared while it is in use.
class TRows {
 public:
  explicit TRows(TIxDIB& dib)
      : width_(dib.GetWidth()),
        height_(dib.GetHeight()),
        row0_(dib.GetScanLine(0)),
        stride_(height_ > 1 ? dib.GetScanLine(1) - row0_ : 0) {}

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  uint8_t* Row(int32_t y) const { return row0_ + static_cast<ptrdiff_t>(y) * stride_; }

  // Whole row y; nothing when y lies outside.
  void HLine(int32_t y, uint8_t color) const {
    if (y >= 0 && y < height_) std::memset(Row(y), color, static_cast<size_t>(width_));
  }
  // Whole column x; nothing when x lies outside.
  void VLine(int32_t x, uint8_t color) const {
    if (x < 0 || x >= width_) return;
    for (int32_t y = 0; y < height_; ++y) Row(y)[x] = color;
  }

 private:
  int32_t width_, height_;
  uint8_t* row0_;
  ptrdiff_t stride_;
};

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
    BuildLoupeComposites(r);
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
  StretchCopy(r.sx, r.sy, r.sx + r.w, r.sy + r.h, source, 0, 0, r.w << Bairitu, r.h << Bairitu, *LupeDib);
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
        ZoomLayerDraw(r.sx, r.sy, r.sx + r.w, r.sy + r.h, LayDib, *AllDib, 0, 0, *LupeDib, Bairitu, Toumei,
                      dither);
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
  const TRows rows(*LupeDib);
  const uint8_t light = LightIdx();
  const uint8_t dark = DarkIdx();

  if (GridOn) {
    // A line every second sheet pixel: LupeSpan / 2 lines each way, step 2 * Bai.
    const int32_t step = 2 << Bairitu;
    const int32_t end = std::min<int32_t>(rows.Width(), (LupeSpan / 2) * step);
    for (int32_t y = 0; y < rows.Height(); ++y) {
      if (y % step == 0 && y < end) {
        rows.HLine(y, light);
        continue;
      }
      uint8_t* row = rows.Row(y);
      for (int32_t x = 0; x < end; x += step) row[x] = light;
    }
  }

  // The cell's right and bottom edges, light then dark; they vanish when the
  // edge lies beyond the loupe.
  const int32_t edgeX = (ChrX - LupeX) << Bairitu;
  const int32_t edgeY = (ChrY - LupeY) << Bairitu;
  rows.VLine(edgeX, light);
  rows.VLine(edgeX + 1, dark);
  rows.HLine(edgeY, light);
  rows.HLine(edgeY + 1, dark);

  if (CLineOn) {
    // The loupe's centre, not the cell's.
    rows.HLine(127, light);
    rows.HLine(128, dark);
    rows.VLine(127, light);
    rows.VLine(128, dark);
  }
}

void TEditor::StoreCell() {
  if (Hamidasi.Checked()) {
    CopyBlock(0, 0, ChrX - 1, ChrY - 1, ChrDib, CellX, CellY, *AllDib);
    return;
  }
  // Only the part the loupe shows; what a tool drew beyond it stays out of the sheet.
  const int32_t right = std::min<int32_t>(LupeX + LupeSpan, ChrX) - 1;
  const int32_t bottom = std::min<int32_t>(LupeY + LupeSpan, ChrY) - 1;
  CopyBlock(LupeX, LupeY, right, bottom, ChrDib, CellX + LupeX, CellY + LupeY, *AllDib);
}

}  // namespace pixkura
