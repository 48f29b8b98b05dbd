// Conversion between the program's UTF-8 text and the Shift-JIS (code page
// 932) bytes in which the settings file is stored.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pixkura {

// Bytes that begin a two-byte character in code page 932.
constexpr bool IsShiftJisLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Decodes code page 932. A byte that starts no valid character becomes U+FFFD
// and decoding goes on with the next byte, so damaged files still read.
std::string ShiftJisToUtf8(std::string_view bytes);

// Encodes UTF-8 to code page 932. A character the code page lacks, or a byte
// that is no valid UTF-8, becomes "?" (as the platform's own conversion does).
std::string Utf8ToShiftJis(std::string_view text);

}  // namespace pixkura
