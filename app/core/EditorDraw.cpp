// Drawing in the loupe: the mouse events handed to the tools (tools/), the
// eyedropper on the right button, and the pen cursor.
#include <string>

#include "app/core/Editor.h"

namespace pixkura {

TLoupeEvent TEditor::LoupeEventOf(TComponent* Sender, TShiftState Shift, int32_t X, int32_t Y) const {
  // Events of the shapes over the loupe arrive in the shape's own coordinates.
  int32_t x = X, y = Y;
  if (Sender == &Cur || Sender == &DrawTg) {
    const auto& shape = static_cast<const TControl&>(*Sender);
    x += shape.Left() - LupeView.Left();
    y += shape.Top() - LupeView.Top();
  }
  const int32_t px = View.LoupePixel(x), py = View.LoupePixel(y);
  const int32_t cx = View.CellXOfLoupe(px), cy = View.CellYOfLoupe(py);
  return TLoupeEvent{Sender, Shift, X, Y, px, py, cx, cy, View.InsideCell(cx, cy)};
}

void TEditor::CommitCell() {
  StoreCell();
  AllView.Invalidate();
  RedrawLoupe();
}

void TEditor::StoreCell() { Tools.Cell.Store(View, Hamidasi.Checked(), Doc); }

void TEditor::RefreshChrDib() { Tools.Cell.Refresh(View, *Doc.AllDib); }

void TEditor::PlaceAnchorMarker() {
  // The anchor is a cell pixel; its marker covers that pixel's square in the
  // loupe, wherever the zoom and the scroll put it, and is hidden while the
  // loupe does not show the pixel.
  const int32_t px = Tools.Anchor.StartX - View.LupeX, py = Tools.Anchor.StartY - View.LupeY;
  if (!Tools.Anchor.ShapeAnchor || px < 0 || py < 0 || px >= View.LupeSpan || py >= View.LupeSpan) {
    DrawTg.Hide();
    return;
  }
  DrawTg.SetBounds(LupeView.Left() + View.Bai * px, LupeView.Top() + View.Bai * py, View.Bai, View.Bai);
  DrawTg.Show();
}

void TEditor::LupeViewMouseDown(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (Copy.CopyOn() || Copy.CopyReady()) return;  // a copy is being picked or placed in the sheet view
  const TLoupeEvent at = LoupeEventOf(Sender, Shift, X, Y);
  TLoupeTool& tool = Tools.Current();
  if (Button == TMouseButton::mbRight) {
    if (tool.DropAnchor()) return;
    Tools.Spoit.Press(at);
    return;
  }
  if (Button != TMouseButton::mbLeft) return;
  tool.Press(at);
}

void TEditor::LupeViewMouseMove(TComponent* Sender, TShiftState Shift, int32_t X, int32_t Y) {
  if (Copy.AllDrag()) return;  // a copy is under way in the sheet view
  const TLoupeEvent at = LoupeEventOf(Sender, Shift, X, Y);
  SBar.SetText(1, std::to_string(at.x));
  SBar.SetText(2, std::to_string(at.y));
  // A stroke goes on, or the eyedropper picks, whichever tool is chosen now.
  if (Tools.Pen.Move(at) || Tools.Spoit.Move(at)) return;

  // The pen cursor covers exactly the square the pen paints; an unknown pen
  // size leaves it where it is.
  const int32_t penSize = Tools.PenSize, bai = View.Bai;
  int32_t left = Cur.Left(), top = Cur.Top();
  if (penSize >= 1 && penSize <= 5) {
    const int32_t offset = penSize <= 2 ? 0 : penSize <= 4 ? -1 : -2;
    left = LupeView.Left() + bai * (at.x + offset);
    top = LupeView.Top() + bai * (at.y + offset);
  }
  Cur.SetBounds(left, top, bai * penSize, bai * penSize);
  Cur.SetBrushColor(Views.LupeDib->GetColors(MainColor));
}

void TEditor::LupeViewMouseUp(TComponent*, TMouseButton, TShiftState, int32_t, int32_t) {
  if (Copy.AllDrag()) return;
  Tools.Pen.Release();
  Tools.Spoit.Release();
  SelA.Show();
  SelC.Show();
  Cur.Show();
}

}  // namespace pixkura
