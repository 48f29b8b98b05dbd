// Cutting the frames of an animation out of a sheet: cells of one size side
// by side in a row, the first at a given pixel, each next one a cell further
// right. What a frame shows is up to its source: the plain source copies the
// cell's indices as they are; the editor plugs in its own (the layer
// composite, doubled as its preview shows it), and the row loop stays one.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Graphic.h"
#include "image/IxDIB.h"

namespace pixkura {

// One frame: Width x Height palette indices, the top row first.
struct TFramePixels {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint8_t> Pixels;
};

class TFrameSource {
 public:
  virtual ~TFrameSource() = default;
  // The size of the area cells are cut from.
  virtual int32_t AreaWidth() const = 0;
  virtual int32_t AreaHeight() const = 0;
  // The frame of the cell, a rectangle that lies inside the area (right
  // and bottom exclusive). Every cell of one size gives frames of one size.
  virtual TFramePixels ComposeFrame(const TRect& cell) const = 0;
};

// The cells of one row: CellWidth x CellHeight each, the first with its
// top-left pixel at (X, Y); Frames of them, or as many as fit when 0.
struct TFrameRow {
  int32_t CellWidth = 0;
  int32_t CellHeight = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Frames = 0;
};

// How many cells of row fit in the area of source from (X, Y) to the right
// edge; 0 when not even one does.
int32_t FramesThatFit(const TFrameSource& source, const TFrameRow& row);

// The frames of row, composed by source, in order from the left.
// ERangeError with a message saying what does not fit when a cell size is
// not positive, (X, Y) lies outside the area, or the cells asked for do not
// all lie inside it.
std::vector<TFramePixels> ExtractFrameRow(const TFrameSource& source, const TFrameRow& row);

// The plain source: the indices of an 8-bit picture's cells, unchanged.
class TPictureFrameSource : public TFrameSource {
 public:
  // picture must stay alive and unchanged while frames are composed;
  // EInvalidOperation unless it is an uncompressed 8-bit picture.
  explicit TPictureFrameSource(const TIxDIB& picture);
  int32_t AreaWidth() const override;
  int32_t AreaHeight() const override;
  TFramePixels ComposeFrame(const TRect& cell) const override;

 private:
  const TIxDIB& picture_;
};

}  // namespace pixkura
