// Animated GIF files written through giflib: frames of 8-bit palette indices
// of one size, one global colour table (the palette exactly, padded with
// black to the power of two a GIF table needs), a delay per frame, looping
// forever (the NETSCAPE2.0 extension with a loop count of 0), and optionally
// one index shown transparent.
//
// Every frame is a whole picture at (0, 0), so what a viewer shows never
// depends on how it merges frames: without a transparent index each frame
// covers the one before; with one, each frame is disposed to the background
// before the next, so the previous frame never shows through its holes.
// Identical consecutive frames are written as they are, each with its delay.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formats/AnimationFrames.h"
#include "formats/PaletteColors.h"

namespace pixkura {

struct TGifFrame {
  std::vector<uint8_t> Pixels;  // Width x Height indices, the top row first
  int32_t DelayMs = 100;        // see GifDelays.h for how it is stored
};

struct TGifAnimation {
  int32_t Width = 0;
  int32_t Height = 0;
  TPaletteColors Palette;
  std::optional<uint8_t> TransparentIndex;
  std::vector<TGifFrame> Frames;
};

// An animation of frames of one size, each shown delayMs.
// EInvalidOperation when frames is empty or the frames differ in size.
TGifAnimation AnimationOfFrames(std::vector<TFramePixels> frames, const TPaletteColors& palette,
                                int32_t delayMs, std::optional<uint8_t> transparentIndex);

// The file contents. EInvalidOperation for an animation without frames or
// palette, a size outside 1..65535, a frame whose pixel count is not Width x
// Height or whose pixels name an entry past the colour table; ERangeError
// for a delay GifDelaysOf refuses.
std::vector<uint8_t> EncodeAnimatedGif(const TGifAnimation& animation);

// Writes the file, replacing fileName atomically (a failed write leaves the
// old file); the stream layer's file errors when writing fails.
void WriteAnimatedGif(const std::string& fileName, const TGifAnimation& animation);

}  // namespace pixkura
