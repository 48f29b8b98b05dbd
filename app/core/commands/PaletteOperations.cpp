#include "app/core/commands/PaletteOperations.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

#include "app/core/Editor.h"

namespace pixkura {

void TPaletteOperations::Pressed(int32_t x, int32_t y, std::optional<uint8_t> index) {
  pressed_ = index;
  pressX_ = x;
  pressY_ = y;
}

bool TPaletteOperations::Released(int32_t x, int32_t y, std::optional<uint8_t> index, bool shift) {
  const std::optional<uint8_t> from = std::exchange(pressed_, std::nullopt);
  if (!from || !index || *index == *from) return false;
  if (std::abs(x - pressX_) <= kDragThreshold && std::abs(y - pressY_) <= kDragThreshold) return false;
  // The main colour followed the pointer; it ends as the dragged colour, at its new place.
  e_.MainColor = *from;
  const std::vector<TColor> palette = PaletteColorsOf(*e_.Doc.PalDib);
  Apply(shift ? MoveEntry(palette, *from, *index) : SwapEntries(palette, *from, *index));
  e_.ShowMainColor();
  return true;
}

void TPaletteOperations::SortByLuminance() {
  Apply(pixkura::SortByLuminance(PaletteColorsOf(*e_.Doc.PalDib), e_.MainColor, e_.Toumei));
}

void TPaletteOperations::SortByHue() {
  Apply(pixkura::SortByHue(PaletteColorsOf(*e_.Doc.PalDib), e_.MainColor, e_.Toumei));
}

void TPaletteOperations::SortByUse() {
  Apply(pixkura::SortByUse(PaletteColorsOf(*e_.Doc.PalDib), CountEntryUse(*e_.Doc.AllDib), e_.MainColor,
                           e_.Toumei));
}

void TPaletteOperations::MergeDuplicates() {
  Apply(pixkura::MergeDuplicates(PaletteColorsOf(*e_.Doc.PalDib)));
}

void TPaletteOperations::Compact() {
  Apply(CompactEntries(PaletteColorsOf(*e_.Doc.PalDib), CountEntryUse(*e_.Doc.AllDib), e_.Toumei));
}

void TPaletteOperations::TransparentToZero() {
  Apply(SwapEntries(PaletteColorsOf(*e_.Doc.PalDib), e_.Toumei, 0));
}

void TPaletteOperations::Apply(const TPaletteReorder& reorder) {
  TIxDIB& sheet = *e_.Doc.AllDib;
  const TEntryUse use = CountEntryUse(sheet);
  bool changes = reorder.Colors != PaletteColorsOf(*e_.Doc.PalDib);
  for (size_t i = 0; i < use.size() && !changes; ++i) changes = reorder.Map[i] != i && use[i] > 0;
  if (!changes) return;
  // A stroke under way ends, as at an undo: drawing on would change the
  // sheet past the step recorded here.
  e_.Tools.Pen.PenDown = false;
  // The step keeps the sheet with its palette; the sheet's store is made its
  // own before its pixels move.
  e_.TakeSnapshot();
  ApplyIndexMap(sheet, reorder.Map);
  // A waiting block holds the sheet's indices and follows them; a pasted one
  // bringing its own palette holds that palette's indices and stays.
  if (e_.Copy.CopyReady() && !e_.Copy.PaletteWithDrop) ApplyIndexMap(*e_.Copy.CopyDib, reorder.Map);
  e_.MainColor = reorder.Map[e_.MainColor];
  e_.Toumei = reorder.Map[e_.Toumei];
  e_.RefreshChrDib();
  std::array<TColor, 256> colors{};
  std::copy_n(reorder.Colors.begin(), std::min(colors.size(), reorder.Colors.size()), colors.begin());
  // The one path of a palette change: every bitmap, the tables, swatches,
  // boxes, cursor, loupe and views.
  e_.SetMasterPalette(colors);
  e_.AllView.Invalidate();
}

void TPaletteOperations::ShowUnusedMarks() {
  // Nothing to mark before start-up has shaped the sheet.
  if (!e_.Doc.AllDib || !e_.Doc.PalDib || e_.Doc.AllDib->GetBitCount() != 8) return;
  if (Marks.Update(*e_.Doc.AllDib, *e_.Doc.PalDib, e_.DarkIdx(), e_.LightIdx())) e_.PalView.Invalidate();
}

void TPaletteOperations::UnusedMarksClick() {
  Marks.On = !Marks.On;
  ShowUnusedMarks();
}

TPNGOptions TPaletteOperations::PngOptions() const {
  TPNGOptions options;
  if (PngTransparent) options.TransparentIndex = e_.Toumei;
  return options;
}

}  // namespace pixkura
