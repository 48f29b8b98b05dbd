// pixkura-convert --reorder OP[,OP...] IN OUT: the palette of an 8-bit
// picture reordered with its pixels following their entries, written in the
// format of OUT's extension.
#pragma once

#include <string>
#include <vector>

#include "formats/png.h"
#include "image/PaletteReorder.h"
#include "tools/pixkura-convert/ReorderOperations.h"

namespace pixkura {

// What operation does to picture's palette (sort-use and compact count the
// picture's pixels); ERangeError for an index outside the palette.
TPaletteReorder ReorderOf(const TReorderOperation& operation, const TIxDIB& picture);

// Reads input, applies operations in order and writes output (png's options
// when it is a PNG). EIxDIBBadDIBType when input is not 8-bit indexed, and the
// loader's and writers' errors; nothing is written on failure.
void ReorderPicture(const std::string& input, const std::string& output,
                    const std::vector<TReorderOperation>& operations, const TPNGOptions& png);

}  // namespace pixkura
