// The palette a picture gives: a picture with a colour table gives that
// table, as many entries as it holds. A true-colour picture has no table of
// its own; it gives its distinct colours in reading order (rows from the
// top, each from the left) when it has at most 256, as the one-pixel-per-
// colour palette pictures of palette sites do. With more it has no palette
// short of a colour reduction, and reading it is refused: the user reduces
// it first (open it in the editor, or pixkura-convert --depth 8).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "formats/PaletteColors.h"
#include "image/IxDIB.h"

namespace pixkura {

// The palette of picture by the rule above; EPaletteFileError naming
// fileName for a true-colour picture of more than 256 colours.
TPaletteColors PaletteOfPicture(const TIxDIB& picture, const std::string& fileName);

// Reads bytes as a picture through the loader the editor opens pictures
// with (the built-in BMP/DIB reader and the active import plug-ins, ordered
// by fileName's extension) and returns its palette. EPaletteFileError naming
// fileName when the data is no picture the loader reads.
TPaletteColors DecodePicturePalette(std::span<const uint8_t> bytes, const std::string& fileName);

}  // namespace pixkura
