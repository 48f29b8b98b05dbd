// The colour dialog of a palette entry: Qt's own (non-native) colour dialog
// with the editor's title, starting at the entry's colour.
#pragma once

#include <QColorDialog>
#include <memory>
#include <string>

#include "base/Color.h"

class QWidget;

namespace pixkura {

std::unique_ptr<QColorDialog> MakeColorDialog(QWidget* parent, const std::string& title, TColor color);

// Runs the dialog modally; true with the chosen colour (an RGB value) in
// color, false when cancelled.
bool ExecuteColorDialog(QWidget* parent, const std::string& title, TColor& color);

}  // namespace pixkura
