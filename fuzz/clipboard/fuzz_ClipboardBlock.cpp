// The clipboard block reader on arbitrary bytes from the desktop: it refuses
// them or returns a block that encodes back to the very same bytes and that
// the PNG writer takes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "formats/BlockPng.h"
#include "formats/ClipboardBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pixkura;
  const std::optional<TIndexedBlock> block = DecodeIndexedBlock(std::span<const uint8_t>(data, size));
  if (!block) return 0;
  const std::vector<uint8_t> again = EncodeIndexedBlock(*block);
  if (again.size() != size || !std::equal(again.begin(), again.end(), data)) std::abort();
  if (EncodeBlockPng(*block).size() < 8) std::abort();
  return 0;
}
