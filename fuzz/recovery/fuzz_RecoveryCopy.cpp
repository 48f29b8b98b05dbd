// Reads arbitrary bytes as a recovery copy left on disk: the index text up to
// the first NUL byte, and after it the one part every name the index gives is
// fetched as. A copy that reads must write an index that reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/core/recovery/RecoveryCopy.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pixkura;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t nul = input.find('\0');
  const std::string index = input.substr(0, nul);
  const std::vector<uint8_t> part =
      nul == std::string::npos ? std::vector<uint8_t>() : std::vector<uint8_t>(data + nul + 1, data + size);
  const TRecoveryFetch fetch = [&part](const std::string&) -> std::optional<std::vector<uint8_t>> { return part; };
  const auto copy = ParseRecoveryCopy(index, fetch);
  if (copy && ParseRecoveryCopy(FormatRecoveryIndex(*copy), fetch) != copy) std::abort();
  return 0;
}
