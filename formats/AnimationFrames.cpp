#include "formats/AnimationFrames.h"

#include <algorithm>
#include <string>

#include "base/Exception.h"

namespace pixkura {

namespace {

std::string SizeText(int32_t width, int32_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

void CheckRow(const TFrameSource& source, const TFrameRow& row) {
  const int32_t areaW = source.AreaWidth(), areaH = source.AreaHeight();
  if (row.CellWidth <= 0 || row.CellHeight <= 0)
    throw ERangeError("コマの大きさ " + SizeText(row.CellWidth, row.CellHeight) + " が正しくありません");
  if (row.Frames < 0) throw ERangeError("コマ数 " + std::to_string(row.Frames) + " が正しくありません");
  const int64_t right = int64_t{row.X} + row.CellWidth, bottom = int64_t{row.Y} + row.CellHeight;
  if (row.X < 0 || row.Y < 0 || right > areaW || bottom > areaH) {
    throw ERangeError("(" + std::to_string(row.X) + ", " + std::to_string(row.Y) + ") からの " +
                      SizeText(row.CellWidth, row.CellHeight) + " のコマが画像 (" + SizeText(areaW, areaH) +
                      ") に収まりません");
  }
  const int64_t rowEnd = int64_t{row.X} + int64_t{row.Frames} * row.CellWidth;
  if (rowEnd > areaW) {
    throw ERangeError(std::to_string(row.Frames) + " コマ分の右端 " + std::to_string(rowEnd) +
                      " が画像の幅 " + std::to_string(areaW) + " を超えています (収まるのは " +
                      std::to_string(FramesThatFit(source, row)) + " コマ)");
  }
}

}  // namespace

int32_t FramesThatFit(const TFrameSource& source, const TFrameRow& row) {
  if (row.CellWidth <= 0 || row.X < 0 || row.X >= source.AreaWidth()) return 0;
  return (source.AreaWidth() - row.X) / row.CellWidth;
}

std::vector<TFramePixels> ExtractFrameRow(const TFrameSource& source, const TFrameRow& row) {
  CheckRow(source, row);
  const int32_t count = row.Frames == 0 ? FramesThatFit(source, row) : row.Frames;
  std::vector<TFramePixels> frames;
  frames.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    const int32_t left = row.X + i * row.CellWidth;
    frames.push_back(source.ComposeFrame(TRect{left, row.Y, left + row.CellWidth, row.Y + row.CellHeight}));
  }
  return frames;
}

TPictureFrameSource::TPictureFrameSource(const TIxDIB& picture) : picture_(picture) {
  if (picture.GetBitCount() != 8 || picture.InternalDIB().Header().biCompression != BI_RGB)
    throw EInvalidOperation("TPictureFrameSource: not an uncompressed 8-bit picture");
}

int32_t TPictureFrameSource::AreaWidth() const { return picture_.GetWidth(); }
int32_t TPictureFrameSource::AreaHeight() const { return picture_.GetHeight(); }

TFramePixels TPictureFrameSource::ComposeFrame(const TRect& cell) const {
  if (cell.Left < 0 || cell.Top < 0 || cell.Width() <= 0 || cell.Height() <= 0 || cell.Right > AreaWidth() ||
      cell.Bottom > AreaHeight())
    throw ERangeError("TPictureFrameSource.ComposeFrame: the cell is outside the picture");
  TFramePixels frame{cell.Width(), cell.Height(), {}};
  frame.Pixels.resize(static_cast<size_t>(frame.Width) * static_cast<size_t>(frame.Height));
  const TIxInternalDIB& dib = picture_.InternalDIB();
  for (int32_t y = 0; y < frame.Height; ++y) {
    const uint8_t* row = dib.Row(cell.Top + y) + cell.Left;
    std::copy(row, row + frame.Width, frame.Pixels.begin() + static_cast<ptrdiff_t>(y) * frame.Width);
  }
  return frame;
}

}  // namespace pixkura
