#include "formats/PaletteHex.h"

#include "formats/PaletteTextReader.h"

namespace pixkura {

namespace {

constexpr size_t kDigits = 6;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view WithoutHash(std::string_view line) { return line.starts_with('#') ? line.substr(1) : line; }

TColor ParseHexColor(std::string_view digits) {
  uint8_t rgb[3];
  for (size_t i = 0; i < 3; ++i)
    rgb[i] = static_cast<uint8_t>(HexDigit(digits[2 * i]) << 4 | HexDigit(digits[2 * i + 1]));
  return RGB(rgb[0], rgb[1], rgb[2]);
}

}  // namespace

bool IsHexColorLine(std::string_view line) {
  const std::string_view digits = WithoutHash(line);
  if (digits.size() != kDigits) return false;
  for (const char c : digits)
    if (HexDigit(c) < 0) return false;
  return true;
}

TPaletteColors DecodeHexPalette(std::span<const uint8_t> bytes, const std::string& fileName) {
  TPaletteTextReader reader(bytes, fileName);
  TPaletteColors colors;
  std::string_view line;
  while (reader.NextLine(line)) {
    if (line.empty()) continue;
    if (!IsHexColorLine(line)) reader.Fail("\"" + QuoteWord(line) + "\" は RRGGBB の形の色ではありません");
    reader.Add(colors, ParseHexColor(WithoutHash(line)));
  }
  reader.RequireColors(colors);
  return colors;
}

std::vector<uint8_t> EncodeHexPalette(const TPaletteColors& colors) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  for (const TColor c : colors.Colors()) {
    for (const uint8_t component : {GetRValue(c), GetGValue(c), GetBValue(c)}) {
      text += kHex[component >> 4];
      text += kHex[component & 15];
    }
    text += '\n';
  }
  return {text.begin(), text.end()};
}

}  // namespace pixkura
