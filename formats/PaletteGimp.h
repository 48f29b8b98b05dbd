// GIMP palettes (.gpl): a text file whose first line is "GIMP Palette",
// followed by optional "Name:" and "Columns:" lines, "#" comments, blank
// lines, and one colour per line: red, green and blue in decimal (0 to 255),
// then an optional colour name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/PaletteColors.h"

namespace pixkura {

inline constexpr std::string_view kGimpPaletteSignature = "GIMP Palette";

// EPaletteFileError naming fileName and the line at fault.
TPaletteColors DecodeGimpPalette(std::span<const uint8_t> bytes, const std::string& fileName);
// name goes on the "Name:" line (line breaks and other control characters
// become spaces); the colours are named by their index.
std::vector<uint8_t> EncodeGimpPalette(const TPaletteColors& colors, std::string_view name);

}  // namespace pixkura
