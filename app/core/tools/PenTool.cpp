#include "app/core/Editor.h"
#include "image/DIB256.h"

namespace pixkura {

void TPenTool::Press(const TLoupeEvent& at) {
  if (!at.InsideCell) return;
  PenDown = true;
  PenFirst = true;
  e_.SelA.Hide();
  e_.SelC.Hide();
  e_.Cur.Hide();
  StartX = at.x;
  StartY = at.y;
  e_.TakeSnapshot();
  e_.LupeViewMouseMove(at.Sender, at.Shift, at.X, at.Y);
}

bool TPenTool::Move(const TLoupeEvent& at) {
  if (!PenDown) return false;
  // A move that stays on the same loupe pixel draws nothing.
  if (at.x == StartX && at.y == StartY && !PenFirst) return true;
  const TLoupeViewport& v = e_.View;
  SquarePenLine(StartX + v.LupeX, StartY + v.LupeY, at.x + v.LupeX, at.y + v.LupeY, e_.MainColor,
                e_.Tools.Cell.ChrDib, static_cast<uint8_t>(e_.Tools.PenSize));
  e_.StoreCell();
  e_.AllView.Repaint();
  e_.RedrawLoupe();
  StartX = at.x;
  StartY = at.y;
  PenFirst = false;
  return true;
}

}  // namespace pixkura
