// Placeholder: these handlers are not built yet and do nothing.
#include "app/core/Editor.h"

namespace pixkura {

void TEditor::TakeSnapshot() {}
void TEditor::btUndoClick(TComponent*) {}
void TEditor::btRedoClick(TComponent*) {}

}  // namespace pixkura
