// The layer composites the loupe, the special views and the animation preview
// show. The sheet itself is never changed by the layer mode.
#include "app/core/Editor.h"
#include "app/core/view/LayerStack.h"

namespace pixkura {

void TEditor::BuildCellComposites() {
  // The whole cell, not only the part the loupe shows: the special views and
  // the eyedropper read all of it. A cell is at most a few block copies.
  const bool fourWay = YONBUN.Checked();
  const TLayerStack stack = LayerStackOf(View.CellX, View.CellY, View.ChrX, View.ChrY, fourWay);
  LayLayersBelow(stack, View.CellX, View.CellY, View.ChrX, View.ChrY, *Doc.AllDib, Views.LayDib, Toumei);
  // In the four-way split "all" costs three more copies, so it is built only
  // when the loupe or the special views show it.
  if (fourWay && LupeLay.ItemIndex() != 2 && ViewLay.ItemIndex() != 2) return;
  CopyLayerBlock(View.CellX, View.CellY, View.ChrX, View.ChrY, Views.LayDib, Views.LayAllDib);
  LayLayersAbove(stack, View.CellX, View.CellY, View.ChrX, View.ChrY, *Doc.AllDib, Views.LayAllDib, Toumei);
}

void TEditor::ComposeLayerFrame(int32_t X, int32_t Y, bool All) {
  const TLayerStack stack = LayerStackOf(X, Y, View.ChrX, View.ChrY, YONBUN.Checked());
  LayLayersBelow(stack, X, Y, View.ChrX, View.ChrY, *Doc.AllDib, Views.LayAllDib, Toumei);
  if (All) LayLayersAbove(stack, X, Y, View.ChrX, View.ChrY, *Doc.AllDib, Views.LayAllDib, Toumei);
}

}  // namespace pixkura
