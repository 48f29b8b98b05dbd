// Palette operations in which the pixels follow their index: each one gives
// where every old index goes and the colour table afterwards, so applying it
// changes no pixel's colour (a merge moves pixels only between entries of
// one colour). The editor learns from the map where its picks went.
//
// Every operation works on the first `count` entries, the picture's palette;
// an index at or beyond count raises ERangeError, and no index ever maps to
// one outside the palette.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "image/PaletteEntryUse.h"
#include "image/PaletteIndexMap.h"

namespace pixkura {

struct TPaletteReorder {
  TIndexMap Map;               // old index -> new index
  std::vector<TColor> Colors;  // the new colour table, as many entries as before
};

// The colours of picture's palette (GetPaletteSize() entries).
std::vector<TColor> PaletteColorsOf(const TIxDIB& picture);

// Entries a and b change places (the transparent colour to entry 0 is the
// swap of its entry and 0).
TPaletteReorder SwapEntries(const std::vector<TColor>& palette, uint8_t a, uint8_t b);
// Entry from goes to place to; the entries between shift by one towards from.
TPaletteReorder MoveEntry(const std::vector<TColor>& palette, uint8_t from, uint8_t to);

// The entries first..last (either order) sorted; equal keys keep their order.
// Luminance: 299 R + 587 G + 114 B, darkest first.
TPaletteReorder SortByLuminance(const std::vector<TColor>& palette, uint8_t first, uint8_t last);
// Hue from red through yellow, green, cyan, blue and magenta, then lightness
// (max + min of the components) for equal hues. Greys (R = G = B) have no hue:
// they come first, in lightness order.
TPaletteReorder SortByHue(const std::vector<TColor>& palette, uint8_t first, uint8_t last);
// The most used entry first.
TPaletteReorder SortByUse(const std::vector<TColor>& palette, const TEntryUse& use, uint8_t first,
                          uint8_t last);

// Every entry whose colour equals an earlier entry's maps to the earliest
// entry of that colour; the colour table stays as it is.
TPaletteReorder MergeDuplicates(const std::vector<TColor>& palette);
// The used entries (and keep, when given) move to the front in their order;
// the unused ones follow in theirs.
TPaletteReorder CompactEntries(const std::vector<TColor>& palette, const TEntryUse& use,
                               std::optional<uint8_t> keep);

// Sets picture's colour table to reorder.Colors and moves every pixel along
// reorder.Map (8-bit uncompressed pictures only, see ApplyIndexMap).
// ERangeError, and nothing changed, for a reorder of another palette size.
void ApplyPaletteReorder(TIxDIB& picture, const TPaletteReorder& reorder);

}  // namespace pixkura
