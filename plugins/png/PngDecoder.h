// PNG through libpng: palette pictures keep their indices and palette order
// (1, 2 and 4-bit indices widened to one byte per pixel); everything else
// becomes 24-bit, alpha dropped, 16-bit channels cut to their high byte.
#pragma once

#include "plugins/common/SpiEntry.h"

namespace pixkura::spi::png {

bool IsPng(const uint8_t* head);
int32_t ReadFacts(TBytes file, TPictureFacts& facts);
int32_t Decode(TBytes file, TDibBlocks& out, TProgress& progress);

}  // namespace pixkura::spi::png
