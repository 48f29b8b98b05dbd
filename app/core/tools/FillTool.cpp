#include "app/core/Editor.h"
#include "image/DIB256.h"

namespace pixkura {

void TFillTool::Press(const TLoupeEvent& at) {
  // A click on the loupe beyond the cell's edge has no pixel to fill: it is
  // ignored before the snapshot, so it leaves no empty undo step.
  if (!at.InsideCell) return;
  e_.TakeSnapshot();
  FillArea(at.cx, at.cy, e_.MainColor, e_.Tools.Cell.ChrDib);
  e_.CommitCell();
}

}  // namespace pixkura
