// The palette entry nearest to a colour: smallest squared RGB distance, the
// lowest index among equally near entries. Stands in for the platform's
// nearest-palette-entry search wherever a colour meets an indexed bitmap.
#pragma once

#include <array>
#include <cstdint>

#include "base/Color.h"
#include "image/IxDIBTypes.h"

namespace pixkura {

class TNearestColor {
 public:
  // The first count entries of table (count is clamped to 1..256).
  TNearestColor(const TRGBQuad* table, int32_t count);
  uint8_t Nearest(TColor color) const;

 private:
  struct TEntry {
    int32_t R, G, B;
    int32_t Index;
  };
  // Sorted by red, then index: a search can stop once the red difference
  // alone exceeds the best distance found.
  std::array<TEntry, 256> byRed_{};
  int32_t count_ = 0;
};

}  // namespace pixkura
