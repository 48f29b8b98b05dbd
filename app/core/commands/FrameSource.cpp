#include "app/core/commands/FrameSource.h"

#include <algorithm>

#include "app/core/document/BitmapShape.h"
#include "base/Exception.h"

namespace pixkura {

int32_t TEditorFrameSource::AreaWidth() const { return editor_.Doc.AllDib->GetWidth(); }

int32_t TEditorFrameSource::AreaHeight() const { return editor_.Doc.AllDib->GetHeight(); }

TFramePixels TEditorFrameSource::ComposeFrame(const TRect& cell) const {
  if (cell.Width() != editor_.View.ChrX || cell.Height() != editor_.View.ChrY)
    throw EInvalidOperation("TEditorFrameSource.ComposeFrame: not a cell of the editor's size");
  const int32_t scale = editor_.NiBai.Checked() ? 2 : 1;
  TFramePixels frame{scale * cell.Width(), scale * cell.Height(), {}};
  TIxDIB picture;
  ShapeBitmap(picture, frame.Width, frame.Height);
  editor_.ComposeAnimationFrame(cell.Left, cell.Top, picture);
  frame.Pixels.resize(static_cast<size_t>(frame.Width) * static_cast<size_t>(frame.Height));
  for (int32_t y = 0; y < frame.Height; ++y) {
    const uint8_t* row = picture.GetScanLine(y);
    std::copy_n(row, frame.Width, frame.Pixels.begin() + static_cast<ptrdiff_t>(y) * frame.Width);
  }
  return frame;
}

}  // namespace pixkura
