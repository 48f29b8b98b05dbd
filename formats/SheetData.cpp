#include "formats/SheetData.h"

#include <algorithm>
#include <filesystem>

#include "base/Exception.h"
#include "base/FileReplace.h"
#include "formats/JsonWriter.h"

namespace pixkura {

namespace {

std::string SizeText(int64_t width, int64_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

void CheckGrid(int32_t width, int32_t height, const TSheetGrid& grid) {
  if (grid.CellWidth <= 0 || grid.CellHeight <= 0)
    throw ERangeError("コマの大きさ " + SizeText(grid.CellWidth, grid.CellHeight) + " が正しくありません");
  if (grid.Frames < 0) throw ERangeError("コマ数 " + std::to_string(grid.Frames) + " が正しくありません");
  if (grid.X < 0 || grid.Y < 0 || grid.X >= width || grid.Y >= height)
    throw ERangeError("(" + std::to_string(grid.X) + ", " + std::to_string(grid.Y) + ") が画像 (" +
                      SizeText(width, height) + ") の外です");
  const int32_t restW = width - grid.X, restH = height - grid.Y;
  if (restW % grid.CellWidth != 0 || restH % grid.CellHeight != 0)
    throw ERangeError(SizeText(grid.CellWidth, grid.CellHeight) + " のコマは (" + std::to_string(grid.X) + ", " +
                      std::to_string(grid.Y) + ") からの " + SizeText(restW, restH) + " を割り切りません");
  const int64_t cells = int64_t{restW / grid.CellWidth} * (restH / grid.CellHeight);
  if (grid.Frames > cells)
    throw ERangeError(std::to_string(grid.Frames) + " コマは多すぎます (コマは " + std::to_string(cells) +
                      " 個)");
}

void CheckTags(const std::vector<TSheetTag>& tags, size_t frames) {
  for (const TSheetTag& tag : tags)
    if (tag.From < 0 || tag.From > tag.To || static_cast<size_t>(tag.To) >= frames)
      throw ERangeError("タグ " + tag.Name + " のコマ " + std::to_string(tag.From) + "-" + std::to_string(tag.To) +
                        " が 0-" + std::to_string(int64_t(frames) - 1) + " の外です");
}

void WriteRect(TJsonWriter& json, const TRect& r) {
  json.BeginObject(true);
  json.Key("x"), json.Number(r.Left);
  json.Key("y"), json.Number(r.Top);
  json.Key("w"), json.Number(r.Width());
  json.Key("h"), json.Number(r.Height());
  json.EndObject();
}

void WriteSize(TJsonWriter& json, int32_t width, int32_t height) {
  json.BeginObject(true);
  json.Key("w"), json.Number(width);
  json.Key("h"), json.Number(height);
  json.EndObject();
}

void WriteFrame(TJsonWriter& json, const TSheetDescription& d, const TSheetFrame& frame) {
  json.Key("frame"), WriteRect(json, frame.Frame);
  json.Key("rotated"), json.Bool(false);
  json.Key("trimmed"), json.Bool(frame.Trimmed);
  json.Key("spriteSourceSize"), WriteRect(json, frame.SpriteSource);
  json.Key("sourceSize"), WriteSize(json, d.CellWidth, d.CellHeight);
  json.Key("duration"), json.Number(d.DurationMs);
}

void WriteFrames(TJsonWriter& json, const TSheetDescription& d) {
  json.Key("frames");
  if (d.Hash) {
    json.BeginObject();
    for (const TSheetFrame& frame : d.Frames) {
      json.Key(frame.Name);
      json.BeginObject();
      WriteFrame(json, d, frame);
      json.EndObject();
    }
    json.EndObject();
    return;
  }
  json.BeginArray();
  for (const TSheetFrame& frame : d.Frames) {
    json.BeginObject();
    json.Key("filename"), json.String(frame.Name);
    WriteFrame(json, d, frame);
    json.EndObject();
  }
  json.EndArray();
}

void WriteMeta(TJsonWriter& json, const TSheetDescription& d, const std::string& version) {
  json.Key("meta");
  json.BeginObject();
  json.Key("app"), json.String("Pixkura");
  json.Key("version"), json.String(version);
  json.Key("image"), json.String(d.Image);
  json.Key("format"), json.String("I8");
  json.Key("size"), WriteSize(json, d.ImageWidth, d.ImageHeight);
  json.Key("scale"), json.String("1");
  json.Key("frameTags");
  json.BeginArray();
  for (const TSheetTag& tag : d.Tags) {
    json.BeginObject(true);
    json.Key("name"), json.String(tag.Name);
    json.Key("from"), json.Number(tag.From);
    json.Key("to"), json.Number(tag.To);
    json.Key("direction"), json.String(TagDirectionName(tag.Direction));
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

}  // namespace

std::vector<TRect> SheetCells(int32_t width, int32_t height, const TSheetGrid& grid) {
  CheckGrid(width, height, grid);
  const int32_t columns = (width - grid.X) / grid.CellWidth, rows = (height - grid.Y) / grid.CellHeight;
  const int64_t count = grid.Frames != 0 ? grid.Frames : int64_t{columns} * rows;
  std::vector<TRect> cells;
  cells.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    const int32_t left = grid.X + static_cast<int32_t>(i % columns) * grid.CellWidth;
    const int32_t top = grid.Y + static_cast<int32_t>(i / columns) * grid.CellHeight;
    cells.push_back({left, top, left + grid.CellWidth, top + grid.CellHeight});
  }
  return cells;
}

TRect OpaqueBounds(const TIxDIB& picture, const TRect& cell, uint8_t transparent) {
  const TIxInternalDIB& dib = picture.InternalDIB();
  TRect bounds{cell.Right, cell.Bottom, cell.Left, cell.Top};
  for (int32_t y = cell.Top; y < cell.Bottom; ++y) {
    const uint8_t* row = dib.Row(y);
    for (int32_t x = cell.Left; x < cell.Right; ++x) {
      if (row[x] == transparent) continue;
      bounds.Left = std::min(bounds.Left, x);
      bounds.Right = std::max(bounds.Right, x + 1);
      bounds.Top = std::min(bounds.Top, y);
      bounds.Bottom = y + 1;
    }
  }
  if (bounds.Left >= bounds.Right) return {cell.Left, cell.Top, cell.Left + 1, cell.Top + 1};
  return bounds;
}

TSheetDescription DescribeSheet(const TIxDIB& picture, const std::string& image, const TSheetDataOptions& options) {
  if (picture.GetBitCount() != 8 || picture.InternalDIB().Header().biCompression != BI_RGB)
    throw EInvalidOperation("DescribeSheet: not an uncompressed 8-bit picture");
  TSheetDescription d;
  d.Image = image;
  d.ImageWidth = picture.GetWidth();
  d.ImageHeight = picture.GetHeight();
  d.CellWidth = options.Grid.CellWidth;
  d.CellHeight = options.Grid.CellHeight;
  d.DurationMs = options.DurationMs;
  d.Hash = options.Hash;
  d.Tags = options.Tags;
  const std::vector<TRect> cells = SheetCells(d.ImageWidth, d.ImageHeight, options.Grid);
  CheckTags(options.Tags, cells.size());
  const std::string stem = std::filesystem::path(image).stem().string();
  for (const TRect& cell : cells) {
    TSheetFrame frame{stem + " " + std::to_string(d.Frames.size()), cell, {0, 0, cell.Width(), cell.Height()}, false};
    if (options.Trim) {
      frame.Frame = OpaqueBounds(picture, cell, options.Transparent);
      frame.SpriteSource = {frame.Frame.Left - cell.Left, frame.Frame.Top - cell.Top, frame.Frame.Right - cell.Left,
                            frame.Frame.Bottom - cell.Top};
      frame.Trimmed = true;
    }
    d.Frames.push_back(std::move(frame));
  }
  return d;
}

std::string ImageNameRelativeTo(const std::string& picture, const std::string& description) {
  namespace fs = std::filesystem;
  const fs::path image = fs::absolute(picture).lexically_normal();
  const fs::path relative = image.lexically_relative(fs::absolute(description).parent_path().lexically_normal());
  return (relative.empty() ? image : relative).string();
}

std::string SheetDataJson(const TSheetDescription& description, const std::string& version) {
  TJsonWriter json;
  json.BeginObject();
  WriteFrames(json, description);
  WriteMeta(json, description, version);
  json.EndObject();
  return json.Text();
}

void WriteSheetData(const std::string& fileName, const TSheetDescription& description,
                    const std::string& version) {
  const std::string text = SheetDataJson(description, version);
  WriteFileAtomically(fileName, text.data(), text.size());
}

const char* TagDirectionName(TTagDirection direction) {
  switch (direction) {
    case TTagDirection::tdReverse:
      return "reverse";
    case TTagDirection::tdPingPong:
      return "pingpong";
    default:
      return "forward";
  }
}

}  // namespace pixkura
