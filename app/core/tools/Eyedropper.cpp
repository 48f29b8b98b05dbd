#include "app/core/Editor.h"

namespace pixkura {

void TEyedropper::Press(const TLoupeEvent& at) {
  SpoitDown = true;
  e_.LupeViewMouseMove(at.Sender, at.Shift, at.X, at.Y);
}

bool TEyedropper::Move(const TLoupeEvent& at) {
  if (!SpoitDown) return false;
  if (at.X < 0 || at.X >= 256 || at.Y < 0 || at.Y >= 256) return true;
  const TLoupeViewport& v = e_.View;
  const int32_t cx = at.cx, cy = at.cy;
  const int32_t sx = v.SheetXOfCell(cx), sy = v.SheetYOfCell(cy);
  // The negative side can be reached through a shape that reaches left of or
  // above the loupe; there is no pixel there to pick.
  if (cx < 0 || cy < 0 || sx >= e_.Views.BufW || sy >= e_.Views.BufH || cx >= v.ChrX || cy >= v.ChrY) return true;
  TIxDIB* source = e_.Doc.AllDib;
  if (e_.kasane.Checked() && at.Shift.Shift) {
    TIxDIB* const byItem[] = {e_.Doc.AllDib, &e_.Views.LayDib, &e_.Views.LayAllDib};
    const int32_t item = e_.LupeLay.ItemIndex();
    if (item < 0 || item > 2) return true;
    source = byItem[item];
  }
  e_.MainColor = static_cast<uint8_t>(source->GetPixels(sx, sy));
  e_.ShowMainColor();
  return true;
}

}  // namespace pixkura
