// Telling palette files apart by their content, never by their name: the
// text formats and the RIFF form by their first bytes, the Adobe table and
// the program's own file by their exact sizes, a hex palette by its first
// colour line; whatever is none of them is left to the picture loader.
//
// A table holds any bytes, so one can begin like another format. With a
// text palette's or the RIFF form's signature it is taken for that format:
// a table spelling "GIMP Palette" is far less likely than such a file of a
// table's size, and a damaged one is best reported as what it says it is.
// A picture's signature is short enough for a colour to spell it: a
// table-sized file with one is recognised as a picture, and the reader takes
// it for the table of its size when the picture loader cannot read it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace pixkura {

enum class TPaletteFormat { pfGimp, pfJascPal, pfRiffPal, pfAdobeAct, pfHex, pfRaw, pfPicture };

TPaletteFormat RecognisePaletteFormat(std::span<const uint8_t> bytes);

// The table a file of size bytes is, if it is one: pfAdobeAct for 768 and
// 772 bytes, pfRaw for 1024.
std::optional<TPaletteFormat> TableFormatOfSize(size_t size);

}  // namespace pixkura
