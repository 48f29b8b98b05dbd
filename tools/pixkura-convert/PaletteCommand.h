// pixkura-convert --palette IN OUT: the palette of IN (any palette file the
// program reads, or a picture) written to OUT in the format of its extension.
#pragma once

#include <string>

namespace pixkura {

// Raises the readers' and writers' errors; nothing is written on failure.
// Returns what the user should be told although it worked (colours left out
// of a palette of more than 256), or nothing.
std::string ConvertPalette(const std::string& input, const std::string& output);

}  // namespace pixkura
