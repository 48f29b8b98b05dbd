// The master palette reaching everything that depends on it: the palette of
// every other bitmap (the copy block's too), the blend table with the darkest
// and lightest entries, the swatches, both colour boxes, the loupe and the views.
#include <algorithm>
#include <array>
#include <initializer_list>
#include <list>

#include "app/core/Editor.h"
#include "app/core/PictureCompare.h"

namespace pixkura {
namespace {

// A blend table together with the palette it was built from.
struct TBuiltBlendTable {
  std::array<TColor, 256> Colors{};
  int32_t PaletteSize = -1;
  TBlendTable Table;
};

// The tables of the last few palettes, the most recently used first.
// Undo and redo step between the palettes of recent changes, and every
// such step would otherwise build a table again.
constexpr size_t kKeptBlendTables = 8;

}  // namespace

void TEditor::MakeMixTable() {
  // The loupe's grid and marks need the darkest and lightest entries at once;
  // the mix table waits for its first use.
  FindDarkAndLight(*PalDib, blend_);
  mixTableCurrent_ = false;
}

const TBlendTable& TEditor::Blend() {
  if (mixTableCurrent_) return blend_;
  // The table depends on the master palette alone, and building it takes
  // 32,640 nearest-colour searches. The tables built last are kept for the
  // process, so reading the same palette again (the palette file, pictures
  // that share a palette, every editor a test starts, an undo to an earlier
  // palette) costs a few comparisons.
  static std::list<TBuiltBlendTable> kept;
  const std::array<TColor, 256> colors = MasterColors();
  const int32_t size = PalDib->GetPaletteSize();
  auto found = std::find_if(kept.begin(), kept.end(), [&](const TBuiltBlendTable& t) {
    return t.PaletteSize == size && t.Colors == colors;
  });
  if (found == kept.end()) {
    // Built aside first: a build that fails half-way leaves nothing to reuse.
    TBuiltBlendTable built{colors, size, {}};
    pixkura::MakeMixTable(*PalDib, built.Table);
    kept.push_front(std::move(built));
    if (kept.size() > kKeptBlendTables) kept.pop_back();
  } else {
    kept.splice(kept.begin(), kept, found);
  }
  blend_ = kept.front().Table;
  mixTableCurrent_ = true;
  return blend_;
}

void TEditor::SpreadPalette() {
  // The undo slots keep the palette each was taken with; an undo brings it
  // back. The copy block follows: a block waiting to be dropped or saved
  // shows, and is written with, the colours of the sheet it came from.
  // A bitmap that has the colours already keeps its store, which it may
  // share with an undo slot.
  const HPALETTE palette = PalDib->GetPalette();
  for (TIxDIB* dib : {LupeDib, AllDib, RevDib, MovDib, &ChrDib, NomDib, &LayDib, &LayAllDib, CopyDib})
    if (!SameColors(*dib, *PalDib)) dib->SetPalette(palette);
}

void TEditor::ApplyPaletteChange() {
  SpreadPalette();
  MakeMixTable();
  // The swatches' pixels are their indices; drawing them again only matters
  // the first time, and costs little.
  DrawPaletteSwatches();
  PalView.Invalidate();
  ShowMainColor();
  ShowToumei();
  Cur.SetBrushColor(LupeDib->GetColors(MainColor));
  // The grid and the marks take the new darkest and lightest entries.
  RedrawLoupe();
  for (TImage* view : {&AllView, &CopyView, &MovView}) view->Invalidate();
}

}  // namespace pixkura
