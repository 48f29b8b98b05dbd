// TGA and binary PNM through stb_image, as 24-bit pictures (grey repeated,
// alpha dropped, 16-bit samples cut to 8, colour-mapped TGA expanded).
#pragma once

#include "plugins/stbimage/MiscHeaders.h"

namespace pixkura::spi::misc {

// `header` comes from ReadMiscHeader(file) and passed CheckFileHolds.
int32_t DecodeWithStb(TBytes file, const TMiscHeader& header, TDibBlocks& out, TProgress& progress);

}  // namespace pixkura::spi::misc
