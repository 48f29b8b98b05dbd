#include "tools/pixkura-convert/PaletteCommand.h"

#include "formats/PaletteFiles.h"
#include "tools/pixkura-convert/PictureLoading.h"

namespace pixkura {

std::string ConvertPalette(const std::string& input, const std::string& output) {
  LoadPlugins();  // a picture's palette may need a plug-in to read the picture
  const TPaletteColors colors = ReadPaletteColors(input);
  WritePaletteColors(output, colors);
  return LeftOutColorsMessage(input, colors);
}

}  // namespace pixkura
