#include "tools/pixkura-convert/SheetDataCommand.h"

#include <limits>

#include "formats/PalettePicture.h"
#include "tools/pixkura-convert/AnimateCommand.h"
#include "tools/pixkura-convert/ArgumentText.h"
#include "tools/pixkura-convert/PictureLoading.h"

#ifndef PIXKURA_VERSION
#define PIXKURA_VERSION "unknown"
#endif

namespace pixkura {

namespace {

std::optional<TTagDirection> ParseDirection(const std::string& text) {
  for (TTagDirection d : {TTagDirection::tdForward, TTagDirection::tdReverse, TTagDirection::tdPingPong})
    if (text == TagDirectionName(d)) return d;
  return std::nullopt;
}

}  // namespace

std::optional<TSheetTag> ParseSheetTag(const std::string& text) {
  TSheetTag tag;
  std::string rest = text;
  size_t colon = rest.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  if (const std::optional<TTagDirection> direction = ParseDirection(rest.substr(colon + 1))) {
    tag.Direction = *direction;
    rest.resize(colon);
    if ((colon = rest.rfind(':')) == std::string::npos) return std::nullopt;
  }
  const std::string range = rest.substr(colon + 1);
  const size_t dash = range.find('-');
  if (dash == std::string::npos) return std::nullopt;
  const int32_t max = std::numeric_limits<int32_t>::max();
  const std::optional<int32_t> from = ParseInteger(range.substr(0, dash), 0, max);
  const std::optional<int32_t> to = ParseInteger(range.substr(dash + 1), 0, max);
  tag.Name = rest.substr(0, colon);
  if (!from || !to || tag.Name.empty()) return std::nullopt;
  tag.From = *from;
  tag.To = *to;
  return tag;
}

bool IsSheetDataOption(const std::string& name) {
  return name == "--sheet-data" || name == "--tag" || IsSheetDataFlag(name);
}

bool IsSheetDataFlag(const std::string& name) { return name == "--hash" || name == "--trim"; }

bool ParseSheetDataOption(const std::string& name, const std::string& value, TSheetDataOptions& options,
                          std::string& error) {
  if (name == "--hash") {
    options.Hash = true;
  } else if (name == "--trim") {
    options.Trim = true;
  } else if (name == "--tag") {
    const std::optional<TSheetTag> tag = ParseSheetTag(value);
    if (!tag) {
      error = "invalid tag: " + value + " (NAME:FROM-TO or NAME:FROM-TO:forward|reverse|pingpong)";
      return false;
    }
    options.Tags.push_back(*tag);
  } else {
    const std::optional<TFrameRow> grid = ParseFrameGeometry(value);
    if (!grid) {
      error = "invalid geometry: " + value + " (WxH or WxH+X+Y)";
      return false;
    }
    options.Grid = {grid->CellWidth, grid->CellHeight, grid->X, grid->Y, options.Grid.Frames};
  }
  return true;
}

void WriteSheetDataOf(const std::string& input, const std::string& output, const TSheetDataOptions& options) {
  TIxDIB picture;
  LoadPicture(input, picture);
  picture.SetPixelFormat(ixPf8Bit);  // true colour reduced, RLE expanded, as the editor opens it
  CheckTransparentIndex(options.Transparent, PaletteOfPicture(picture, input));
  WriteSheetData(output, DescribeSheet(picture, ImageNameRelativeTo(input, output), options), PIXKURA_VERSION);
}

}  // namespace pixkura
