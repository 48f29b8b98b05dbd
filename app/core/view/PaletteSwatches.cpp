// The palette view: 32 x 8 swatches of 8 x 12 pixels whose pixels are their own
// palette index (but for the crosses marking unused entries), so a palette
// change recolours them without a pixel written.
// The left button picks the main colour, the right button the transparent one;
// a left drag onto another swatch swaps the two entries (moves, with Shift).
#include <initializer_list>
#include <optional>

#include "app/core/Editor.h"
#include "app/core/view/SwatchGrid.h"
#include "image/DIB256.h"

namespace pixkura {

void TEditor::DrawPaletteSwatches() {
  for (int32_t i = 0; i < 256; ++i) {
    const auto index = static_cast<uint8_t>(i);
    FillBox(SwatchLeft(index), SwatchTop(index), SwatchLeft(index) + kSwatchW - 1,
            SwatchTop(index) + kSwatchH - 1, index, *Doc.PalDib);
  }
  // The marks of unused entries were painted over.
  PalOps.Marks.Forget();
}

void TEditor::PlaceSwatchMarker(TShape& marker, uint8_t index) {
  marker.SetBounds(PalView.Left() + SwatchLeft(index), PalView.Top() + SwatchTop(index), marker.Width(),
                   marker.Height());
}

void TEditor::ShowMainColor() {
  cMainBox.SetBrushColor(Doc.PalDib->GetColors(MainColor));
  PlaceSwatchMarker(PalSel, MainColor);
}

void TEditor::ShowToumei() {
  cTOUMEIBox.SetBrushColor(Doc.PalDib->GetColors(Toumei));
  PlaceSwatchMarker(TOUSel, Toumei);
}

namespace {

struct TPalPoint {
  int32_t x, y;
};

// A marker lying over the view passes on its events in its own coordinates;
// shifted by its offset they become the view's, so a press on a marker acts
// on the swatch beneath it.
TPalPoint ViewPoint(const TEditor& e, const TComponent* sender, int32_t X, int32_t Y) {
  for (const TShape* marker : {&e.PalSel, &e.TOUSel})
    if (sender == marker) return {marker->Left() - e.PalView.Left() + X, marker->Top() - e.PalView.Top() + Y};
  return {X, Y};
}

}  // namespace

void TEditor::PalMouse(TComponent* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  const TPalPoint p = ViewPoint(*this, Sender, X, Y);
  switch (Button) {
    case TMouseButton::mbLeft: {
      // One handler serves press and release: the press starts picking, the
      // release ends it, or drops the pressed entry on another swatch.
      PalOps.PalDown = !PalOps.PalDown;
      PalMove(Sender, Shift, X, Y);
      const std::optional<uint8_t> swatch =
          InsideSwatches(p.x, p.y) ? std::optional<uint8_t>(SwatchIndex(p.x, p.y)) : std::nullopt;
      // A double-click marks its press after the press has picked; its
      // release, the pick ended, edits the colour picked, unless it dropped
      // the entry elsewhere.
      if (PalOps.PalDown) {
        PalOps.PalDblDown = false;
        PalOps.Pressed(p.x, p.y, swatch);
      } else if (PalOps.Released(p.x, p.y, swatch, Shift.Shift)) {
        PalOps.PalDblDown = false;
      } else if (PalOps.PalDblDown) {
        PalOps.PalDblDown = false;
        EditPaletteColor(MainColor);
      }
      break;
    }
    case TMouseButton::mbRight:
      // Press and release both pick, so the release decides unless it lies
      // outside the swatches.
      if (!InsideSwatches(p.x, p.y)) break;
      Toumei = SwatchIndex(p.x, p.y);
      // The layer composites and the onion skin's holes depend on the transparent colour.
      if (kasane.Checked() || Onion.On) RedrawLoupe();
      ShowToumei();
      break;
    default:
      break;
  }
}

void TEditor::PalMove(TComponent* Sender, TShiftState, int32_t X, int32_t Y) {
  const TPalPoint p = ViewPoint(*this, Sender, X, Y);
  if (!PalOps.PalDown || !InsideSwatches(p.x, p.y)) return;
  MainColor = SwatchIndex(p.x, p.y);
  ShowMainColor();
}

}  // namespace pixkura
