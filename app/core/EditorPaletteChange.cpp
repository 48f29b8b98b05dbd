// The master palette reaching everything that depends on it: the palette of
// every other bitmap (the copy block's too), the blend table with the darkest
// and lightest entries, the swatches, both colour boxes, the loupe and the views.
#include <initializer_list>

#include "app/core/Editor.h"
#include "app/core/document/PictureCompare.h"

namespace pixkura {
void TEditor::SpreadPalette() {
  // The undo slots keep the palette each was taken with; an undo brings it
  // back. The copy block follows: a block waiting to be dropped or saved
  // shows, and is written with, the colours of the sheet it came from.
  // A bitmap that has the colours already keeps its store, which it may
  // share with an undo slot.
  const HPALETTE palette = Doc.PalDib->GetPalette();
  for (TIxDIB* dib : {Views.LupeDib, Doc.AllDib, Views.RevDib, Views.MovDib, &Tools.Cell.ChrDib, Views.NomDib, &Views.LayDib, &Views.LayAllDib, Copy.CopyDib})
    if (!SameColors(*dib, *Doc.PalDib)) dib->SetPalette(palette);
}

void TEditor::ApplyPaletteChange() {
  SpreadPalette();
  Doc.Tables.PaletteChanged(*Doc.PalDib);
  // The swatches' pixels are their indices; drawing them again only matters
  // the first time, and costs little.
  DrawPaletteSwatches();
  PalView.Invalidate();
  ShowMainColor();
  ShowToumei();
  Cur.SetBrushColor(Views.LupeDib->GetColors(MainColor));
  // The grid and the marks take the new darkest and lightest entries.
  RedrawLoupe();
  for (TImage* view : {&AllView, &CopyView, &MovView}) view->Invalidate();
}

}  // namespace pixkura
