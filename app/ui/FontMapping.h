// Turns a control's font request into a QFont. The faces the window asks for
// are rarely installed here, so a Japanese Gothic stands in for a missing one.
#pragma once

#include <QFont>

#include "app/core/Controls.h"

namespace pixkura {

// Family list: the requested face first when it is installed, then IPA P
// Gothic under both of its names. A negative height is the character height in pixels; a positive one
// is the cell height, of which the characters take about seven eighths.
QFont ToQFont(const TFontSpec& spec);

}  // namespace pixkura
