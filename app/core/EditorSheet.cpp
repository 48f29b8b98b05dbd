// Placeholder: these handlers are not built yet and do nothing.
#include "app/core/Editor.h"

namespace pixkura {

void TEditor::AllbtClick(TComponent*) {}
void TEditor::AllViewMouseDown(TComponent*, TMouseButton, TShiftState, int32_t, int32_t) {}
void TEditor::AllViewMouseMove(TComponent*, TShiftState, int32_t, int32_t) {}
void TEditor::SelSizeBarChange(TComponent*) {}

}  // namespace pixkura
