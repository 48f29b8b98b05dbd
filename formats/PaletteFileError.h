// The one error every palette-file reader and writer raises for a file it
// cannot take: the message names the file and, where the fault has one, its
// place (a line of a text format, a byte offset of a binary one), so the user
// can find what is wrong. Nothing of a file that raises it is applied.
#pragma once

#include <cstddef>
#include <string>

#include "base/Exception.h"

namespace pixkura {

PIXKURA_EXCEPTION(EPaletteFileError, EInvalidGraphic);

// "パレットファイル FILE: WHAT"
[[noreturn]] void ThrowPaletteFileError(const std::string& fileName, const std::string& what);
// "パレットファイル FILE の N 行目: WHAT" (lines count from 1)
[[noreturn]] void ThrowPaletteLineError(const std::string& fileName, size_t line, const std::string& what);
// "パレットファイル FILE のオフセット N: WHAT" (bytes count from 0)
[[noreturn]] void ThrowPaletteOffsetError(const std::string& fileName, size_t offset,
                                          const std::string& what);

}  // namespace pixkura
