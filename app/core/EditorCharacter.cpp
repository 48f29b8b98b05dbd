// Placeholder: these handlers are not built yet and do nothing.
#include "app/core/Editor.h"

namespace pixkura {

void TEditor::btMirrorClick(TComponent*) {}
void TEditor::ShiftClick(TComponent*) {}
void TEditor::btCSClick(TComponent*) {}

}  // namespace pixkura
