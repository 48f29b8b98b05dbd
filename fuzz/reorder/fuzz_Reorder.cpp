// pixkura-convert --reorder on arbitrary text: the input up to the first NUL
// is the operation list, the bytes after it a small 8-bit picture (palette
// size, then pixels below it; colours repeat so that merges find duplicates).
// The parser answers with operations or an error naming a part; every
// operation it accepts either refuses an index outside the palette or leaves
// every pixel inside the palette with the colour it had.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/Exception.h"
#include "tools/pixkura-convert/ReorderCommand.h"

namespace {

using namespace pixkura;

constexpr int32_t kWidth = 7, kHeight = 5;

void Picture(std::string_view bytes, TIxDIB& picture) {
  const int32_t entries = bytes.empty() ? 1 : 1 + static_cast<uint8_t>(bytes[0]);
  picture.SetWidth(kWidth);
  picture.SetHeight(kHeight);
  picture.SetBitCount(8);
  picture.SetPaletteSize(entries);
  for (int32_t i = 0; i < entries; ++i) picture.SetColors(i, RGB(uint8_t(i % 5 * 50), uint8_t(i % 3), 9));
  for (int32_t p = 0; p < kWidth * kHeight; ++p) {
    const size_t at = 1 + static_cast<size_t>(p);
    const uint8_t value = at < bytes.size() ? static_cast<uint8_t>(bytes[at]) : 0;
    picture.SetPixels(p % kWidth, p / kWidth, value % entries);
  }
}

TColor ColorAt(const TIxDIB& picture, int32_t p) {
  const int32_t index = picture.GetPixels(p % kWidth, p / kWidth);
  if (index >= picture.GetPaletteSize()) std::abort();
  return picture.GetColors(index);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t nul = input.find('\0');
  std::string error;
  const auto operations = ParseReorderOperations(input.substr(0, nul), error);
  if (!operations) {
    if (error.empty()) std::abort();
    return 0;
  }
  if (operations->empty()) std::abort();
  TIxDIB picture;
  Picture(nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1), picture);
  for (const TReorderOperation& operation : *operations) {
    TIxDIB before;
    before.Assign(&picture);
    try {
      ApplyPaletteReorder(picture, ReorderOf(operation, picture));
    } catch (const ERangeError&) {
      continue;
    }
    for (int32_t p = 0; p < kWidth * kHeight; ++p)
      if (ColorAt(picture, p) != ColorAt(before, p)) std::abort();
  }
  return 0;
}
