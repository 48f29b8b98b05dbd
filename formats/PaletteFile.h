// The palette file: 256 colour values of four bytes each, little-endian
// (red, green, blue, then a byte that is 0), entry 0 first, no header.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Color.h"

namespace pixkura {

inline constexpr size_t kPaletteFileEntries = 256;
inline constexpr size_t kPaletteFileSize = kPaletteFileEntries * 4;

using TPaletteValues = std::array<TColor, kPaletteFileEntries>;

// Decodes the whole four-byte entries among the first 1024 bytes of data
// into values, entry 0 first, exactly as stored; the entries past them keep
// what values held. Returns the number of entries decoded.
size_t DecodePaletteValues(const uint8_t* data, size_t size, TPaletteValues& values);

// Reads the values of fileName into values, entry 0 first, exactly as stored
// (a value with its top bit set is left for the caller to resolve). A file
// shorter than 1024 bytes fills only the entries it holds completely; the
// others keep what values held. Bytes past 1024 are ignored. Returns the
// number of entries read. EFOpenError when the file cannot be opened,
// EInOutError when reading fails.
size_t ReadPaletteFile(const std::string& fileName, TPaletteValues& values);

// Writes the 256 values to fileName (1024 bytes), replacing it atomically so
// that a failed write leaves the old file. EFCreateError when the file cannot
// be created, EInOutError when writing fails.
void WritePaletteFile(const std::string& fileName, const TPaletteValues& values);

}  // namespace pixkura
