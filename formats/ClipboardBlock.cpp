#include "formats/ClipboardBlock.h"

#include <algorithm>
#include <cstring>

namespace pixkura {
namespace {

constexpr uint8_t kMagic[4] = {'P', 'X', 'K', 'B'};
constexpr uint8_t kVersion = 1;
constexpr size_t kHeaderSize = 10;
constexpr size_t kColorsSize = 3 * 256;

void PutU16(uint8_t* at, int32_t v) {
  at[0] = static_cast<uint8_t>(v);
  at[1] = static_cast<uint8_t>(v >> 8);
}
int32_t U16(const uint8_t* at) { return at[0] | (at[1] << 8); }

bool SideFits(int32_t side) { return side >= 1 && side <= kMaxBlockSide; }

}  // namespace

std::vector<uint8_t> EncodeIndexedBlock(const TIndexedBlock& block) {
  std::vector<uint8_t> bytes(kHeaderSize + kColorsSize);
  std::memcpy(bytes.data(), kMagic, sizeof kMagic);
  bytes[4] = kVersion;
  bytes[5] = block.Transparent;
  PutU16(&bytes[6], block.Width);
  PutU16(&bytes[8], block.Height);
  uint8_t* rgb = bytes.data() + kHeaderSize;
  for (const TColor c : block.Colors) {
    *rgb++ = GetRValue(c);
    *rgb++ = GetGValue(c);
    *rgb++ = GetBValue(c);
  }
  bytes.insert(bytes.end(), block.Indices.begin(), block.Indices.end());
  return bytes;
}

std::optional<TIndexedBlock> DecodeIndexedBlock(std::span<const uint8_t> bytes) {
  if (bytes.size() < kHeaderSize + kColorsSize || !std::equal(kMagic, kMagic + 4, bytes.data()) ||
      bytes[4] != kVersion)
    return std::nullopt;
  TIndexedBlock block;
  block.Transparent = bytes[5];
  block.Width = U16(&bytes[6]);
  block.Height = U16(&bytes[8]);
  // Both sides are checked before they are multiplied; the product is then at most 65536.
  if (!SideFits(block.Width) || !SideFits(block.Height)) return std::nullopt;
  const size_t pixels = static_cast<size_t>(block.Width) * static_cast<size_t>(block.Height);
  if (bytes.size() != kHeaderSize + kColorsSize + pixels) return std::nullopt;
  const uint8_t* rgb = bytes.data() + kHeaderSize;
  for (TColor& c : block.Colors) {
    c = RGB(rgb[0], rgb[1], rgb[2]);
    rgb += 3;
  }
  block.Indices.assign(rgb, rgb + pixels);
  return block;
}

}  // namespace pixkura
