// The frames of the editor's animation as its preview shows them: each cell
// composed by the preview's own routine (TEditor::ComposeAnimationFrame: the
// layer composite ViewLay chooses, doubled with NiBai), whole, without the
// preview's cut at 64 x 64 pixels.
#pragma once

#include "app/core/Editor.h"
#include "formats/AnimationFrames.h"

namespace pixkura {

class TEditorFrameSource : public TFrameSource {
 public:
  // Composing goes through editor.LayAllDib, as the preview's does; the
  // editor gives the selected cell its own composites back afterwards.
  explicit TEditorFrameSource(TEditor& editor) : editor_(editor) {}
  int32_t AreaWidth() const override;
  int32_t AreaHeight() const override;
  // EInvalidOperation for a cell not of the editor's cell size.
  TFramePixels ComposeFrame(const TRect& cell) const override;

 private:
  TEditor& editor_;
};

}  // namespace pixkura
