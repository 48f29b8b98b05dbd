#include "tools/pixkura-convert/PictureLoading.h"

#include "formats/ProgramPlugins.h"
#include "formats/SPIIxDIB.h"
#include "formats/SPIs.h"

namespace pixkura {

void LoadPlugins() {
  // The import plug-ins read every format but BMP/DIB; the converter finds
  // the same ones as the editor, searched once per run.
  if (!ActiveSPIs()) {
    static TSPIs plugins;
    LoadProgramPlugins(plugins);
  }
}

void LoadPicture(const std::string& fileName, TIxDIB& bitmap) {
  LoadPlugins();
  TSPIIxDIB picture;
  picture.LoadFromFile(fileName);
  bitmap.Assign(&picture);
}

}  // namespace pixkura
