// How the converter reads its input. Kept to one function so that reading
// can move to the plug-in loader (every format, not only BMP/DIB) in one place.
#pragma once

#include <string>

#include "image/IxDIB.h"

namespace pixkura {

// Loads the program's import plug-ins (the editor's search), once per run.
void LoadPlugins();

void LoadPicture(const std::string& fileName, TIxDIB& bitmap);

}  // namespace pixkura
