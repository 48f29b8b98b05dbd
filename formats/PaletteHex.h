// Hex palettes (.hex): one colour per line as six hexadecimal digits RRGGBB
// (any letter case, an optional leading "#"); blank lines are skipped.
// Written in lower case without "#", as palette sites hand them out.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/PaletteColors.h"

namespace pixkura {

// Whether line (without its end and blanks) is one colour of a hex palette.
bool IsHexColorLine(std::string_view line);

// EPaletteFileError naming fileName and the line at fault.
TPaletteColors DecodeHexPalette(std::span<const uint8_t> bytes, const std::string& fileName);
std::vector<uint8_t> EncodeHexPalette(const TPaletteColors& colors);

}  // namespace pixkura
