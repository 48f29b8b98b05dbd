#include "app/core/Editor.h"
#include "image/DIB256.h"

namespace pixkura {

void TBoxTool::Draw(int32_t x, int32_t y) {
  PenBox(anchor_.StartX, anchor_.StartY, x, y, e_.MainColor, e_.Tools.Cell.ChrDib, false, 0, false,
     static_cast<uint8_t>(e_.Tools.PenSize));
}

}  // namespace pixkura
