// The program's own palette file read as a palette of other programs is:
// exactly 1024 bytes, 256 entries of red, green, blue and 0 (see
// PaletteFile.h). A value naming a system colour takes that colour's RGB, as
// the editor's own palette loading does.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "formats/PaletteColors.h"

namespace pixkura {

// EPaletteFileError naming fileName when bytes is not 1024 bytes long.
TPaletteColors DecodeRawPalette(std::span<const uint8_t> bytes, const std::string& fileName);

}  // namespace pixkura
