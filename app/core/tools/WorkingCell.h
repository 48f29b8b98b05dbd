// The working cell: the loupe tools draw into a copy of the selected cell,
// which is stored back into the sheet after each step.
#pragma once

#include "app/core/document/SheetDocument.h"
#include "app/core/view/LoupeViewport.h"
#include "image/IxDIB.h"

namespace pixkura {

struct TWorkingCell {
  TIxDIB ChrDib;  // working copy of the selected cell (ChrX x ChrY): the loupe tools draw here

  // Copies the selected cell of the sheet into ChrDib.
  void Refresh(const TLoupeViewport& v, TIxDIB& sheet);
  // Stores ChrDib into the sheet: the whole cell with wholeCell (drawing
  // past the loupe), else only the part the loupe shows.
  void Store(const TLoupeViewport& v, bool wholeCell, TSheetDocument& doc);
};

}  // namespace pixkura
