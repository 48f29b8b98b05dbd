// Placeholder: these handlers are not built yet and do nothing.
#include "app/core/Editor.h"

namespace pixkura {

void TEditor::RedrawSpecialViews() {}
void TEditor::MovMouseDown(TComponent*, TMouseButton, TShiftState, int32_t, int32_t) {}
void TEditor::MovMouseUp(TComponent*, TMouseButton, TShiftState, int32_t, int32_t) {}
void TEditor::MovTimTimer(TComponent*) {}
void TEditor::StepBarChange(TComponent*) {}

}  // namespace pixkura
