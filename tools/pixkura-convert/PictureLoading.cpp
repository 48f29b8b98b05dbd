#include "tools/pixkura-convert/PictureLoading.h"

namespace pixkura {

void LoadPicture(const std::string& fileName, TIxDIB& bitmap) { bitmap.LoadFromFile(fileName); }

}  // namespace pixkura
