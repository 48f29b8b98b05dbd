#include "settings/ColorText.h"

#include <array>
#include <cstdio>

#include "base/Exception.h"
#include "settings/IntegerText.h"
#include "settings/TextCase.h"

namespace pixkura {
namespace {

struct TColorName {
  TColor color;
  std::string_view name;
};

constexpr TColor System(uint32_t index) { return kSystemColorFlag | index; }

// The sixteen basic colours, the system colours by their number, and the
// two special values.
constexpr std::array<TColorName, 43> kColorNames{{
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {System(0), "clScrollBar"},
    {System(1), "clBackground"},
    {System(2), "clActiveCaption"},
    {System(3), "clInactiveCaption"},
    {System(4), "clMenu"},
    {System(5), "clWindow"},
    {System(6), "clWindowFrame"},
    {System(7), "clMenuText"},
    {System(8), "clWindowText"},
    {System(9), "clCaptionText"},
    {System(10), "clActiveBorder"},
    {System(11), "clInactiveBorder"},
    {System(12), "clAppWorkSpace"},
    {System(13), "clHighlight"},
    {System(14), "clHighlightText"},
    {System(15), "clBtnFace"},
    {System(16), "clBtnShadow"},
    {System(17), "clGrayText"},
    {System(18), "clBtnText"},
    {System(19), "clInactiveCaptionText"},
    {System(20), "clBtnHighlight"},
    {System(21), "cl3DDkShadow"},
    {System(22), "cl3DLight"},
    {System(23), "clInfoText"},
    {System(24), "clInfoBk"},
    {0x1FFFFFFF, "clNone"},
    {0x20000000, "clDefault"},
}};

}  // namespace

std::string ColorToString(TColor color) {
  for (const auto& entry : kColorNames) {
    if (entry.color == color) return std::string(entry.name);
  }
  char text[16];
  std::snprintf(text, sizeof(text), "$%08X", static_cast<unsigned>(color));
  return text;
}

TColor StringToColor(std::string_view text) {
  for (const auto& entry : kColorNames) {
    if (SameText(entry.name, text)) return entry.color;
  }
  const auto value = TryStrToInt(text);
  if (!value) throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  return static_cast<TColor>(*value);
}

}  // namespace pixkura
