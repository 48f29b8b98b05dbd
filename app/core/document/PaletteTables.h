// The tables derived from the master palette: the blend table with the
// darkest and lightest entries, the channel table of the HSL helpers, and
// the recent blend tables kept for the whole process.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <list>

#include "app/core/document/BlendTable.h"
#include "base/Color.h"
#include "image/IxDIB.h"

namespace pixkura {

// The blend tables of the last few palettes, the most recently used first.
// The table depends on the master palette alone, and building it takes
// 32,640 nearest-colour searches; undo and redo step between the palettes of
// recent changes, and every such step would otherwise build a table again.
// One cache serves the process, so reading the same palette again (the
// palette file, pictures that share a palette, every editor a test starts,
// an undo to an earlier palette) costs a few comparisons.
class TBlendTableCache {
 public:
  static constexpr size_t kKept = 8;
  // The table of master's colours, built when none of the kept ones fits.
  const TBlendTable& TableFor(const TIxDIB& master);
  // The one cache of the process.
  static TBlendTableCache& Recent();

 private:
  struct TBuilt {
    std::array<TColor, 256> Colors{};
    int32_t PaletteSize = -1;
    TBlendTable Table;
  };
  std::list<TBuilt> kept_;
};

// The 256 colour-table entries of a bitmap.
std::array<TColor, 256> ColorsOf(const TIxDIB& dib);

class TPaletteTables {
 public:
  // Entry i = i / 255: a channel byte as 0..1 for the HSL helpers.
  std::array<double, 256> UnitTable{};

  // The palette changed: DarkIdx and LightIdx are found at once (the loupe's
  // grid and marks need them), MixTable is due again on its first use.
  void PaletteChanged(const TIxDIB& master);
  // MixTable, DarkIdx and LightIdx of master, the master palette; MixTable is
  // built when first asked for after a change: by the blend tool, or by the
  // window once it is on the screen, never on the way there.
  const TBlendTable& Blend(const TIxDIB& master);
  uint8_t DarkIdx() const { return blend_.DarkIdx; }    // darkest entry: grid marks, black dither
  uint8_t LightIdx() const { return blend_.LightIdx; }  // lightest entry: grid and marks

 private:
  TBlendTable blend_;
  bool mixTableCurrent_ = false;  // blend_.MixTable belongs to the master palette
};

}  // namespace pixkura
