// Where every palette index of an 8-bit picture goes when its palette is
// reordered: one table of 256 entries, old index to new index, applied to all
// pixels in one pass so that each pixel follows its entry exactly.
#pragma once

#include <array>
#include <cstdint>

#include "image/IxDIB.h"

namespace pixkura {

using TIndexMap = std::array<uint8_t, 256>;

// The map that leaves every index where it is.
TIndexMap IdentityIndexMap();

// Replaces each pixel index p of picture by map[p] (row padding untouched).
// The picture must be 8 bits uncompressed; other storage raises
// EIxDIBBadDIBType. The storage is made unique first, so a copy kept for undo
// keeps the old pixels.
void ApplyIndexMap(TIxDIB& picture, const TIndexMap& map);

}  // namespace pixkura
