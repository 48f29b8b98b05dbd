#include "app/core/Editor.h"

namespace pixkura {

TToolBox::TToolBox(TEditor& editor)
    : Pen(editor),
      Line(editor, Anchor),
      Ellipse(editor, Anchor),
      Fill(editor),
      Box(editor, Anchor),
      Blender(editor),
      Spoit(editor),
      byKind_{&Pen, &Line, &Ellipse, &Fill, &Box, &Blender} {}

}  // namespace pixkura
