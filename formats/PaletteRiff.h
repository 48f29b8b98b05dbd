// Microsoft RIFF palettes (.pal): a RIFF form of type "PAL " whose "data"
// chunk holds a logical palette: a 16-bit version (0x0300), a 16-bit entry
// count, then one entry of red, green, blue and flags per colour, all
// little-endian. Other chunks of the form are skipped. Read only.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "formats/PaletteColors.h"

namespace pixkura {

// Whether bytes begin like a RIFF palette (the form header "RIFF", size, "PAL ").
bool IsRiffPalette(std::span<const uint8_t> bytes);

// EPaletteFileError naming fileName and the byte offset at fault.
TPaletteColors DecodeRiffPalette(std::span<const uint8_t> bytes, const std::string& fileName);

}  // namespace pixkura
