// Adobe colour tables (.act): 256 entries of red, green, blue (768 bytes),
// optionally followed by the number of colours in use and the transparent
// entry (0xFFFF for none), both 16-bit big-endian (772 bytes in all).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "formats/PaletteColors.h"

namespace pixkura {

inline constexpr size_t kActTableSize = 768;
inline constexpr size_t kActCountedSize = 772;

// Reads the colours in use: all 256 from a 768-byte table, the counted
// number from a 772-byte one (the transparent entry is not a colour and is
// not read). EPaletteFileError for any other size or a count outside 1..256.
TPaletteColors DecodeActPalette(std::span<const uint8_t> bytes, const std::string& fileName);
// 256 colours as a plain 768-byte table; fewer as a 772-byte table with their
// count, no transparent entry, and the unused entries black.
std::vector<uint8_t> EncodeActPalette(const TPaletteColors& colors);

}  // namespace pixkura
