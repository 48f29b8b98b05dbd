// Telling palette files apart by their content, never by their name: the
// text formats and the RIFF form by their first bytes, the Adobe table and
// the program's own file by their exact sizes, a hex palette by its first
// colour line; whatever is none of them is left to the picture loader.
#pragma once

#include <cstdint>
#include <span>

namespace pixkura {

enum class TPaletteFormat { pfGimp, pfJascPal, pfRiffPal, pfAdobeAct, pfHex, pfRaw, pfPicture };

TPaletteFormat RecognisePaletteFormat(std::span<const uint8_t> bytes);

}  // namespace pixkura
