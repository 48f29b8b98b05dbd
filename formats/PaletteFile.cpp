#include "formats/PaletteFile.h"

#include <algorithm>
#include <cstdint>

#include "base/Streams.h"

namespace pixkura {

size_t DecodePaletteValues(const uint8_t* data, size_t size, TPaletteValues& values) {
  // Never more than the one fixed-size block; a trailing partial entry is not a colour.
  const size_t entries = std::min(size, kPaletteFileSize) / 4;
  for (size_t i = 0; i < entries; ++i) {
    const uint8_t* p = data + 4 * i;
    values[i] = static_cast<TColor>(p[0]) | (static_cast<TColor>(p[1]) << 8) |
                (static_cast<TColor>(p[2]) << 16) | (static_cast<TColor>(p[3]) << 24);
  }
  return entries;
}

size_t ReadPaletteFile(const std::string& fileName, TPaletteValues& values) {
  TFileStream file(fileName, TFileMode::fmOpenRead);
  std::array<uint8_t, kPaletteFileSize> bytes{};
  const auto got = static_cast<size_t>(file.Read(bytes.data(), static_cast<int64_t>(bytes.size())));
  return DecodePaletteValues(bytes.data(), got, values);
}

void WritePaletteFile(const std::string& fileName, const TPaletteValues& values) {
  std::array<uint8_t, kPaletteFileSize> bytes{};
  for (size_t i = 0; i < values.size(); ++i) {
    const TColor v = values[i];
    uint8_t* p = bytes.data() + 4 * i;
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
  }
  WriteFileAtomically(fileName, bytes.data(), bytes.size());
}

}  // namespace pixkura
