// The converter's command line: a picture converted to another depth, the
// palette of a picture or palette file written in another palette format, or
// a row of cells written as an animated GIF, or the cells described in JSON
// for game engines, or the palette of an 8-bit picture reordered with its
// pixels following their entries.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "formats/png.h"
#include "image/IxDIB.h"
#include "tools/pixkura-convert/AnimateCommand.h"
#include "tools/pixkura-convert/ReorderOperations.h"
#include "tools/pixkura-convert/SheetDataCommand.h"

namespace pixkura {

inline constexpr const char* kConvertUsage =
    "usage: pixkura-convert [--depth 1|4|8|24] [--info] [--transparent-png I] INPUT [OUTPUT]\n"
    "       pixkura-convert --palette INPUT OUTPUT.gpl|.pal|.act|.hex\n"
    "       pixkura-convert --animate WxH[+X+Y] [--frames N] [--delay MS] [--transparent I] INPUT "
    "OUTPUT.gif\n"
    "       pixkura-convert --sheet-data WxH[+X+Y] [--frames N] [--delay MS] [--hash] [--trim] "
    "[--transparent I]\n"
    "                       [--tag NAME:FROM-TO[:forward|reverse|pingpong]]... INPUT OUTPUT.json\n"
    "       pixkura-convert --reorder OP[,OP...] [--transparent-png I] INPUT OUTPUT\n"
    "         OP: swap=A:B move=A:B sort-luminance=A-B sort-hue=A-B sort-use=A-B\n"
    "             merge-duplicates compact transparent-to-0=I";

enum class TConvertMode { cmDepth, cmPalette, cmAnimate, cmSheetData, cmReorder };

struct TConvertOptions {
  TConvertMode Mode = TConvertMode::cmDepth;
  TAnimateOptions Animate;      // cmAnimate, and the frames, delay and transparent index of cmSheetData
  TSheetDataOptions SheetData;  // cmSheetData only
  std::vector<TReorderOperation> Reorder;  // cmReorder only
  TPNGOptions Png;                         // a PNG output of cmDepth and cmReorder
  int Depth = 8;
  bool Info = false;
  bool Help = false;
  std::string Input;
  std::string Output;  // empty: nothing is written (only with --info)
};

// The options of args (the program name excluded), or nothing with the
// reason in error.
std::optional<TConvertOptions> ParseConvertArguments(const std::vector<std::string>& args,
                                                     std::string& error);

// Width, height, bit count, compression, palette size and pixel format, one
// "name: value" line each.
void PrintPictureInfo(const TIxDIB& bitmap, std::ostream& out);

// Runs the converter; returns the exit status: 0 done, 1 the picture could
// not be read, converted or written (the message on err), 2 usage error.
int RunConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pixkura
