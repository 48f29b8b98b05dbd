// The special views (the cell normal and mirrored, side by side, doubled) and
// the animation preview that plays a row of consecutive cells.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>

#include "app/core/Editor.h"
#include "image/DIB256.h"

namespace pixkura {
namespace {

// How often the cell fits across a view of `span` pixels, counting a cut copy.
int32_t CopiesAcross(int32_t span, int32_t cell) { return span / cell + (span % cell != 0 ? 1 : 0); }

// Repeats the view's top-left tile of tileW x tileH pixels `across` times to
// the right and `down` times downwards, the copies cut at the view's edge.
// Row copies instead of one block copy per tile: this runs on every redraw.
void RepeatTile(TIxDIB& view, int32_t tileW, int32_t tileH, int32_t across, int32_t down) {
  const int32_t width = view.GetWidth(), height = view.GetHeight();
  const int32_t tileRows = std::min(tileH, height), tileCols = std::min(tileW, width);
  view.GetScanLine(0);  // private storage first, so the row pointers below stay valid
  for (int32_t j = 0; j < down; ++j) {
    for (int32_t y = 0; y < tileRows && j * tileH + y < height; ++y) {
      const uint8_t* from = view.GetScanLine(y);
      uint8_t* to = view.GetScanLine(j * tileH + y);
      for (int32_t k = j == 0 ? 1 : 0; k < across && k * tileW < width; ++k)
        std::memcpy(to + k * tileW, from, static_cast<size_t>(std::min(tileCols, width - k * tileW)));
    }
  }
}

}  // namespace

TIxDIB& TEditor::SpecialViewSource() {
  if (!kasane.Checked()) return *Doc.AllDib;
  switch (ViewLay.ItemIndex()) {
    case 1: return Views.LayDib;
    case 2: return Views.LayAllDib;
    default: return *Doc.AllDib;
  }
}

void TEditor::DrawSpecialView(TIxDIB& source, TIxDIB& view, bool mirrored) {
  const bool doubled = NiBai.Checked();
  int32_t across = 1, down = 1;
  if (NARABE.Checked()) {
    const int32_t span = doubled ? 64 : 128;
    across = std::min(CopiesAcross(span, View.ChrX), Views.NarabeMax + 1);
    down = std::min(CopiesAcross(span, View.ChrY), Views.NarabeMax + 1);
  }
  if (across <= 0 || down <= 0) return;
  const int32_t scale = doubled ? 2 : 1;
  // The top-left copy is drawn from the sheet; the others repeat it.
  if (doubled) {
    // A source whose right edge lies left of its left edge mirrors exactly the
    // cell's columns.
    if (mirrored)
      StretchCopy(View.CellX + View.ChrX - 1, View.CellY, View.CellX - 1, View.CellY + View.ChrY, source, 0, 0, 2 * View.ChrX, 2 * View.ChrY, view);
    else
      StretchCopy(View.CellX, View.CellY, View.CellX + View.ChrX, View.CellY + View.ChrY, source, 0, 0, 2 * View.ChrX, 2 * View.ChrY, view);
  } else if (mirrored) {
    MirrorCopyBlock(View.CellX, View.CellY, View.CellX + View.ChrX - 1, View.CellY + View.ChrY - 1, source, 0, 0, view);
  } else {
    CopyBlock(View.CellX, View.CellY, View.CellX + View.ChrX - 1, View.CellY + View.ChrY - 1, source, 0, 0, view);
  }
  if (across > 1 || down > 1) RepeatTile(view, scale * View.ChrX, scale * View.ChrY, across, down);
}

void TEditor::RedrawSpecialViews() {
  if (CLS.Checked()) {
    FillBox(0, 0, 127, 127, Toumei, *Views.NomDib);
    FillBox(0, 0, 127, 127, Toumei, *Views.RevDib);
  }
  TIxDIB& source = SpecialViewSource();
  RedrawSpecialView(NomChk, NomView, Views.NomShown, source, false);
  RedrawSpecialView(RevChk, RevView, Views.RevShown, source, true);
}

void TEditor::RedrawSpecialView(const TCheckBox& box, TImage& view, bool& shown, TIxDIB& source,
                                bool mirrored) {
  // A view whose box is unchecked is no longer kept up to date, so it shows
  // nothing rather than a picture that goes stale; checked again, it starts
  // from that clean picture.
  if (!box.Checked()) {
    if (shown) {
      FillBox(0, 0, 127, 127, Toumei, view.Picture);
      view.Repaint();
    }
    shown = false;
    return;
  }
  if (!shown) FillBox(0, 0, 127, 127, Toumei, view.Picture);
  DrawSpecialView(source, view.Picture, mirrored);
  view.Repaint();
  shown = true;
}

void TEditor::MovMouseDown(TComponent* Sender, TMouseButton /*Button*/, TShiftState /*Shift*/, int32_t, int32_t) {
  Views.MovFrames = static_cast<uint8_t>(StepBar.Position());
  if (!AnimationFits(Views.MovFrames)) return;
  if (Sender == &MovUp) Views.MovDir = 0;
  if (Sender == &MovRight) Views.MovDir = 1;
  if (Sender == &MovDown) Views.MovDir = 2;
  if (Sender == &MovLeft) Views.MovDir = 3;
  MovTim.SetEnabled(true);
}

void TEditor::MovMouseUp(TComponent*, TMouseButton, TShiftState, int32_t, int32_t) { MovTim.SetEnabled(false); }

bool TEditor::AnimationFits(int32_t frames) const {
  // Every frame of a row and all four rows must lie inside the sheet, whichever
  // direction is asked for.
  return frames * View.ChrX + View.CellX <= 256 && 4 * View.ChrY + View.CellY <= 256;
}

void TEditor::ComposeAnimationFrame(int32_t X, int32_t Y, TIxDIB& target) {
  const int32_t item = ViewLay.ItemIndex();
  if (kasane.Checked() && (item == 1 || item == 2))
    ComposeLayerFrame(X, Y, item == 2);
  else
    CopyBlock(X, Y, X + View.ChrX - 1, Y + View.ChrY - 1, *Doc.AllDib, X, Y, Views.LayAllDib);
  if (NiBai.Checked())
    StretchCopy(X, Y, X + View.ChrX, Y + View.ChrY, Views.LayAllDib, 0, 0, 2 * View.ChrX, 2 * View.ChrY, target);
  else
    CopyBlock(X, Y, X + View.ChrX - 1, Y + View.ChrY - 1, Views.LayAllDib, 0, 0, target);
}

std::chrono::microseconds TEditor::AnimationFrameTime() const {
  return (WaitBar.Position() + 1) * kAnimationRound;
}

void TEditor::MovTimTimer(TComponent* /*Sender*/) {
  if (CLS.Checked()) FillBox(0, 0, 63, 63, Toumei, *Views.MovDib);
  const int32_t rounds = WaitBar.Position() + 1;
  for (int32_t i = 0; i < Views.MovFrames; ++i) {
    const int32_t x = View.CellX + i * View.ChrX, y = View.CellY + Views.MovDir * View.ChrY;
    for (int32_t r = 0; r < rounds; ++r) {
      const auto roundStart = std::chrono::steady_clock::now();
      // Parts beyond the view's 64 x 64 pixels are cut.
      ComposeAnimationFrame(x, y, *Views.MovDib);
      MovView.Repaint();
      // Each round takes at least kAnimationRound, so a frame shows for the
      // same time on every machine (position 40: 41 rounds, about 0.1 s).
      Host.WaitUntil(roundStart + kAnimationRound);
    }
  }
  // The frames were composed in LayAllDib, over the selected cell too (the
  // first frame of the up row is the cell): give the eyedropper and the
  // views the cell's own composites back.
  if (kasane.Checked()) BuildCellComposites();
}

void TEditor::StepBarChange(TComponent* /*Sender*/) {
  Step.SetText(std::to_string(StepBar.Position()));
  if (Onion.On) RedrawLoupe();  // the runs the ghosts come from changed
}

}  // namespace pixkura
