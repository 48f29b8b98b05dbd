#include "formats/PaletteAct.h"

#include "formats/PaletteFileError.h"

namespace pixkura {

namespace {

constexpr size_t kCountOffset = kActTableSize;
constexpr uint16_t kNoTransparentEntry = 0xFFFF;

uint16_t BigEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

void PutBigEndian16(uint8_t* p, uint16_t value) {
  p[0] = static_cast<uint8_t>(value >> 8);
  p[1] = static_cast<uint8_t>(value);
}

}  // namespace

TPaletteColors DecodeActPalette(std::span<const uint8_t> bytes, const std::string& fileName) {
  if (bytes.size() != kActTableSize && bytes.size() != kActCountedSize) {
    ThrowPaletteFileError(fileName, "Adobe カラーテーブルの大きさは 768 か 772 バイトです (" +
                                        std::to_string(bytes.size()) + " バイト)");
  }
  size_t count = TPaletteColors::kMaxCount;
  if (bytes.size() == kActCountedSize) {
    count = BigEndian16(bytes.data() + kCountOffset);
    if (count < 1 || count > TPaletteColors::kMaxCount)
      ThrowPaletteOffsetError(fileName, kCountOffset,
                              "色の数 " + std::to_string(count) + " が 1〜256 ではありません");
  }
  TPaletteColors colors;
  for (size_t i = 0; i < count; ++i) colors.Add(RGB(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]));
  return colors;
}

std::vector<uint8_t> EncodeActPalette(const TPaletteColors& colors) {
  std::vector<uint8_t> bytes(colors.Full() ? kActTableSize : kActCountedSize, 0);
  for (size_t i = 0; i < colors.Count(); ++i) {
    bytes[3 * i] = GetRValue(colors[i]);
    bytes[3 * i + 1] = GetGValue(colors[i]);
    bytes[3 * i + 2] = GetBValue(colors[i]);
  }
  if (!colors.Full()) {
    PutBigEndian16(bytes.data() + kCountOffset, static_cast<uint16_t>(colors.Count()));
    PutBigEndian16(bytes.data() + kCountOffset + 2, kNoTransparentEntry);
  }
  return bytes;
}

}  // namespace pixkura
