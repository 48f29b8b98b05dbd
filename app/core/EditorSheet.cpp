// The sheet view: stepping the selected cell, the copy grid, the block copy
// (editing/BlockCopy.h) and the magnifier.
#include <algorithm>
#include <string>

#include "app/core/Editor.h"
#include "image/DIB256.h"

namespace pixkura {

namespace {
constexpr int32_t kSheet = 256;
}  // namespace

TEditor::TSheetPoint TEditor::SheetPointOf(TComponent* Sender, int32_t X, int32_t Y) const {
  // The frames over the sheet report their own coordinates; shift them onto the sheet.
  TSheetPoint p{X, Y, SFree.Checked() ? 1 : Copy.SelSize};
  if (Sender == &SelA || Sender == &SelC || Sender == &CopySel) {
    const auto& frame = static_cast<const TControl&>(*Sender);
    p.x += frame.Left() - AllView.Left();
    p.y += frame.Top() - AllView.Top();
  }
  return p;
}

void TEditor::AllbtClick(TComponent* Sender) {
  int32_t x = View.CellX, y = View.CellY;
  if (Sender == &AllDown) y += View.ChrY;
  if (Sender == &AllUp) y -= View.ChrY;
  if (Sender == &AllLeft) x -= View.ChrX;
  if (Sender == &AllRight) x += View.ChrX;
  if (!View.SelectCell(x, y)) return;
  SelA.SetBounds(AllView.Left() + View.CellX, AllView.Top() + View.CellY, SelA.Width(), SelA.Height());
  SelC.SetBounds(AllView.Left() + View.CellX, AllView.Top() + View.CellY, SelC.Width(), SelC.Height());
  RefreshChrDib();
  PlaceAnchorMarker();
  RedrawLoupe();
}

void TEditor::SelSizeBarChange(TComponent* /*Sender*/) {
  Copy.SelSize = static_cast<uint8_t>(SelSizeBar.Position());
  SelSizeLab.SetText(std::to_string(Copy.SelSize));
  Copy.RestartSpan();
}

void TEditor::ShowMagnifier(int32_t left, int32_t top) {
  // The 8 x 8 sheet pixels at the grid point, eight times enlarged. Where the
  // square reaches past the sheet's edge the preview shows the transparent colour.
  const int32_t x0 = std::max(left, 0), y0 = std::max(top, 0);
  const int32_t x1 = std::min(left + 8, kSheet), y1 = std::min(top + 8, kSheet);
  const bool whole = x0 == left && y0 == top && x1 == left + 8 && y1 == top + 8;
  if (!whole) FillBox(0, 0, 63, 63, Toumei, *Views.MovDib);
  if (x0 < x1 && y0 < y1)
    StretchCopy(x0, y0, x1, y1, *Doc.AllDib, 8 * (x0 - left), 8 * (y0 - top), 8 * (x1 - left), 8 * (y1 - top),
                *Views.MovDib);
}

void TEditor::AllViewMouseMove(TComponent* Sender, TShiftState /*Shift*/, int32_t X, int32_t Y) {
  const TSheetPoint p = SheetPointOf(Sender, X, Y);
  if (MovChk.Checked()) ShowMagnifier(p.x / p.c * p.c, p.y / p.c * p.c);
  Copy.MouseMove(p.x, p.y, p.c);
}

void TEditor::AllViewMouseDown(TComponent* Sender, TMouseButton Button, TShiftState /*Shift*/, int32_t X, int32_t Y) {
  const TSheetPoint p = SheetPointOf(Sender, X, Y);
  Copy.MouseDown(Button, p.x, p.y, p.c);
}

void TEditor::BlockCancelKey(TComponent*) {
  if (Copy.AllDrag()) Copy.Cancel();
}

}  // namespace pixkura
