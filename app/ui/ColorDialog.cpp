#include "app/ui/ColorDialog.h"

#include "app/ui/Translation.h"

namespace pixkura {

std::unique_ptr<QColorDialog> MakeColorDialog(QWidget* parent, const std::string& title, TColor color) {
  auto dialog =
      std::make_unique<QColorDialog>(QColor(GetRValue(color), GetGValue(color), GetBValue(color)), parent);
  dialog->setOption(QColorDialog::DontUseNativeDialog);
  dialog->setWindowTitle(Tr(TTextRole::Dialog, title));
  return dialog;
}

bool ExecuteColorDialog(QWidget* parent, const std::string& title, TColor& color) {
  const auto dialog = MakeColorDialog(parent, title, color);
  if (dialog->exec() != QDialog::Accepted) return false;
  const QColor chosen = dialog->selectedColor();
  if (!chosen.isValid()) return false;
  color = RGB(static_cast<uint8_t>(chosen.red()), static_cast<uint8_t>(chosen.green()),
              static_cast<uint8_t>(chosen.blue()));
  return true;
}

}  // namespace pixkura
