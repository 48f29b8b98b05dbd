#include "formats/PaletteFiles.h"

#include <filesystem>

#include "base/Streams.h"
#include "formats/PaletteAct.h"
#include "formats/PaletteFileError.h"
#include "formats/PaletteGimp.h"
#include "formats/PaletteHex.h"
#include "formats/PaletteJasc.h"
#include "formats/PalettePicture.h"
#include "formats/PaletteRaw.h"
#include "formats/PaletteRiff.h"

namespace pixkura {

namespace {

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

TPaletteColors DecodeAs(TPaletteFormat format, std::span<const uint8_t> bytes, const std::string& fileName) {
  switch (format) {
    case TPaletteFormat::pfGimp:
      return DecodeGimpPalette(bytes, fileName);
    case TPaletteFormat::pfJascPal:
      return DecodeJascPalette(bytes, fileName);
    case TPaletteFormat::pfRiffPal:
      return DecodeRiffPalette(bytes, fileName);
    case TPaletteFormat::pfAdobeAct:
      return DecodeActPalette(bytes, fileName);
    case TPaletteFormat::pfHex:
      return DecodeHexPalette(bytes, fileName);
    case TPaletteFormat::pfRaw:
      return DecodeRawPalette(bytes, fileName);
    case TPaletteFormat::pfPicture:
      break;
  }
  return DecodePicturePalette(bytes, fileName);
}

}  // namespace

TPaletteColors DecodePaletteColors(std::span<const uint8_t> bytes, const std::string& fileName) {
  const TPaletteFormat format = RecognisePaletteFormat(bytes);
  const std::optional<TPaletteFormat> table = TableFormatOfSize(bytes.size());
  if (format != TPaletteFormat::pfPicture || !table) return DecodeAs(format, bytes, fileName);
  try {
    return DecodePicturePalette(bytes, fileName);
  } catch (const EPaletteFileError&) {
    return DecodeAs(*table, bytes, fileName);  // a table that begins like a picture
  }
}

TPaletteColors ReadPaletteColors(const std::string& fileName) {
  TMemoryStream file;
  file.LoadFromFile(fileName);
  return DecodePaletteColors(file.Bytes(), fileName);
}

std::string LeftOutColorsMessage(const std::string& fileName, const TPaletteColors& colors) {
  if (colors.LeftOut() == 0) return {};
  return "パレットファイル " + fileName + " の色が 256 を超えています: 最初の 256 色を読み、残りの " +
         std::to_string(colors.LeftOut()) + " 色は省きました";
}

std::optional<TPaletteFormat> PaletteFormatForWriting(const std::string& fileName) {
  const std::string ext = LowerAscii(std::filesystem::path(fileName).extension().string());
  if (ext == ".gpl") return TPaletteFormat::pfGimp;
  if (ext == ".pal") return TPaletteFormat::pfJascPal;
  if (ext == ".act") return TPaletteFormat::pfAdobeAct;
  if (ext == ".hex") return TPaletteFormat::pfHex;
  return std::nullopt;
}

std::vector<uint8_t> EncodePaletteColors(TPaletteFormat format, const TPaletteColors& colors,
                                         std::string_view name) {
  if (colors.Empty()) throw ERangeError("EncodePaletteColors: no colours");
  switch (format) {
    case TPaletteFormat::pfGimp:
      return EncodeGimpPalette(colors, name);
    case TPaletteFormat::pfJascPal:
      return EncodeJascPalette(colors);
    case TPaletteFormat::pfAdobeAct:
      return EncodeActPalette(colors);
    case TPaletteFormat::pfHex:
      return EncodeHexPalette(colors);
    default:
      throw ERangeError("EncodePaletteColors: the format is read only");
  }
}

TPaletteFormat RequirePaletteFormatForWriting(const std::string& fileName) {
  const std::optional<TPaletteFormat> format = PaletteFormatForWriting(fileName);
  if (!format) {
    ThrowPaletteFileError(
        fileName, "書き出せるパレットの形式は拡張子 " + std::string(kPaletteWriteExtensions) + " のものです");
  }
  return *format;
}

void WritePaletteColors(const std::string& fileName, const TPaletteColors& colors) {
  const TPaletteFormat format = RequirePaletteFormatForWriting(fileName);
  const std::vector<uint8_t> bytes =
      EncodePaletteColors(format, colors, std::filesystem::path(fileName).stem().string());
  WriteFileAtomically(fileName, bytes.data(), bytes.size());
}

}  // namespace pixkura
