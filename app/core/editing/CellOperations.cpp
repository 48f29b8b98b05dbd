// Operations on the selected character cell as a whole: mirror, roll by one
// pixel, and the cell size of the whole editor.
#include <algorithm>
#include <string>

#include "app/core/Editor.h"
#include "app/core/document/BitmapShape.h"
#include "image/DIB256.h"

namespace pixkura {

void TEditor::btMirrorClick(TComponent* /*Sender*/) {
  TakeSnapshot();
  // The copy buffer is the scratch bitmap, except while a picked block waits
  // to be dropped: reusing it then would lose the user's block.
  TIxDIB privateScratch;
  TIxDIB& scratch = Copy.CopyReady() ? privateScratch : *Copy.CopyDib;
  ShapeBitmapWithColors(scratch, View.ChrX, View.ChrY, *Doc.PalDib);
  CopyBlock(View.CellX, View.CellY, View.CellX + View.ChrX - 1, View.CellY + View.ChrY - 1, *Doc.AllDib, 0, 0, scratch);
  MirrorCopyBlock(0, 0, View.ChrX - 1, View.ChrY - 1, scratch, View.CellX, View.CellY, *Doc.AllDib);
  if (&scratch == Copy.CopyDib) ResetCopyBuffer(*Copy.CopyDib);
  RefreshChrDib();
  RedrawLoupe();
  AllView.Repaint();
}

void TEditor::ShiftClick(TComponent* Sender) {
  TIxDIB t;
  ShapeBitmapWithColors(t, View.ChrX, View.ChrY, *Doc.PalDib);
  TakeSnapshot();
  CopyBlock(View.CellX, View.CellY, View.CellX + View.ChrX - 1, View.CellY + View.ChrY - 1, *Doc.AllDib, 0, 0, t);
  const int32_t right = View.ChrX - 1, bottom = View.ChrY - 1;
  // A roll: the bulk moves one pixel, the line pushed out re-enters opposite.
  if (Sender == &SUp) {
    CopyBlock(0, 1, right, bottom, t, View.CellX, View.CellY, *Doc.AllDib);
    CopyBlock(0, 0, right, 0, t, View.CellX, View.CellY + bottom, *Doc.AllDib);
  } else if (Sender == &SDown) {
    CopyBlock(0, 0, right, bottom - 1, t, View.CellX, View.CellY + 1, *Doc.AllDib);
    CopyBlock(0, bottom, right, bottom, t, View.CellX, View.CellY, *Doc.AllDib);
  } else if (Sender == &SLeft) {
    CopyBlock(1, 0, right, bottom, t, View.CellX, View.CellY, *Doc.AllDib);
    CopyBlock(0, 0, 0, bottom, t, View.CellX + right, View.CellY, *Doc.AllDib);
  } else if (Sender == &SRight) {
    CopyBlock(0, 0, right - 1, bottom, t, View.CellX + 1, View.CellY, *Doc.AllDib);
    CopyBlock(right, 0, right, bottom, t, View.CellX, View.CellY, *Doc.AllDib);
  }
  RefreshChrDib();
  RedrawLoupe();
}

void TEditor::btCSClick(TComponent* Sender) {
  // Halving a size of 8 would give 4; it gives 8 off instead, so 8 is the smallest.
  auto half = [](int32_t size) { return size / 2 == 4 ? 8 : size / 2; };
  int32_t x = View.ChrX, y = View.ChrY;
  const bool layers = kasane.Checked();
  if (Sender == &btCSXDown) x = layers ? View.ChrX - half(View.ChrX) : View.ChrX - 8;
  if (Sender == &btCSXUp) x = layers ? 2 * View.ChrX : View.ChrX + 8;
  if (Sender == &btCSYDown) y = layers ? View.ChrY - half(View.ChrY) : View.ChrY - 8;
  if (Sender == &btCSYUp) y = layers ? 2 * View.ChrY : View.ChrY + 8;
  if (x > 0 && x <= 256) View.ChrX = x;
  if (y > 0 && y <= 256) View.ChrY = y;
  // A layer is at most a half of the sheet wide and high.
  if (layers && View.ChrX == 256) View.ChrX = 128;
  if (layers && View.ChrY == 256) View.ChrY = 128;

  Tools.Cell.ChrDib.SetWidth(View.ChrX);
  Tools.Cell.ChrDib.SetHeight(View.ChrY);
  for (int32_t i = 0; i < 256; ++i) Tools.Cell.ChrDib.SetColors(i, Doc.PalDib->GetColors(i));
  CSXLab.SetText(std::to_string(View.ChrX));
  CSYLab.SetText(std::to_string(View.ChrY));

  View.CellX = View.CellY = View.LupeX = View.LupeY = 0;
  SelA.SetBounds(AllView.Left(), AllView.Top(), View.ChrX, View.ChrY);
  SelC.SetBounds(AllView.Left(), AllView.Top(), SelC.Width(), SelC.Height());

  FillBox(0, 0, 127, 127, DarkIdx(), *Views.NomDib);
  FillBox(0, 0, 127, 127, DarkIdx(), *Views.RevDib);
  RefreshChrDib();
  PlaceAnchorMarker();
  RedrawLoupe();
}

}  // namespace pixkura
