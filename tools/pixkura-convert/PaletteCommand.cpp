#include "tools/pixkura-convert/PaletteCommand.h"

#include "formats/PaletteFiles.h"
#include "tools/pixkura-convert/PictureLoading.h"

namespace pixkura {

void ConvertPalette(const std::string& input, const std::string& output) {
  LoadPlugins();  // a picture's palette may need a plug-in to read the picture
  WritePaletteColors(output, ReadPaletteColors(input));
}

}  // namespace pixkura
