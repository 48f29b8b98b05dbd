// pixkura-convert --reorder on arbitrary text, applied to 40 entries (every
// colour twice): each operation it parses refuses an index beyond the palette
// or leaves every pixel inside it with the colour it had.
#include <cstdlib>
#include <string_view>

#include "base/Exception.h"
#include "tools/pixkura-convert/ReorderCommand.h"

using namespace pixkura;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string error;
  const auto operations = ParseReorderOperations({reinterpret_cast<const char*>(data), size}, error);
  if (!operations) {
    if (error.empty()) std::abort();
    return 0;
  }
  TIxDIB picture;
  picture.SetWidth(7);
  picture.SetPaletteSize(40);
  for (int32_t i = 0; i < 40; ++i) picture.SetColors(i, RGB(uint8_t(i % 20 * 9), 1, 2));
  for (int32_t x = 0; x < 7; ++x) picture.SetPixels(x, 0, x * 3);
  for (const TReorderOperation& operation : *operations) {
    try {
      ApplyPaletteReorder(picture, ReorderOf(operation, picture));
    } catch (const ERangeError&) {
    }
    for (int32_t x = 0; x < 7; ++x)
      if (picture.GetPixels(x, 0) >= 40 || picture.GetColors(picture.GetPixels(x, 0)) != RGB(x * 3 * 9, 1, 2))
        std::abort();
  }
  return 0;
}
