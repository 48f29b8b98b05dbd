// The operation list of pixkura-convert --reorder: "OP[,OP...]" with
// swap=A:B, move=A:B, sort-luminance=A-B, sort-hue=A-B, sort-use=A-B,
// merge-duplicates, compact and transparent-to-0=I; every index 0 to 255.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pixkura {

enum class TReorderKind {
  Swap,
  Move,
  SortLuminance,
  SortHue,
  SortUse,
  MergeDuplicates,
  Compact,
  TransparentToZero
};

struct TReorderOperation {
  TReorderKind Kind;
  uint8_t A = 0;  // the first index, the range's first entry or I
  uint8_t B = 0;  // the second index or the range's last entry
  friend bool operator==(const TReorderOperation&, const TReorderOperation&) = default;
};

// The operations of text in their order, or nothing with error naming the
// first part that is not an operation.
std::optional<std::vector<TReorderOperation>> ParseReorderOperations(std::string_view text,
                                                                     std::string& error);

}  // namespace pixkura
