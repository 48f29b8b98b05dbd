// The sheet view: stepping the selected cell, the copy grid, picking a block
// with two clicks and dropping it with a third, and the magnifier.
#include <algorithm>
#include <string>

#include "app/core/Editor.h"
#include "image/DIB256.h"

namespace pixkura {

namespace {
constexpr int32_t kSheet = 256;

// A block of whole grid steps may reach past the sheet's right or bottom
// edge (a free start near the edge, a grid that does not divide 256): it is
// cut there, so the frame shows and the copy holds only sheet pixels.
int32_t CutToSheet(int32_t start, int32_t size) { return std::max(0, std::min(size, kSheet - start)); }

}  // namespace

TEditor::TSheetPoint TEditor::SheetPointOf(TComponent* Sender, int32_t X, int32_t Y) const {
  // The frames over the sheet report their own coordinates; shift them onto the sheet.
  TSheetPoint p{X, Y, SFree.Checked() ? 1 : SelSize};
  if (Sender == &SelA || Sender == &SelC || Sender == &CopySel) {
    const auto& frame = static_cast<const TControl&>(*Sender);
    p.x += frame.Left() - AllView.Left();
    p.y += frame.Top() - AllView.Top();
  }
  return p;
}

void TEditor::AllbtClick(TComponent* Sender) {
  int32_t x = CellX, y = CellY;
  if (Sender == &AllDown) y += ChrY;
  if (Sender == &AllUp) y -= ChrY;
  if (Sender == &AllLeft) x -= ChrX;
  if (Sender == &AllRight) x += ChrX;
  if (x < 0 || y < 0 || x > kSheet - ChrX || y > kSheet - ChrY) return;
  CellX = x;
  CellY = y;
  LupeX = 0;
  LupeY = 0;
  SelA.SetBounds(AllView.Left() + CellX, AllView.Top() + CellY, SelA.Width(), SelA.Height());
  SelC.SetBounds(AllView.Left() + CellX, AllView.Top() + CellY, SelC.Width(), SelC.Height());
  RefreshChrDib();
  PlaceAnchorMarker();
  RedrawLoupe();
}

void TEditor::SelSizeBarChange(TComponent* /*Sender*/) {
  SelSize = static_cast<uint8_t>(SelSizeBar.Position());
  SelSizeLab.SetText(std::to_string(SelSize));
  RestartCopySpan();
}

void TEditor::RestartCopySpan() {
  // A span measures its corner and its size in one grid. When the grid
  // changes (its size, or the free start) while a span is open, the span
  // starts again in the new grid at the grid point of its corner.
  if (!CopyOn) return;
  const int32_t c = SFree.Checked() ? 1 : SelSize;
  CopyX = (CopySel.Left() - AllView.Left()) / c;
  CopyY = (CopySel.Top() - AllView.Top()) / c;
  CopySel.SetBounds(AllView.Left() + CopyX * c, AllView.Top() + CopyY * c, 0, 0);
}

void TEditor::ShowMagnifier(int32_t left, int32_t top) {
  // The 8 x 8 sheet pixels at the grid point, eight times enlarged. Where the
  // square reaches past the sheet's edge the preview shows the transparent colour.
  const int32_t x0 = std::max(left, 0), y0 = std::max(top, 0);
  const int32_t x1 = std::min(left + 8, kSheet), y1 = std::min(top + 8, kSheet);
  const bool whole = x0 == left && y0 == top && x1 == left + 8 && y1 == top + 8;
  if (!whole) FillBox(0, 0, 63, 63, Toumei, *MovDib);
  if (x0 < x1 && y0 < y1)
    StretchCopy(x0, y0, x1, y1, *AllDib, 8 * (x0 - left), 8 * (y0 - top), 8 * (x1 - left), 8 * (y1 - top), *MovDib);
}

void TEditor::AllViewMouseMove(TComponent* Sender, TShiftState /*Shift*/, int32_t X, int32_t Y) {
  const TSheetPoint p = SheetPointOf(Sender, X, Y);
  const int32_t c = p.c, gx = p.x / c, gy = p.y / c;
  if (MovChk.Checked()) ShowMagnifier(gx * c, gy * c);
  if (!CopyOn && !CopyReady)
    CopySel.SetBounds(AllView.Left() + gx * c, AllView.Top() + gy * c, SelSize, SelSize);
  SBar.SetText(1, std::to_string(gx));
  SBar.SetText(2, std::to_string(gy));
  if (CopyOn) {
    // The block grows only right and down from its corner, in whole grid steps.
    if (gx >= CopyX && gy >= CopyY && (gx + 1) * c <= kSheet && (gy + 1) * c <= kSheet) {
      const int32_t w = SFree.Checked() ? ((gx - CopyX) / SelSize + 1) * SelSize : (gx - CopyX + 1) * SelSize;
      const int32_t h = SFree.Checked() ? ((gy - CopyY) / SelSize + 1) * SelSize : (gy - CopyY + 1) * SelSize;
      CopySel.SetBounds(CopySel.Left(), CopySel.Top(), CutToSheet(CopySel.Left() - AllView.Left(), w),
                        CutToSheet(CopySel.Top() - AllView.Top(), h));
    }
  } else if (CopyReady) {
    if (p.x >= 0 && p.x < kSheet && p.y >= 0 && p.y < kSheet)
      CopySel.SetBounds(AllView.Left() + gx * c, AllView.Top() + gy * c, CopySel.Width(), CopySel.Height());
  }
}

void TEditor::PickCopyBlock() {
  SBar.SetText(4, "転送先指定");
  CopyOn = false;
  CopyReady = true;
  CopySel.SetBrushStyle(TBrushStyle::bsCross);
  // A second click without a move picks one grid cell.
  const int32_t sx = CopySel.Left() - AllView.Left(), sy = CopySel.Top() - AllView.Top();
  const int32_t w = CutToSheet(sx, CopySel.Width() == 0 ? SelSize : CopySel.Width());
  const int32_t h = CutToSheet(sy, CopySel.Height() == 0 ? SelSize : CopySel.Height());
  CopySel.SetBounds(CopySel.Left(), CopySel.Top(), w, h);
  CopyDib->SetWidth(w);
  CopyDib->SetHeight(h);
  CopyDib->SetBitCount(8);
  CopyDib->SetPixelFormat(ixPf8Bit);
  CopyDib->SetPaletteSize(256);
  for (int32_t i = 0; i < 256; ++i) CopyDib->SetColors(i, AllDib->GetColors(i));
  // Every pixel of the copy comes from the sheet: none is left from an earlier block.
  CopyBlock(sx, sy, sx + w - 1, sy + h - 1, *AllDib, 0, 0, *CopyDib);
}

void TEditor::DropCopyBlock(int32_t dx, int32_t dy) {
  SBar.SetText(4, "");
  AllDrag = false;
  CopyReady = false;
  TakeSnapshot();
  const int32_t right = CopyDib->GetWidth() - 1, bottom = CopyDib->GetHeight() - 1;
  // Parts of the block beyond the sheet are cut by the copies.
  if (TOUMEIChk.Checked())
    TransparentCopyBlock(0, 0, right, bottom, *CopyDib, dx, dy, *AllDib, Toumei);
  else
    CopyBlock(0, 0, right, bottom, *CopyDib, dx, dy, *AllDib);
  AllView.Invalidate();
  RefreshChrDib();
  CopyDib->SetWidth(1);
  CopyDib->SetHeight(1);
  PenDot(0, 0, 0, *CopyDib, false, 0, false, 1);
  CopySel.SetBrushStyle(TBrushStyle::bsClear);
  CopySel.SetBounds(CopySel.Left(), CopySel.Top(), SelSize, SelSize);
  SelA.Show();
  SelC.Show();
  RedrawLoupe();
}

void TEditor::AllViewMouseDown(TComponent* Sender, TMouseButton Button, TShiftState /*Shift*/, int32_t X, int32_t Y) {
  const TSheetPoint p = SheetPointOf(Sender, X, Y);
  if (p.x < 0 || p.x >= kSheet || p.y < 0 || p.y >= kSheet) return;
  const int32_t c = p.c;
  if (Button == TMouseButton::mbLeft && !AllDrag) {
    SBar.SetText(4, "複写領域選択開始");
    AllDrag = true;
    CopyOn = true;
    CopyX = p.x / c;
    CopyY = p.y / c;
    CopySel.SetBounds(AllView.Left() + CopyX * c, AllView.Top() + CopyY * c, 0, 0);
    CopySel.SetBrushStyle(TBrushStyle::bsClear);
    SelA.Hide();
    SelC.Hide();
  } else if (Button == TMouseButton::mbLeft && CopyOn && !CopyReady) {
    PickCopyBlock();
  } else if (Button == TMouseButton::mbLeft && CopyReady) {
    DropCopyBlock(p.x / c * c, p.y / c * c);
  } else if (Button == TMouseButton::mbRight) {
    SBar.SetText(4, "");
    AllDrag = false;
    CopyOn = false;
    CopyReady = false;
    CopySel.SetBrushStyle(TBrushStyle::bsClear);
    SelA.Show();
    SelC.Show();
  }
}

}  // namespace pixkura
