#include "formats/PaletteFileError.h"

namespace pixkura {

void ThrowPaletteFileError(const std::string& fileName, const std::string& what) {
  throw EPaletteFileError("パレットファイル " + fileName + ": " + what);
}

void ThrowPaletteLineError(const std::string& fileName, size_t line, const std::string& what) {
  throw EPaletteFileError("パレットファイル " + fileName + " の " + std::to_string(line) + " 行目: " + what);
}

void ThrowPaletteOffsetError(const std::string& fileName, size_t offset, const std::string& what) {
  throw EPaletteFileError("パレットファイル " + fileName + " のオフセット " + std::to_string(offset) + ": " +
                          what);
}

}  // namespace pixkura
