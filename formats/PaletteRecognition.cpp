#include "formats/PaletteRecognition.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "formats/PaletteAct.h"
#include "formats/PaletteFile.h"
#include "formats/PaletteGimp.h"
#include "formats/PaletteHex.h"
#include "formats/PaletteJasc.h"
#include "formats/PaletteRiff.h"
#include "formats/PaletteTextReader.h"

namespace pixkura {

namespace {

std::string_view AsText(std::span<const uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

uint32_t LittleEndian32(std::string_view s, size_t at) {
  uint32_t v = 0;
  for (size_t i = 4; i-- > 0;) v = v << 8 | static_cast<uint8_t>(s[at + i]);
  return v;
}

// The signatures of the picture formats the program reads. A BMP file's "BM"
// is backed by a known header size, since two bytes alone are as likely a
// colour.
bool HasPictureSignature(std::string_view s) {
  static constexpr std::array<std::string_view, 4> kSignatures = {"GIF87a", "GIF89a", "\x89PNG\r\n\x1a\n",
                                                                  "\xFF\xD8\xFF"};
  if (std::any_of(kSignatures.begin(), kSignatures.end(),
                  [&](std::string_view sig) { return s.starts_with(sig); }))
    return true;
  if (!s.starts_with("BM") || s.size() < 18) return false;
  static constexpr std::array<uint32_t, 7> kInfoSizes = {12, 40, 52, 56, 64, 108, 124};
  return std::find(kInfoSizes.begin(), kInfoSizes.end(), LittleEndian32(s, 14)) != kInfoSizes.end();
}

// Only printable ASCII and line ends: what a hex palette is made of.
bool IsPlainText(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return (c >= ' ' && c <= '~') || (c >= '\t' && c <= '\r'); });
}

bool BeginsWithHexColor(std::span<const uint8_t> bytes) {
  const std::string fileName;
  TPaletteTextReader reader(bytes, fileName);
  std::string_view line;
  while (reader.NextLine(line))
    if (!line.empty()) return IsHexColorLine(line);
  return false;
}

}  // namespace

TPaletteFormat RecognisePaletteFormat(std::span<const uint8_t> bytes) {
  std::string_view text = AsText(bytes);
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (text.starts_with(kGimpPaletteSignature)) return TPaletteFormat::pfGimp;
  if (text.starts_with(kJascPaletteSignature)) return TPaletteFormat::pfJascPal;
  if (IsRiffPalette(bytes)) return TPaletteFormat::pfRiffPal;
  if (HasPictureSignature(AsText(bytes))) return TPaletteFormat::pfPicture;
  // A table happens to look like text only by chance; a hex palette of a
  // table's size is told apart by holding nothing but text.
  const std::optional<TPaletteFormat> table = TableFormatOfSize(bytes.size());
  if (BeginsWithHexColor(bytes) && (!table || IsPlainText(text))) return TPaletteFormat::pfHex;
  return table.value_or(TPaletteFormat::pfPicture);
}

std::optional<TPaletteFormat> TableFormatOfSize(size_t size) {
  if (size == kActTableSize || size == kActCountedSize) return TPaletteFormat::pfAdobeAct;
  if (size == kPaletteFileSize) return TPaletteFormat::pfRaw;
  return std::nullopt;
}

}  // namespace pixkura
