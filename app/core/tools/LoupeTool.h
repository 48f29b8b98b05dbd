// What every loupe tool answers: a press of the left button, a move while it
// draws, the release, and the right button dropping a half-made shape.
#pragma once

#include <cstdint>

#include "app/core/Controls.h"

namespace pixkura {

class TEditor;

// One mouse event over the loupe: the event as it came (sender, keys and
// position in the sender's coordinates) and the pixel it names, as a loupe
// pixel (x, y) and as a cell pixel (cx, cy).
struct TLoupeEvent {
  TComponent* Sender;
  TShiftState Shift;
  int32_t X, Y;
  int32_t x, y;
  int32_t cx, cy;
  bool InsideCell;
};

class TLoupeTool {
 public:
  explicit TLoupeTool(TEditor& editor) : e_(editor) {}
  virtual ~TLoupeTool() = default;
  TLoupeTool(const TLoupeTool&) = delete;
  TLoupeTool& operator=(const TLoupeTool&) = delete;

  // The left button went down on the loupe.
  virtual void Press(const TLoupeEvent& at) = 0;
  // The pointer moved; true when the tool took the move (it is drawing or picking).
  virtual bool Move(const TLoupeEvent&) { return false; }
  // The button went up.
  virtual void Release() {}
  // The right button: true when it dropped the tool's anchor (and so did nothing else).
  virtual bool DropAnchor() { return false; }

 protected:
  TEditor& e_;
};

}  // namespace pixkura
