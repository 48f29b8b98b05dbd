// What the views show besides the sheet: the view bitmaps (the pictures of
// their images: drawing into one and repainting the view shows it; all are
// 8-bit with 256 palette entries), the layer composites, and the display
// state that is not a control's own (grid, centre lines, the special views'
// repeat limit, the animation preview's row and frames).
#pragma once

#include <cstdint>

#include "image/IxDIB.h"

namespace pixkura {

struct TViewBitmaps {
  TIxDIB* LupeDib = nullptr;  // the loupe as rendered, 256 x 256 screen pixels
  TIxDIB* NomDib = nullptr;   // special view of the cell as it is, 128 x 128
  TIxDIB* RevDib = nullptr;   // special view of the cell mirrored left-right, 128 x 128
  TIxDIB* MovDib = nullptr;   // animation preview and sheet magnifier, 64 x 64
  TIxDIB LayDib;              // layer composite "below" of the selected cell, at its sheet position
  TIxDIB LayAllDib;           // layer composite "all" of the selected cell (and the animation's frames)
  int32_t BufW = 256, BufH = 256;  // size of the layer composites
  bool GridOn = true;              // grid lines in the loupe, every second sheet pixel
  bool CLineOn = true;             // centre lines of the loupe
  int32_t NarabeMax = 3;  // side-by-side special views repeat the cell at most NarabeMax + 1 times each way
  bool NomShown = false, RevShown = false;  // the special view shows the current cell (its box was checked)
  uint8_t MovDir = 0;     // row the animation plays: 0 up, 1 right, 2 down, 3 left
  uint8_t MovFrames = 0;  // frames the animation plays (StepBar when the button was pressed)
};

}  // namespace pixkura
