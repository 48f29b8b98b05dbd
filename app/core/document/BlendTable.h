// The blend table: for every pair of palette entries the entry the blend tool
// writes when it paints one colour over the other (the palette entry nearest
// to their mean in HSL space; among equally near entries the pair's own
// colours first, then the lowest index), and the darkest and lightest entries
// that the loupe uses for its grid and marks. Depends only on the master
// palette.
#pragma once

#include <array>
#include <cstdint>

#include "image/IxDIB.h"

namespace pixkura {

struct TBlendTable {
  // MixTable[a][b]: the index written when colour b is painted over a pixel
  // of colour a. MixTable[i][i] = i, and MixTable[a][b] is never a unless
  // a = b, so a blend always changes the pixel.
  uint8_t MixTable[256][256]{};
  // Entries with the least and the greatest luminance 0.299 R + 0.587 G +
  // 0.114 B (the lowest index among equals).
  uint8_t DarkIdx = 0;
  uint8_t LightIdx = 0;
};

// Entry i := i / 255; entry 0 is exactly 0.0 and entry 255 exactly 1.0.
void FillUnitTable(std::array<double, 256>& unitTable);

// Sets only out.DarkIdx and out.LightIdx from master: 256 comparisons, all
// that drawing the loupe needs.
void FindDarkAndLight(const TIxDIB& master, TBlendTable& out);

// Rebuilds out from the colour table of master (the master palette). The
// nearest-entry search runs over master's palette entries (all 256 table
// entries when its palette size is 0).
void MakeMixTable(const TIxDIB& master, TBlendTable& out);

}  // namespace pixkura
