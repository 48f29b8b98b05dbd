#include "app/core/Editor.h"

namespace pixkura {

void TBlendTool::Press(const TLoupeEvent& at) {
  if (!at.InsideCell) return;
  e_.TakeSnapshot();
  TIxDIB& cell = e_.Tools.Cell.ChrDib;
  const auto under = static_cast<uint8_t>(cell.GetPixels(at.cx, at.cy));
  cell.SetPixels(at.cx, at.cy, at.Shift.Shift ? e_.MainColor : e_.Blend().MixTable[under][e_.MainColor]);
  e_.CommitCell();
}

}  // namespace pixkura
