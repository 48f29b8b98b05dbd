// pixkura-convert: converts a picture to another depth and writes it as BMP,
// or as PNG when the output name ends in ".png"; writes the palette of a
// picture or palette file in another palette format; writes a row of cells
// of a picture as an animated GIF; reorders the palette of an 8-bit picture
// with its pixels following their entries.
#include <iostream>
#include <string>
#include <vector>

#include "tools/pixkura-convert/ConvertTool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return pixkura::RunConvert(args, std::cout, std::cerr);
}
