#include "app/core/editing/BlockCopy.h"

#include <algorithm>
#include <string>

#include "app/core/Editor.h"
#include "app/core/document/BitmapShape.h"
#include "image/DIB256.h"

namespace pixkura {
namespace {

constexpr int32_t kSheet = 256;

// A block of whole grid steps may reach past the sheet's right or bottom
// edge (a free start near the edge, a grid that does not divide 256): it is
// cut there, so the frame shows and the copy holds only sheet pixels.
int32_t CutToSheet(int32_t start, int32_t size) { return std::max(0, std::min(size, kSheet - start)); }

}  // namespace

void TBlockCopy::PlaceFrame(int32_t x, int32_t y, int32_t w, int32_t h) {
  e_.CopySel.SetBounds(e_.AllView.Left() + x, e_.AllView.Top() + y, w, h);
}

void TBlockCopy::RestartSpan() {
  // A span measures its corner and its size in one grid.
  if (!CopyOn()) return;
  const int32_t c = e_.SFree.Checked() ? 1 : SelSize;
  CopyX = CornerX / c;
  CopyY = CornerY / c;
  CornerX = CopyX * c;
  CornerY = CopyY * c;
  PlaceFrame(CornerX, CornerY, 0, 0);
}

void TBlockCopy::MouseMove(int32_t x, int32_t y, int32_t c) {
  const int32_t gx = x / c, gy = y / c;
  if (!CopyOn() && !CopyReady()) PlaceFrame(gx * c, gy * c, SelSize, SelSize);
  e_.SBar.SetText(1, std::to_string(gx));
  e_.SBar.SetText(2, std::to_string(gy));
  if (CopyOn()) {
    // The block grows only right and down from its corner, in whole grid steps.
    if (gx >= CopyX && gy >= CopyY && (gx + 1) * c <= kSheet && (gy + 1) * c <= kSheet) {
      const bool free = e_.SFree.Checked();
      const int32_t w = free ? ((gx - CopyX) / SelSize + 1) * SelSize : (gx - CopyX + 1) * SelSize;
      const int32_t h = free ? ((gy - CopyY) / SelSize + 1) * SelSize : (gy - CopyY + 1) * SelSize;
      PlaceFrame(CornerX, CornerY, CutToSheet(CornerX, w), CutToSheet(CornerY, h));
    }
  } else if (CopyReady()) {
    if (x >= 0 && x < kSheet && y >= 0 && y < kSheet)
      PlaceFrame(gx * c, gy * c, e_.CopySel.Width(), e_.CopySel.Height());
  }
}

void TBlockCopy::MouseDown(TMouseButton button, int32_t x, int32_t y, int32_t c) {
  if (x < 0 || x >= kSheet || y < 0 || y >= kSheet) return;
  if (button == TMouseButton::mbLeft && !AllDrag()) {
    Start(x, y, c);
  } else if (button == TMouseButton::mbLeft && CopyOn() && !CopyReady()) {
    Pick();
  } else if (button == TMouseButton::mbLeft && CopyReady()) {
    Drop(x / c * c, y / c * c);
  } else if (button == TMouseButton::mbRight) {
    Cancel();
  }
}

void TBlockCopy::Start(int32_t x, int32_t y, int32_t c) {
  e_.SBar.SetText(4, "複写領域選択開始");
  State = TState::Spanning;
  CopyX = x / c;
  CopyY = y / c;
  CornerX = CopyX * c;
  CornerY = CopyY * c;
  PlaceFrame(CornerX, CornerY, 0, 0);
  e_.CopySel.SetBrushStyle(TBrushStyle::bsClear);
  e_.SelA.Hide();
  e_.SelC.Hide();
}

void TBlockCopy::Wait(int32_t w, int32_t h) {
  e_.SBar.SetText(4, "転送先指定");
  State = TState::Waiting;
  e_.CopySel.SetBrushStyle(TBrushStyle::bsCross);
  e_.CopySel.SetBounds(e_.CopySel.Left(), e_.CopySel.Top(), w, h);
  ShapeBitmapWithColors(*CopyDib, w, h, *e_.Doc.AllDib);
  e_.CopyView.Invalidate();
}

void TBlockCopy::Pick() {
  // A second click without a move picks one grid cell.
  const TShape& frame = e_.CopySel;
  const int32_t sx = CornerX, sy = CornerY;
  const int32_t w = CutToSheet(sx, frame.Width() == 0 ? SelSize : frame.Width());
  const int32_t h = CutToSheet(sy, frame.Height() == 0 ? SelSize : frame.Height());
  Wait(w, h);
  FromSheet = true;
  PaletteWithDrop.reset();
  // Every pixel of the copy comes from the sheet: none is left from an earlier block.
  CopyBlock(sx, sy, sx + w - 1, sy + h - 1, *e_.Doc.AllDib, 0, 0, *CopyDib);
}

void TBlockCopy::Hold(int32_t width, int32_t height, const uint8_t* indices,
                      const std::optional<std::array<TColor, 256>>& palette) {
  if (AllDrag()) Cancel();
  e_.SelA.Hide();
  e_.SelC.Hide();
  Wait(width, height);
  FromSheet = false;
  PaletteWithDrop = palette;
  // A block that brings its palette is shown, and saved while it waits, in its own colours.
  if (palette)
    for (int32_t i = 0; i < 256; ++i) CopyDib->SetColors(i, (*palette)[static_cast<size_t>(i)]);
  for (int32_t y = 0; y < height; ++y)
    std::copy_n(indices + static_cast<ptrdiff_t>(y) * width, width, CopyDib->GetScanLine(y));
}

void TBlockCopy::Drop(int32_t dx, int32_t dy) {
  e_.SBar.SetText(4, "");
  State = TState::Idle;
  e_.TakeSnapshot();
  if (PaletteWithDrop) e_.SetMasterPalette(*PaletteWithDrop);
  PaletteWithDrop.reset();
  TIxDIB& sheet = *e_.Doc.AllDib;
  const int32_t right = CopyDib->GetWidth() - 1, bottom = CopyDib->GetHeight() - 1;
  // Parts of the block beyond the sheet are cut by the copies.
  if (e_.TOUMEIChk.Checked())
    TransparentCopyBlock(0, 0, right, bottom, *CopyDib, dx, dy, sheet, e_.Toumei);
  else
    CopyBlock(0, 0, right, bottom, *CopyDib, dx, dy, sheet);
  e_.AllView.Invalidate();
  e_.RefreshChrDib();
  ResetCopyBuffer(*CopyDib);
  e_.CopySel.SetBrushStyle(TBrushStyle::bsClear);
  e_.CopySel.SetBounds(e_.CopySel.Left(), e_.CopySel.Top(), SelSize, SelSize);
  e_.SelA.Show();
  e_.SelC.Show();
  e_.RedrawLoupe();
}

void TBlockCopy::Cancel() {
  e_.SBar.SetText(4, "");
  State = TState::Idle;
  PaletteWithDrop.reset();
  e_.CopySel.SetBrushStyle(TBrushStyle::bsClear);
  e_.SelA.Show();
  e_.SelC.Show();
}

void ResetCopyBuffer(TIxDIB& copy) {
  copy.SetWidth(1);
  copy.SetHeight(1);
  PenDot(0, 0, 0, copy, false, 0, false, 1);
}

}  // namespace pixkura
