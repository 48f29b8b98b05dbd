#include "tools/pixkura-convert/ReorderOperations.h"

#include <array>

#include "tools/pixkura-convert/ArgumentText.h"

namespace pixkura {

namespace {

// What follows "name=": two indices joined by Separator, one index, or nothing
// (no "=" at all).
enum class TArguments { Pair, One, None };

struct TOperationName {
  std::string_view Name;
  TReorderKind Kind;
  TArguments Arguments;
  char Separator;
};

constexpr std::array<TOperationName, 8> kOperations{{
    {"swap", TReorderKind::Swap, TArguments::Pair, ':'},
    {"move", TReorderKind::Move, TArguments::Pair, ':'},
    {"sort-luminance", TReorderKind::SortLuminance, TArguments::Pair, '-'},
    {"sort-hue", TReorderKind::SortHue, TArguments::Pair, '-'},
    {"sort-use", TReorderKind::SortUse, TArguments::Pair, '-'},
    {"merge-duplicates", TReorderKind::MergeDuplicates, TArguments::None, 0},
    {"compact", TReorderKind::Compact, TArguments::None, 0},
    {"transparent-to-0", TReorderKind::TransparentToZero, TArguments::One, 0},
}};

std::optional<uint8_t> TakeIndex(std::string_view& text) {
  const std::optional<int32_t> n = TakeNumber(text);
  if (!n || *n > 255) return std::nullopt;
  return static_cast<uint8_t>(*n);
}

std::optional<TReorderOperation> ParseOperation(std::string_view text) {
  const size_t equals = text.find('=');
  const std::string_view name = text.substr(0, equals);
  for (const TOperationName& known : kOperations) {
    if (known.Name != name) continue;
    TReorderOperation operation{known.Kind};
    if (known.Arguments == TArguments::None) {
      if (equals != std::string_view::npos) return std::nullopt;
      return operation;
    }
    if (equals == std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(equals + 1);
    const std::optional<uint8_t> a = TakeIndex(rest);
    if (!a) return std::nullopt;
    operation.A = *a;
    if (known.Arguments == TArguments::Pair) {
      const std::optional<uint8_t> b = TakeChar(rest, known.Separator) ? TakeIndex(rest) : std::nullopt;
      if (!b) return std::nullopt;
      operation.B = *b;
    }
    if (!rest.empty()) return std::nullopt;
    return operation;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<TReorderOperation>> ParseReorderOperations(std::string_view text,
                                                                     std::string& error) {
  std::vector<TReorderOperation> operations;
  while (true) {
    const size_t comma = text.find(',');
    const std::string_view part = text.substr(0, comma);
    const std::optional<TReorderOperation> operation = ParseOperation(part);
    if (!operation) {
      error = "invalid --reorder operation \"" + std::string(part) +
              "\" (swap=A:B, move=A:B, sort-luminance=A-B, sort-hue=A-B, sort-use=A-B, merge-duplicates, "
              "compact or transparent-to-0=I; indices 0 to 255)";
      return std::nullopt;
    }
    operations.push_back(*operation);
    if (comma == std::string_view::npos) return operations;
    text.remove_prefix(comma + 1);
  }
}

}  // namespace pixkura
