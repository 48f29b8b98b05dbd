// The exported functions of pixkura-jpeg.spi.
#include "plugins/jpeg/JpegDecoder.h"

namespace {

using namespace pixkura::spi;

constexpr TFormatEntry kFormats[] = {{"*.jpeg;*.jpe;*.jpg", "JPEG"}};
constexpr TPluginDescription kDescription{"Pixkura JPEG import (libjpeg-turbo)", kFormats};
constexpr TPluginFunctions kPlugin{&kDescription, jpeg::IsJpeg, jpeg::ReadFacts, jpeg::Decode};

}  // namespace

PIXKURA_SPI_DEFINE_EXPORTS(kPlugin)
