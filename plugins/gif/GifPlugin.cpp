// The exported functions of pixkura-gif.spi.
#include "plugins/gif/GifDecoder.h"

namespace {

using namespace pixkura::spi;

constexpr TFormatEntry kFormats[] = {{"*.gif", "GIF"}};
constexpr TPluginDescription kDescription{"Pixkura GIF import (giflib), first image", kFormats};
constexpr TPluginFunctions kPlugin{&kDescription, gif::IsGif, gif::ReadFacts, gif::Decode};

}  // namespace

PIXKURA_SPI_DEFINE_EXPORTS(kPlugin)
