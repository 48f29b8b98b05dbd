#include "tools/pixkura-convert/PictureLoading.h"

#include "formats/SPIIxDIB.h"
#include "formats/SPIs.h"

namespace pixkura {

void LoadPicture(const std::string& fileName, TIxDIB& bitmap) {
  // The import plug-ins beside the program read every format but BMP/DIB,
  // offered in the editor's order; they are searched once per run.
  if (!ActiveSPIs()) {
    static TSPIs plugins;
    plugins.SearchOptions = {TSPISearchOption::spsAppDir};
    plugins.Loaded();
  }
  TSPIIxDIB picture;
  picture.LoadFromFile(fileName);
  bitmap.Assign(&picture);
}

}  // namespace pixkura
