// Drawing in the loupe: the six tools, the eyedropper and the pen cursor.
#include <string>

#include "app/core/Editor.h"
#include "image/DIB256.h"

namespace pixkura {

TEditor::TLoupePoint TEditor::LoupePixelOf(TComponent* Sender, int32_t X, int32_t Y) const {
  // Events of the shapes over the loupe arrive in the shape's own coordinates.
  int32_t x = X, y = Y;
  if (Sender == &Cur || Sender == &DrawTg) {
    const auto& shape = static_cast<const TControl&>(*Sender);
    x += shape.Left() - LupeView.Left();
    y += shape.Top() - LupeView.Top();
  }
  return TLoupePoint{x / Bai, y / Bai};  // truncating, as the loupe's grid does
}

void TEditor::CommitCell() {
  StoreCell();
  AllView.Invalidate();
  RedrawLoupe();
}

void TEditor::PlaceAnchorMarker() {
  // The anchor is a cell pixel; its marker covers that pixel's square in the
  // loupe, wherever the zoom and the scroll put it, and is hidden while the
  // loupe does not show the pixel.
  const int32_t px = StartX - LupeX, py = StartY - LupeY;
  if (!ShapeAnchor || px < 0 || py < 0 || px >= LupeSpan || py >= LupeSpan) {
    DrawTg.Hide();
    return;
  }
  DrawTg.SetBounds(LupeView.Left() + Bai * px, LupeView.Top() + Bai * py, Bai, Bai);
  DrawTg.Show();
}

void TEditor::LupeViewMouseDown(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (CopyOn || CopyReady) return;  // a copy is being picked or placed in the sheet view
  const TLoupePoint p = LoupePixelOf(Sender, X, Y);
  const int32_t cx = LupeX + p.x, cy = LupeY + p.y;
  const bool insideCell = cx >= 0 && cy >= 0 && cx < ChrX && cy < ChrY;
  const bool shapeTool = Tool == 1 || Tool == 2 || Tool == 4;

  if (Button == TMouseButton::mbRight) {
    if (shapeTool && ShapeAnchor) {
      ShapeAnchor = false;
      DrawTg.Hide();
      return;
    }
    SpoitDown = true;
    LupeViewMouseMove(Sender, Shift, X, Y);
    return;
  }
  if (Button != TMouseButton::mbLeft) return;

  switch (Tool) {
    case 0:
      if (!insideCell) return;
      PenDown = true;
      PenFirst = true;
      SelA.Hide();
      SelC.Hide();
      Cur.Hide();
      StartX = p.x;
      StartY = p.y;
      TakeSnapshot();
      LupeViewMouseMove(Sender, Shift, X, Y);
      return;
    case 1:
    case 2:
    case 4:
      if (!ShapeAnchor) {
        ShapeAnchor = true;
        StartX = cx;
        StartY = cy;
        PlaceAnchorMarker();
        return;
      }
      TakeSnapshot();
      ShapeAnchor = false;
      DrawTg.Hide();
      if (Tool == 1)
        PenLine(StartX, StartY, cx, cy, MainColor, ChrDib, false, 0, false, static_cast<uint8_t>(PenSize));
      else if (Tool == 2)
        PenEllipse(StartX, StartY, cx, cy, MainColor, ChrDib, false, 0, false, static_cast<uint8_t>(PenSize), false);
      else
        PenBox(StartX, StartY, cx, cy, MainColor, ChrDib, false, 0, false, static_cast<uint8_t>(PenSize));
      CommitCell();
      return;
    case 3:
      // A click on the loupe beyond the cell's edge has no pixel to fill: it is
      // ignored before the snapshot, so it leaves no empty undo step.
      if (!insideCell) return;
      TakeSnapshot();
      FillArea(cx, cy, MainColor, ChrDib);
      CommitCell();
      return;
    case 5: {
      if (!insideCell) return;
      TakeSnapshot();
      const auto under = static_cast<uint8_t>(ChrDib.GetPixels(cx, cy));
      ChrDib.SetPixels(cx, cy, Shift.Shift ? MainColor : Blend().MixTable[under][MainColor]);
      CommitCell();
      return;
    }
    default:
      return;
  }
}

void TEditor::LupeViewMouseMove(TComponent* Sender, TShiftState Shift, int32_t X, int32_t Y) {
  if (AllDrag) return;  // a copy is under way in the sheet view
  const TLoupePoint p = LoupePixelOf(Sender, X, Y);
  SBar.SetText(1, std::to_string(p.x));
  SBar.SetText(2, std::to_string(p.y));

  if (PenDown) {
    // A move that stays on the same loupe pixel draws nothing.
    if (p.x == StartX && p.y == StartY && !PenFirst) return;
    SquarePenLine(StartX + LupeX, StartY + LupeY, p.x + LupeX, p.y + LupeY, MainColor, ChrDib,
                  static_cast<uint8_t>(PenSize));
    StoreCell();
    AllView.Repaint();
    RedrawLoupe();
    StartX = p.x;
    StartY = p.y;
    PenFirst = false;
    return;
  }

  if (SpoitDown) {
    if (X < 0 || X >= 256 || Y < 0 || Y >= 256) return;
    const int32_t cx = LupeX + p.x, cy = LupeY + p.y;
    const int32_t sx = CellX + cx, sy = CellY + cy;
    // The negative side can be reached through a shape that reaches left of or
    // above the loupe; there is no pixel there to pick.
    if (cx < 0 || cy < 0 || sx >= BufW || sy >= BufH || cx >= ChrX || cy >= ChrY) return;
    TIxDIB* source = AllDib;
    if (kasane.Checked() && Shift.Shift) {
      switch (LupeLay.ItemIndex()) {
        case 0: source = AllDib; break;
        case 1: source = &LayDib; break;
        case 2: source = &LayAllDib; break;
        default: return;
      }
    }
    MainColor = static_cast<uint8_t>(source->GetPixels(sx, sy));
    ShowMainColor();
    return;
  }

  // The pen cursor covers exactly the square the pen paints; an unknown pen
  // size leaves it where it is.
  int32_t left = Cur.Left(), top = Cur.Top();
  if (PenSize >= 1 && PenSize <= 5) {
    const int32_t offset = PenSize <= 2 ? 0 : PenSize <= 4 ? -1 : -2;
    left = LupeView.Left() + Bai * (p.x + offset);
    top = LupeView.Top() + Bai * (p.y + offset);
  }
  Cur.SetBounds(left, top, Bai * PenSize, Bai * PenSize);
  Cur.SetBrushColor(LupeDib->GetColors(MainColor));
}

void TEditor::LupeViewMouseUp(TComponent*, TMouseButton, TShiftState, int32_t, int32_t) {
  if (AllDrag) return;
  PenDown = false;
  SpoitDown = false;
  SelA.Show();
  SelC.Show();
  Cur.Show();
}

}  // namespace pixkura
