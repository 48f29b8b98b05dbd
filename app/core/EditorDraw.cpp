// Placeholder: these handlers are not built yet and do nothing.
#include "app/core/Editor.h"

namespace pixkura {

void TEditor::LupeViewMouseDown(TComponent*, TMouseButton, TShiftState, int32_t, int32_t) {}
void TEditor::LupeViewMouseMove(TComponent*, TShiftState, int32_t, int32_t) {}
void TEditor::LupeViewMouseUp(TComponent*, TMouseButton, TShiftState, int32_t, int32_t) {}

}  // namespace pixkura
