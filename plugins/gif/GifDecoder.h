// GIF through giflib: the first image of the file, at its own size (not
// placed on the logical screen), with its indices and the colour table that
// applies to it (its local table, else the global one) in file order.
// Transparency is ignored; the transparent index is kept like any other.
#pragma once

#include "plugins/common/SpiEntry.h"

namespace pixkura::spi::gif {

bool IsGif(const uint8_t* head);
int32_t ReadFacts(TBytes file, TPictureFacts& facts);
int32_t Decode(TBytes file, TDibBlocks& out, TProgress& progress);

}  // namespace pixkura::spi::gif
