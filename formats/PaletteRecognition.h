// Telling palette files apart by their content, never by their name: the
// text formats and the RIFF form by their first bytes, the Adobe table and
// the program's own file by their exact sizes, a hex palette by its first
// colour line; whatever is none of them is left to the picture loader.
//
// A table holds any bytes, so one can begin like a picture: a table-sized
// file with a picture's signature is recognised as a picture, and the reader
// takes it for the table of its size when the picture loader cannot read it.
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
