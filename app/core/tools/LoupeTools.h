// The loupe tools, one class each (PenTool.cpp, LineTool.cpp, EllipseTool.cpp,
// BoxTool.cpp, FillTool.cpp, BlendTool.cpp, Eyedropper.cpp), and the tool box
// that holds them with the tool chosen and the pen size.
#pragma once

#include <array>
#include <cstdint>

#include "app/core/tools/LoupeTool.h"
#include "app/core/tools/ToolKind.h"
#include "app/core/tools/WorkingCell.h"

namespace pixkura {

// The pen draws a square pen line from the last loupe pixel it drew to the
// one under the pointer, storing the cell at each step.
class TPenTool : public TLoupeTool {
 public:
  using TLoupeTool::TLoupeTool;
  void Press(const TLoupeEvent& at) override;
  bool Move(const TLoupeEvent& at) override;
  void Release() override { PenDown = false; }

  bool PenDown = false;   // a pen stroke is under way (left button held)
  bool PenFirst = false;  // the next pen move draws even without moving (the stroke's first dot)
  // The last drawn pixel, in loupe pixels: a scroll during the stroke moves
  // the line's start with the loupe.
  int32_t StartX = 0, StartY = 0;
};

// The first corner of a line, ellipse or box (marked by DrawTg), shared by
// the three: a new tool drops it.
struct TShapeAnchor {
  bool ShapeAnchor = false;  // the first corner is set
  int32_t StartX = 0, StartY = 0;  // the corner, in cell pixels
};

// Line, ellipse and box: the first click sets the anchor, the second draws
// from it to the pixel clicked, as one undo step.
class TShapeTool : public TLoupeTool {
 public:
  TShapeTool(TEditor& editor, TShapeAnchor& anchor) : TLoupeTool(editor), anchor_(anchor) {}
  void Press(const TLoupeEvent& at) override;
  bool DropAnchor() override;

 protected:
  // Draws the shape from the anchor to cell pixel (x, y) into the working cell.
  virtual void Draw(int32_t x, int32_t y) = 0;
  TShapeAnchor& anchor_;
};

class TLineTool : public TShapeTool {
  using TShapeTool::TShapeTool;
  void Draw(int32_t x, int32_t y) override;
};
class TEllipseTool : public TShapeTool {
  using TShapeTool::TShapeTool;
  void Draw(int32_t x, int32_t y) override;
};
class TBoxTool : public TShapeTool {
  using TShapeTool::TShapeTool;
  void Draw(int32_t x, int32_t y) override;
};

// Flood fill of the area around the pixel clicked.
class TFillTool : public TLoupeTool {
 public:
  using TLoupeTool::TLoupeTool;
  void Press(const TLoupeEvent& at) override;
};

// The half-transparent blend of the main colour over the pixel clicked
// (with Shift, the main colour itself).
class TBlendTool : public TLoupeTool {
 public:
  using TLoupeTool::TLoupeTool;
  void Press(const TLoupeEvent& at) override;
};

// The eyedropper, on the right button: the main colour follows the pointer.
class TEyedropper : public TLoupeTool {
 public:
  using TLoupeTool::TLoupeTool;
  void Press(const TLoupeEvent& at) override;
  bool Move(const TLoupeEvent& at) override;
  void Release() override { SpoitDown = false; }

  bool SpoitDown = false;  // the right button is held on the loupe: the eyedropper picks
};

class TToolBox {
 public:
  explicit TToolBox(TEditor& editor);

  TToolKind Tool = TToolKind::Pen;
  int32_t PenSize = 1;  // side of the pen's square, 1..5 from the buttons
  TWorkingCell Cell;
  TShapeAnchor Anchor;
  TPenTool Pen;
  TLineTool Line;
  TEllipseTool Ellipse;
  TFillTool Fill;
  TBoxTool Box;
  TBlendTool Blender;
  TEyedropper Spoit;

  // The tool of the chosen kind.
  TLoupeTool& Current() { return *byKind_[static_cast<size_t>(Tool)]; }
  // The chosen tool's number (0 pen, 1 line, 2 ellipse, 3 fill, 4 box, 5 blend).
  int ToolNumber() const { return static_cast<int>(Tool); }

 private:
  std::array<TLoupeTool*, kToolKinds> byKind_;
};

}  // namespace pixkura
