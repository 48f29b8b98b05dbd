// Builds the menu bar from the editor's top-level menu items: sub-menus with
// their items, separators and pictures; a top-level item without sub-items
// ("終了") acts when clicked.
#pragma once

#include <vector>

#include "app/core/Controls.h"

class QMenuBar;

namespace pixkura {

void BuildMenuBar(QMenuBar& bar, const std::vector<TMenuItem*>& menus);

}  // namespace pixkura
