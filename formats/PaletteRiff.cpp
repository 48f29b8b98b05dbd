#include "formats/PaletteRiff.h"

#include <cstring>
#include <string_view>

#include "formats/PaletteFileError.h"

namespace pixkura {

namespace {

constexpr size_t kFormHeader = 12;    // "RIFF", size, "PAL "
constexpr size_t kChunkHeader = 8;    // identifier, size
constexpr size_t kPaletteHeader = 4;  // version, entry count
constexpr size_t kEntrySize = 4;      // red, green, blue, flags

uint32_t LittleEndian32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

uint16_t LittleEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool HasId(const uint8_t* p, std::string_view id) { return std::memcmp(p, id.data(), 4) == 0; }

TPaletteColors DecodeLogicalPalette(std::span<const uint8_t> bytes, size_t at, size_t size,
                                    const std::string& fileName) {
  if (size < kPaletteHeader) ThrowPaletteOffsetError(fileName, at, "data チャンクが短すぎます");
  const size_t count = LittleEndian16(bytes.data() + at + 2);
  if (count < 1 || count > TPaletteColors::kMaxCount)
    ThrowPaletteOffsetError(fileName, at + 2,
                            "色の数 " + std::to_string(count) + " が 1〜256 ではありません");
  if (kPaletteHeader + count * kEntrySize > size) {
    ThrowPaletteOffsetError(fileName, at,
                            "data チャンクに " + std::to_string(count) + " 色が収まっていません");
  }
  TPaletteColors colors;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = bytes.data() + at + kPaletteHeader + kEntrySize * i;
    colors.Add(RGB(e[0], e[1], e[2]));
  }
  return colors;
}

}  // namespace

bool IsRiffPalette(std::span<const uint8_t> bytes) {
  return bytes.size() >= kFormHeader && HasId(bytes.data(), "RIFF") && HasId(bytes.data() + 8, "PAL ");
}

TPaletteColors DecodeRiffPalette(std::span<const uint8_t> bytes, const std::string& fileName) {
  if (!IsRiffPalette(bytes)) ThrowPaletteOffsetError(fileName, 0, "RIFF パレットの見出しがありません");
  // The form's own size counts from its type; bytes after the form are not read.
  const uint64_t formEnd = uint64_t{8} + LittleEndian32(bytes.data() + 4);
  if (formEnd > bytes.size()) {
    ThrowPaletteOffsetError(
        fileName, 4, "RIFF の大きさ " + std::to_string(formEnd - 8) + " がファイルの残りを超えています");
  }
  size_t at = kFormHeader;
  while (at + kChunkHeader <= formEnd) {
    const uint64_t size = LittleEndian32(bytes.data() + at + 4);
    const size_t body = at + kChunkHeader;
    if (body + size > formEnd) ThrowPaletteOffsetError(fileName, at, "チャンクが途中で切れています");
    if (HasId(bytes.data() + at, "data"))
      return DecodeLogicalPalette(bytes, body, static_cast<size_t>(size), fileName);
    at = static_cast<size_t>(body + size + (size & 1));  // chunks are padded to an even length
  }
  ThrowPaletteFileError(fileName, "RIFF パレットに data チャンクがありません");
}

}  // namespace pixkura
