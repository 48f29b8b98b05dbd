// The working copy of the selected cell.
#include "app/core/Editor.h"
#include "image/DIB256.h"

namespace pixkura {

void TEditor::RefreshChrDib() { CopyBlock(CellX, CellY, CellX + ChrX - 1, CellY + ChrY - 1, *AllDib, 0, 0, ChrDib); }

}  // namespace pixkura
