// The order of the window's three panels, chosen by three panel numbers.
#include <array>

#include "app/core/Editor.h"

namespace pixkura {

void TEditor::LayoutPanels() {
  // Panel number 1, 2, 3 names PanelLeft, PanelCenter, PanelRight. Each
  // placed panel starts where the previous one ended; a number outside 1..3
  // places nothing. Widths never change.
  const std::array<TPanel*, 3> panels{&PanelLeft, &PanelCenter, &PanelRight};
  int32_t x = 0;
  for (int32_t number : {LeftPanelPos, CenterPanelPos, RightPanelPos}) {
    if (number < 1 || number > 3) continue;
    TPanel& panel = *panels[static_cast<size_t>(number - 1)];
    panel.SetLeft(x);
    x += panel.Width();
  }
}

}  // namespace pixkura
