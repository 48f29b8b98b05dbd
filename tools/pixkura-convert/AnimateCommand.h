// pixkura-convert --animate WxH[+X+Y] [--frames N] [--delay MS]
// [--transparent I] IN OUT.gif: a row of cells of picture IN written as an
// animated GIF that loops forever.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "formats/AnimationFrames.h"
#include "formats/PaletteColors.h"

namespace pixkura {

struct TAnimateOptions {
  TFrameRow Row;  // Frames 0: as many as fit
  int32_t DelayMs = 100;
  std::optional<uint8_t> Transparent;
};

// The cell size and first cell of "WxH" or "WxH+X+Y" (decimal, W and H at
// least 1); nothing when text is not of that form.
std::optional<TFrameRow> ParseFrameGeometry(const std::string& text);

// Whether name is one of the options below.
bool IsAnimateOption(const std::string& name);
// Sets animate from one option and its value: --animate GEOMETRY, --frames N
// (at least 1), --delay MS (what a GIF frame can show) or --transparent I
// (a palette index). False with the reason in error for a bad value.
bool ParseAnimateOption(const std::string& name, const std::string& value, TAnimateOptions& animate,
                        std::string& error);

// ERangeError naming the table's size when index is past palette: the
// transparent entry must be one of the picture's colours (a GIF naming an
// entry past its table has no transparent colour a viewer could agree on).
void CheckTransparentIndex(const std::optional<uint8_t>& index, const TPaletteColors& palette);

// Reads input through the picture loader, brings it to 8 bits as the editor
// does, cuts the row's frames and writes output. Raises the loader's, the
// frame row's and the writer's errors; nothing is written on failure.
void WriteAnimation(const std::string& input, const std::string& output, const TAnimateOptions& options);

}  // namespace pixkura
