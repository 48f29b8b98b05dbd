// The loupe renderer: a window of the selected cell, magnified Bai times,
// rendered into LupeDib with the layer composites, the fill beyond the cell,
// the onion skin's ghosts, the grid, the cell-edge marks and the centre lines. It runs after every pen
// segment, so it touches only what it shows (and the layer composites of the
// cell, which the other views read) and allocates nothing.
#pragma once

#include "app/core/view/LoupeViewport.h"
#include "image/IxDIB.h"

namespace pixkura {

class TEditor;

class TLoupeRenderer {
 public:
  explicit TLoupeRenderer(TEditor& editor) : e_(editor) {}
  TLoupeRenderer(const TLoupeRenderer&) = delete;
  TLoupeRenderer& operator=(const TLoupeRenderer&) = delete;

  // Renders the loupe, then the special views, and repaints it.
  void Redraw();

 private:
  using TWindow = TLoupeViewport::TWindow;
  void StretchToLoupe(TIxDIB& source, const TWindow& r);
  void RenderLayerPicture(const TWindow& r);
  void FillBeyondCell(const TWindow& r);
  void DrawLoupeLines(const TWindow& r);

  TEditor& e_;
};

}  // namespace pixkura
