#include "tools/pixkura-convert/AnimateCommand.h"

#include <limits>

#include "base/Exception.h"
#include "formats/AnimatedGif.h"
#include "formats/GifDelays.h"
#include "formats/PalettePicture.h"
#include "tools/pixkura-convert/ArgumentText.h"
#include "tools/pixkura-convert/PictureLoading.h"

namespace pixkura {

void CheckTransparentIndex(const std::optional<uint8_t>& index, const TPaletteColors& palette) {
  if (index && *index >= palette.Count()) {
    throw ERangeError("transparent index " + std::to_string(*index) +
                      " is past the picture's colour table of " + std::to_string(palette.Count()) +
                      " entries (0 to " + std::to_string(palette.Count() - 1) + ")");
  }
}

std::optional<TFrameRow> ParseFrameGeometry(const std::string& text) {
  std::string_view rest = text;
  TFrameRow row;
  const std::optional<int32_t> w = TakeNumber(rest);
  if (!w || !TakeChar(rest, 'x')) return std::nullopt;
  const std::optional<int32_t> h = TakeNumber(rest);
  if (!h || *w < 1 || *h < 1) return std::nullopt;
  row.CellWidth = *w;
  row.CellHeight = *h;
  if (rest.empty()) return row;
  if (!TakeChar(rest, '+')) return std::nullopt;
  const std::optional<int32_t> x = TakeNumber(rest);
  if (!x || !TakeChar(rest, '+')) return std::nullopt;
  const std::optional<int32_t> y = TakeNumber(rest);
  if (!y || !rest.empty()) return std::nullopt;
  row.X = *x;
  row.Y = *y;
  return row;
}

bool IsAnimateOption(const std::string& name) {
  return name == "--animate" || name == "--frames" || name == "--delay" || name == "--transparent";
}

bool ParseAnimateOption(const std::string& name, const std::string& value, TAnimateOptions& animate,
                        std::string& error) {
  if (name == "--animate") {
    const std::optional<TFrameRow> row = ParseFrameGeometry(value);
    if (!row) {
      error = "invalid geometry: " + value + " (WxH or WxH+X+Y)";
      return false;
    }
    const int32_t frames = animate.Row.Frames;  // --frames may come first
    animate.Row = *row;
    animate.Row.Frames = frames;
  } else if (name == "--frames") {
    const std::optional<int32_t> n = ParseInteger(value, 1, std::numeric_limits<int32_t>::max());
    if (!n) {
      error = "invalid frame count: " + value;
      return false;
    }
    animate.Row.Frames = *n;
  } else if (name == "--delay") {
    const std::optional<int32_t> ms = ParseInteger(value, kGifMinDelayMs, kGifMaxDelayMs);
    if (!ms) {
      error = "invalid delay: " + value + " (" + std::to_string(kGifMinDelayMs) + " to " +
              std::to_string(kGifMaxDelayMs) + " ms)";
      return false;
    }
    animate.DelayMs = *ms;
  } else {
    const std::optional<int32_t> index = ParseInteger(value, 0, 255);
    if (!index) {
      error = "invalid transparent index: " + value + " (0 to 255)";
      return false;
    }
    animate.Transparent = static_cast<uint8_t>(*index);
  }
  return true;
}

void WriteAnimation(const std::string& input, const std::string& output, const TAnimateOptions& options) {
  TIxDIB picture;
  LoadPicture(input, picture);
  picture.SetPixelFormat(ixPf8Bit);  // true colour reduced, RLE expanded, as the editor opens it
  const TPaletteColors palette = PaletteOfPicture(picture, input);
  CheckTransparentIndex(options.Transparent, palette);
  const TPictureFrameSource source(picture);
  const TGifAnimation animation =
      AnimationOfFrames(ExtractFrameRow(source, options.Row), palette, options.DelayMs, options.Transparent);
  WriteAnimatedGif(output, animation);
}

}  // namespace pixkura
