// JASC-PAL palettes (.pal, Paint Shop Pro's text form): the lines
// "JASC-PAL", "0100" and the colour count (1 to 256), then that many lines of
// red, green and blue in decimal. Written with CR LF line ends, as the
// program that made the format writes them; read with any line ends.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/PaletteColors.h"

namespace pixkura {

inline constexpr std::string_view kJascPaletteSignature = "JASC-PAL";

// EPaletteFileError naming fileName and the line at fault.
TPaletteColors DecodeJascPalette(std::span<const uint8_t> bytes, const std::string& fileName);
std::vector<uint8_t> EncodeJascPalette(const TPaletteColors& colors);

}  // namespace pixkura
