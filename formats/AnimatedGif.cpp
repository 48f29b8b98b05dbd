#include "formats/AnimatedGif.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "base/Exception.h"
#include "base/Streams.h"
#include "formats/GifDelays.h"

namespace pixkura {

namespace {

constexpr int32_t kMaxSide = 65535;
constexpr GifByteType kNetscapeId[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
constexpr GifByteType kLoopForever[] = {1, 0, 0};  // sub-block 1, loop count 0 (little-endian)

[[noreturn]] void Fail(const std::string& what) { throw EInvalidOperation("EncodeAnimatedGif: " + what); }

// The smallest power of two from 2 to 256 that holds count entries.
int TableSizeFor(size_t count) {
  int size = 2;
  while (static_cast<size_t>(size) < count) size *= 2;
  return size;
}

void CheckAnimation(const TGifAnimation& a, int tableSize) {
  if (a.Frames.empty()) Fail("no frames");
  if (a.Palette.Empty()) Fail("no palette");
  if (a.Width < 1 || a.Width > kMaxSide || a.Height < 1 || a.Height > kMaxSide) Fail("size out of range");
  const size_t pixels = static_cast<size_t>(a.Width) * static_cast<size_t>(a.Height);
  for (const TGifFrame& f : a.Frames) {
    if (f.Pixels.size() != pixels) Fail("a frame's pixel count is not width x height");
    if (std::any_of(f.Pixels.begin(), f.Pixels.end(), [&](uint8_t p) { return p >= tableSize; }))
      Fail("a pixel names an entry past the colour table");
  }
}

struct TMapDeleter {
  void operator()(ColorMapObject* map) const noexcept { GifFreeMapObject(map); }
};
using TColorMap = std::unique_ptr<ColorMapObject, TMapDeleter>;

TColorMap ColorTableOf(const TPaletteColors& palette, int tableSize) {
  std::vector<GifColorType> colors(static_cast<size_t>(tableSize), GifColorType{0, 0, 0});
  for (size_t i = 0; i < palette.Count(); ++i)
    colors[i] = GifColorType{GetRValue(palette[i]), GetGValue(palette[i]), GetBValue(palette[i])};
  TColorMap map(GifMakeMapObject(tableSize, colors.data()));
  if (!map) throw EOutOfResources("EncodeAnimatedGif: out of memory");
  return map;
}

// giflib writes the file through this into memory, so that it can replace
// the target at once.
int AppendToVector(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

// Owns the encoder; closing flushes the trailer and frees it.
class TGifWriter {
 public:
  explicit TGifWriter(std::vector<uint8_t>& out) {
    int error = 0;
    gif_ = EGifOpen(&out, AppendToVector, &error);
    if (!gif_) Raise(error);
    EGifSetGifVersion(gif_, true);
  }
  ~TGifWriter() {
    if (gif_) EGifCloseFile(gif_, nullptr);
  }
  TGifWriter(const TGifWriter&) = delete;
  TGifWriter& operator=(const TGifWriter&) = delete;

  GifFileType* operator->() { return gif_; }
  GifFileType* get() { return gif_; }
  void Check(int result) {
    if (result == GIF_ERROR) Raise(gif_->Error);
  }
  void Close() {
    int error = 0;
    const int result = EGifCloseFile(std::exchange(gif_, nullptr), &error);
    if (result == GIF_ERROR) Raise(error);
  }

 private:
  [[noreturn]] static void Raise(int error) {
    const char* text = GifErrorString(error);
    throw EInOutError(std::string("EncodeAnimatedGif: ") + (text ? text : "giflib error"));
  }
  GifFileType* gif_ = nullptr;
};

void PutLoopForever(TGifWriter& gif) {
  gif.Check(EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE));
  gif.Check(EGifPutExtensionBlock(gif.get(), sizeof kNetscapeId, kNetscapeId));
  gif.Check(EGifPutExtensionBlock(gif.get(), sizeof kLoopForever, kLoopForever));
  gif.Check(EGifPutExtensionTrailer(gif.get()));
}

void PutFrame(TGifWriter& gif, const TGifAnimation& a, const TGifFrame& frame, uint16_t delay) {
  GraphicsControlBlock control{};
  control.DisposalMode = a.TransparentIndex ? DISPOSE_BACKGROUND : DISPOSE_DO_NOT;
  control.UserInputFlag = false;
  control.DelayTime = delay;
  control.TransparentColor = a.TransparentIndex ? *a.TransparentIndex : NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const size_t length = EGifGCBToExtension(&control, extension);
  gif.Check(EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));
  gif.Check(EGifPutImageDesc(gif.get(), 0, 0, a.Width, a.Height, false, nullptr));
  // giflib masks the line it is given in place, so it gets a copy.
  std::vector<GifPixelType> line(static_cast<size_t>(a.Width));
  for (int32_t y = 0; y < a.Height; ++y) {
    const auto row = frame.Pixels.begin() + static_cast<ptrdiff_t>(y) * a.Width;
    std::copy(row, row + a.Width, line.begin());
    gif.Check(EGifPutLine(gif.get(), line.data(), a.Width));
  }
}

}  // namespace

TGifAnimation AnimationOfFrames(std::vector<TFramePixels> frames, const TPaletteColors& palette,
                                int32_t delayMs, std::optional<uint8_t> transparentIndex) {
  if (frames.empty()) throw EInvalidOperation("AnimationOfFrames: no frames");
  TGifAnimation animation{frames[0].Width, frames[0].Height, palette, transparentIndex, {}};
  for (TFramePixels& f : frames) {
    if (f.Width != animation.Width || f.Height != animation.Height)
      throw EInvalidOperation("AnimationOfFrames: frames of different sizes");
    animation.Frames.push_back(TGifFrame{std::move(f.Pixels), delayMs});
  }
  return animation;
}

std::vector<uint8_t> EncodeAnimatedGif(const TGifAnimation& animation) {
  const int tableSize = TableSizeFor(animation.Palette.Count());
  CheckAnimation(animation, tableSize);
  std::vector<int32_t> delaysMs;
  for (const TGifFrame& f : animation.Frames) delaysMs.push_back(f.DelayMs);
  const std::vector<uint16_t> delays = GifDelaysOf(delaysMs);

  std::vector<uint8_t> out;
  TGifWriter gif(out);
  const TColorMap table = ColorTableOf(animation.Palette, tableSize);
  // The background is where disposed frames leave holes: the transparent entry.
  const int background = animation.TransparentIndex.value_or(0);
  gif.Check(EGifPutScreenDesc(gif.get(), animation.Width, animation.Height, table->BitsPerPixel, background,
                              table.get()));
  PutLoopForever(gif);
  for (size_t i = 0; i < animation.Frames.size(); ++i)
    PutFrame(gif, animation, animation.Frames[i], delays[i]);
  gif.Close();
  return out;
}

void WriteAnimatedGif(const std::string& fileName, const TGifAnimation& animation) {
  const std::vector<uint8_t> bytes = EncodeAnimatedGif(animation);
  WriteFileAtomically(fileName, bytes.data(), bytes.size());
}

}  // namespace pixkura
