// The exported functions of pixkura-png.spi.
#include <png.h>

#include "plugins/png/PngDecoder.h"

namespace {

using namespace pixkura::spi;

constexpr TFormatEntry kFormats[] = {{"*.png", "Portable Network Graphics"}};
constexpr TPluginDescription kDescription{"Pixkura PNG import (libpng " PNG_LIBPNG_VER_STRING ")", kFormats};
constexpr TPluginFunctions kPlugin{&kDescription, png::IsPng, png::ReadFacts, png::Decode};

}  // namespace

PIXKURA_SPI_DEFINE_EXPORTS(kPlugin)
