// Operations on the selected character cell as a whole: mirror, roll by one
// pixel, and the cell size of the whole editor.
#include <algorithm>
#include <string>

#include "app/core/Editor.h"
#include "image/DIB256.h"

namespace pixkura {
namespace {

// Gives a bitmap the cell's size, 8 bits and the master palette, entry by entry.
void PrepareScratch(TIxDIB& scratch, int32_t width, int32_t height, const TIxDIB& master) {
  scratch.SetWidth(width);
  scratch.SetHeight(height);
  scratch.SetBitCount(8);
  scratch.SetPixelFormat(ixPf8Bit);
  scratch.SetPaletteSize(256);
  for (int32_t i = 0; i < 256; ++i) scratch.SetColors(i, master.GetColors(i));
}

// The copy buffer's idle picture: one pixel of index 0.
void ResetCopyBuffer(TIxDIB& copy) {
  copy.SetWidth(1);
  copy.SetHeight(1);
  PenDot(0, 0, 0, copy, false, 0, false, 1);
}

}  // namespace

void TEditor::btMirrorClick(TComponent* /*Sender*/) {
  TakeSnapshot();
  // The copy buffer is the scratch bitmap, except while a picked block waits
  // to be dropped: reusing it then would lose the user's block.
  TIxDIB privateScratch;
  TIxDIB& scratch = CopyReady ? privateScratch : *CopyDib;
  PrepareScratch(scratch, ChrX, ChrY, *PalDib);
  CopyBlock(CellX, CellY, CellX + ChrX - 1, CellY + ChrY - 1, *AllDib, 0, 0, scratch);
  MirrorCopyBlock(0, 0, ChrX - 1, ChrY - 1, scratch, CellX, CellY, *AllDib);
  if (&scratch == CopyDib) ResetCopyBuffer(*CopyDib);
  RefreshChrDib();
  RedrawLoupe();
  AllView.Repaint();
}

void TEditor::ShiftClick(TComponent* Sender) {
  TIxDIB t;
  PrepareScratch(t, ChrX, ChrY, *PalDib);
  TakeSnapshot();
  CopyBlock(CellX, CellY, CellX + ChrX - 1, CellY + ChrY - 1, *AllDib, 0, 0, t);
  const int32_t right = ChrX - 1, bottom = ChrY - 1;
  // A roll: the bulk moves one pixel, the line pushed out re-enters opposite.
  if (Sender == &SUp) {
    CopyBlock(0, 1, right, bottom, t, CellX, CellY, *AllDib);
    CopyBlock(0, 0, right, 0, t, CellX, CellY + bottom, *AllDib);
  } else if (Sender == &SDown) {
    CopyBlock(0, 0, right, bottom - 1, t, CellX, CellY + 1, *AllDib);
    CopyBlock(0, bottom, right, bottom, t, CellX, CellY, *AllDib);
  } else if (Sender == &SLeft) {
    CopyBlock(1, 0, right, bottom, t, CellX, CellY, *AllDib);
    CopyBlock(0, 0, 0, bottom, t, CellX + right, CellY, *AllDib);
  } else if (Sender == &SRight) {
    CopyBlock(0, 0, right - 1, bottom, t, CellX + 1, CellY, *AllDib);
    CopyBlock(right, 0, right, bottom, t, CellX, CellY, *AllDib);
  }
  RefreshChrDib();
  RedrawLoupe();
}

void TEditor::btCSClick(TComponent* Sender) {
  // Halving a size of 8 would give 4; it gives 8 off instead, so 8 is the smallest.
  auto half = [](int32_t size) { return size / 2 == 4 ? 8 : size / 2; };
  int32_t x = ChrX, y = ChrY;
  const bool layers = kasane.Checked();
  if (Sender == &btCSXDown) x = layers ? ChrX - half(ChrX) : ChrX - 8;
  if (Sender == &btCSXUp) x = layers ? 2 * ChrX : ChrX + 8;
  if (Sender == &btCSYDown) y = layers ? ChrY - half(ChrY) : ChrY - 8;
  if (Sender == &btCSYUp) y = layers ? 2 * ChrY : ChrY + 8;
  if (x > 0 && x <= 256) ChrX = x;
  if (y > 0 && y <= 256) ChrY = y;
  // A layer is at most a half of the sheet wide and high.
  if (layers && ChrX == 256) ChrX = 128;
  if (layers && ChrY == 256) ChrY = 128;

  ChrDib.SetWidth(ChrX);
  ChrDib.SetHeight(ChrY);
  for (int32_t i = 0; i < 256; ++i) ChrDib.SetColors(i, PalDib->GetColors(i));
  CSXLab.SetText(std::to_string(ChrX));
  CSYLab.SetText(std::to_string(ChrY));

  CellX = CellY = LupeX = LupeY = 0;
  SelA.SetBounds(AllView.Left(), AllView.Top(), ChrX, ChrY);
  SelC.SetBounds(AllView.Left(), AllView.Top(), SelC.Width(), SelC.Height());

  FillBox(0, 0, 127, 127, DarkIdx(), *NomDib);
  FillBox(0, 0, 127, 127, DarkIdx(), *RevDib);
  RefreshChrDib();
  PlaceAnchorMarker();
  RedrawLoupe();
}

}  // namespace pixkura
