#include "app/core/Editor.h"

namespace pixkura {

void TShapeTool::Press(const TLoupeEvent& at) {
  if (!anchor_.ShapeAnchor) {
    anchor_.ShapeAnchor = true;
    anchor_.StartX = at.cx;
    anchor_.StartY = at.cy;
    e_.PlaceAnchorMarker();
    return;
  }
  e_.TakeSnapshot();
  anchor_.ShapeAnchor = false;
  e_.DrawTg.Hide();
  Draw(at.cx, at.cy);
  e_.CommitCell();
}

bool TShapeTool::DropAnchor() {
  if (!anchor_.ShapeAnchor) return false;
  anchor_.ShapeAnchor = false;
  e_.DrawTg.Hide();
  return true;
}

}  // namespace pixkura
