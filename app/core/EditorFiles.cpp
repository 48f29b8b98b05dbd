// Placeholder: these handlers are not built yet and do nothing.
#include "app/core/Editor.h"

namespace pixkura {

void TEditor::mLoadClick(TComponent*) {}
void TEditor::mSaveClick(TComponent*) {}
void TEditor::mSave2Click(TComponent*) {}
void TEditor::FormCloseQuery(TComponent*, bool& CanClose) { CanClose = true; }
void TEditor::FormClose(TComponent*) {}
void TEditor::Exit1Click(TComponent*) { Host.Close(); }

}  // namespace pixkura
