// The layer composites the loupe, the special views and the animation preview
// show. The sheet itself is never changed by the layer mode.
#include "app/core/Editor.h"
#include "app/core/LayerStack.h"

namespace pixkura {

void TEditor::BuildLoupeComposites(const TLoupeWindow& r) {
  // Only the loupe window is refreshed: it is all a redraw shows.
  const bool fourWay = YONBUN.Checked();
  const TLayerStack stack = LayerStackOf(CellX, CellY, ChrX, ChrY, fourWay);
  LayLayersBelow(stack, r.sx, r.sy, r.w, r.h, *AllDib, LayDib, Toumei);
  // In the four-way split "all" costs three more copies, so it is built only
  // when the loupe or the special views show it.
  if (fourWay && LupeLay.ItemIndex() != 2 && ViewLay.ItemIndex() != 2) return;
  CopyLayerBlock(r.sx, r.sy, r.w, r.h, LayDib, LayAllDib);
  LayLayersAbove(stack, r.sx, r.sy, r.w, r.h, *AllDib, LayAllDib, Toumei);
}

void TEditor::ComposeLayerFrame(int32_t X, int32_t Y, bool All) {
  const TLayerStack stack = LayerStackOf(X, Y, ChrX, ChrY, YONBUN.Checked());
  LayLayersBelow(stack, X, Y, ChrX, ChrY, *AllDib, LayAllDib, Toumei);
  if (All) LayLayersAbove(stack, X, Y, ChrX, ChrY, *AllDib, LayAllDib, Toumei);
}

}  // namespace pixkura
