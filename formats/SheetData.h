// The description of a sprite sheet that game engines' importers read: the
// JSON that the common "sheet data" form lays out (frames as an array or a
// hash keyed by frame name, each with frame, rotated, trimmed,
// spriteSourceSize, sourceSize and duration; meta with app, version, image,
// format, size, scale and frameTags). The picture is never repacked: every
// frame's rectangle lies in the picture as it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/Graphic.h"
#include "image/IxDIB.h"

namespace pixkura {

// Cells of one size from (X, Y) to the picture's right and bottom edges,
// taken in rows, left to right and top to bottom; Frames of them, or all
// when 0.
struct TSheetGrid {
  int32_t CellWidth = 0;
  int32_t CellHeight = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Frames = 0;
};

enum class TTagDirection { tdForward, tdReverse, tdPingPong };

// A named run of frames, From to To inclusive.
struct TSheetTag {
  std::string Name;
  int32_t From = 0;
  int32_t To = 0;
  TTagDirection Direction = TTagDirection::tdForward;
};

struct TSheetDataOptions {
  TSheetGrid Grid;
  int32_t DurationMs = 100;
  bool Hash = false;         // frames keyed by name instead of an array
  bool Trim = false;         // each frame cut to its pixels that are not Transparent
  uint8_t Transparent = 0;
  std::vector<TSheetTag> Tags;
};

struct TSheetFrame {
  std::string Name;
  TRect Frame;         // in the picture
  TRect SpriteSource;  // the frame's place in its cell
  bool Trimmed = false;
};

struct TSheetDescription {
  std::string Image;  // the picture's file name, relative to the description's folder
  int32_t ImageWidth = 0;
  int32_t ImageHeight = 0;
  int32_t CellWidth = 0;
  int32_t CellHeight = 0;
  int32_t DurationMs = 0;
  bool Hash = false;
  std::vector<TSheetFrame> Frames;
  std::vector<TSheetTag> Tags;
};

// The cells of grid in a width x height picture. ERangeError saying what is
// wrong when a cell size is not positive, (X, Y) lies outside the picture,
// the cells do not divide the picture from (X, Y) to its edges, or Frames
// asks for more cells than there are.
std::vector<TRect> SheetCells(int32_t width, int32_t height, const TSheetGrid& grid);

// The smallest rectangle around the pixels of cell that are not transparent.
// A cell of nothing but transparent pixels gives its top-left pixel, 1 x 1:
// importers take a frame of no width as "the whole texture" or divide by its
// size, while one transparent pixel shows nothing everywhere.
TRect OpaqueBounds(const TIxDIB& picture, const TRect& cell, uint8_t transparent);

// The description of picture (uncompressed 8 bits) cut by options, frames
// named "<image's name without folder and extension> <number>".
// ERangeError for the grid's faults (SheetCells) and for a tag whose frames
// are not all among the frames; EInvalidOperation for another picture format.
TSheetDescription DescribeSheet(const TIxDIB& picture, const std::string& image, const TSheetDataOptions& options);

// The picture file's name as seen from the folder of the description's file
// (its absolute name when no relative one leads there).
std::string ImageNameRelativeTo(const std::string& picture, const std::string& description);

// The JSON text of description, as written by version of the program.
std::string SheetDataJson(const TSheetDescription& description, const std::string& version);

// Writes the JSON text to fileName through the whole-file writer.
void WriteSheetData(const std::string& fileName, const TSheetDescription& description,
                    const std::string& version);

// "forward", "reverse" or "pingpong".
const char* TagDirectionName(TTagDirection direction);

}  // namespace pixkura
