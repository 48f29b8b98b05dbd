// The palette view: 32 x 8 swatches of 8 x 12 pixels whose pixels are their own
// palette index, so a palette change recolours them without a pixel written.
// The left button picks the main colour, the right button the transparent one.
#include <initializer_list>

#include "app/core/Editor.h"
#include "image/DIB256.h"

namespace pixkura {
namespace {

constexpr int32_t kSwatchW = 8;
constexpr int32_t kSwatchH = 12;
constexpr int32_t kColumns = 32;
constexpr int32_t kRows = 8;

bool InsideSwatches(int32_t x, int32_t y) {
  return x >= 0 && x < kSwatchW * kColumns && y >= 0 && y < kSwatchH * kRows;
}

uint8_t SwatchIndex(int32_t x, int32_t y) {
  return static_cast<uint8_t>((y / kSwatchH) * kColumns + x / kSwatchW);
}

}  // namespace

void TEditor::DrawPaletteSwatches() {
  for (int32_t r = 0; r < kRows; ++r)
    for (int32_t c = 0; c < kColumns; ++c)
      FillBox(kSwatchW * c, kSwatchH * r, kSwatchW * c + kSwatchW - 1, kSwatchH * r + kSwatchH - 1,
              static_cast<uint8_t>(kColumns * r + c), *Doc.PalDib);
}

void TEditor::PlaceSwatchMarker(TShape& marker, uint8_t index) {
  marker.SetBounds(PalView.Left() + kSwatchW * (index % kColumns),
                   PalView.Top() + kSwatchH * (index / kColumns), marker.Width(), marker.Height());
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
    case TMouseButton::mbLeft:
      // One handler serves press and release: the press starts picking, the
      // release ends it.
      PalDown = !PalDown;
      PalMove(Sender, Shift, X, Y);
      // A double-click marks its press after the press has picked; its
      // release, the pick ended, edits the colour picked.
      if (PalDown) {
        PalDblDown = false;
      } else if (PalDblDown) {
        PalDblDown = false;
        EditPaletteColor(MainColor);
      }
      break;
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
  if (!PalDown || !InsideSwatches(p.x, p.y)) return;
  MainColor = SwatchIndex(p.x, p.y);
  ShowMainColor();
}

}  // namespace pixkura
