// pixkura-convert: converts a BMP/DIB picture to another depth and writes it
// as BMP, or as PNG when the output name ends in ".png".
#include <iostream>
#include <string>
#include <vector>

#include "tools/pixkura-convert/ConvertTool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return pixkura::RunConvert(args, std::cout, std::cerr);
}
