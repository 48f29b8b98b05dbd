#include "formats/PaletteRaw.h"

#include "formats/PaletteFile.h"
#include "formats/PaletteFileError.h"

namespace pixkura {

TPaletteColors DecodeRawPalette(std::span<const uint8_t> bytes, const std::string& fileName) {
  if (bytes.size() != kPaletteFileSize) {
    ThrowPaletteFileError(
        fileName, "パレットファイルの大きさは 1024 バイトです (" + std::to_string(bytes.size()) + " バイト)");
  }
  TPaletteValues values{};
  DecodePaletteValues(bytes.data(), bytes.size(), values);
  TPaletteColors colors;
  for (const TColor value : values) colors.Add(ColorToRGB(value));
  return colors;
}

}  // namespace pixkura
