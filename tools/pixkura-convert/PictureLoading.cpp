#include "tools/pixkura-convert/PictureLoading.h"

#include "formats/SPIIxDIB.h"
#include "formats/SPIs.h"

namespace pixkura {

void LoadPlugins() {
  // The import plug-ins beside the program read every format but BMP/DIB,
  // offered in the editor's order; they are searched once per run.
  if (!ActiveSPIs()) {
    static TSPIs plugins;
    plugins.SearchOptions = {TSPISearchOption::spsAppDir};
    plugins.Loaded();
  }
}

void LoadPicture(const std::string& fileName, TIxDIB& bitmap) {
  LoadPlugins();
  TSPIIxDIB picture;
  picture.LoadFromFile(fileName);
  bitmap.Assign(&picture);
}

}  // namespace pixkura
