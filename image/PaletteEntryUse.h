// How many pixels of an 8-bit picture hold each palette index: what marks the
// unused entries and what the use-count sort and compaction go by.
#pragma once

#include <array>
#include <cstdint>

#include "image/IxDIB.h"

namespace pixkura {

using TEntryUse = std::array<uint32_t, 256>;

// The pixel count of every index, in one pass over the rows. The picture must
// be 8 bits uncompressed; other storage raises EIxDIBBadDIBType.
TEntryUse CountEntryUse(const TIxDIB& picture);

}  // namespace pixkura
