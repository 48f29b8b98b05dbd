#include "app/core/tools/WorkingCell.h"

#include <algorithm>

#include "image/DIB256.h"

namespace pixkura {

void TWorkingCell::Refresh(const TLoupeViewport& v, TIxDIB& sheet) {
  CopyBlock(v.CellX, v.CellY, v.CellX + v.ChrX - 1, v.CellY + v.ChrY - 1, sheet, 0, 0, ChrDib);
}

void TWorkingCell::Store(const TLoupeViewport& v, bool wholeCell, TSheetDocument& doc) {
  doc.PixelsStored();
  if (wholeCell) {
    CopyBlock(0, 0, v.ChrX - 1, v.ChrY - 1, ChrDib, v.CellX, v.CellY, *doc.AllDib);
    return;
  }
  // Only the part the loupe shows; what a tool drew beyond it stays out of the sheet.
  const int32_t right = std::min<int32_t>(v.LupeX + v.LupeSpan, v.ChrX) - 1;
  const int32_t bottom = std::min<int32_t>(v.LupeY + v.LupeSpan, v.ChrY) - 1;
  CopyBlock(v.LupeX, v.LupeY, right, bottom, ChrDib, v.CellX + v.LupeX, v.CellY + v.LupeY, *doc.AllDib);
  // And out of the working copy: a later store (after a scroll, or with
  // drawing past the loupe turned on), fill or blend sees only what the sheet
  // holds, never a hidden part the loupe did not show.
  if (v.LupeX > 0 || v.LupeY > 0 || right < v.ChrX - 1 || bottom < v.ChrY - 1) Refresh(v, *doc.AllDib);
}

}  // namespace pixkura
