// The loupe's tools. The numbers are the ones the tool buttons have always
// carried; they are kept so that anything stored with them reads the same.
#pragma once

#include <cstdint>

namespace pixkura {

enum class TToolKind : uint8_t { Pen = 0, Line = 1, Ellipse = 2, Fill = 3, Box = 4, Blend = 5 };

inline constexpr int kToolKinds = 6;

}  // namespace pixkura
