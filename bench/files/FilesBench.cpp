// Reading BMP files from memory and writing PNG files: 256 x 256 sheets and
// a 12-Mpixel 8-bit picture.
//
// With PIXKURA_BENCH_DATA set to a folder (compare.sh makes one), the
// pictures are read from big24.bmp, big8.bmp, sheet_<content>.bmp and
// picture12m.bmp there, so that another tool can be timed on the very same
// files; otherwise they are made here.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "base/Streams.h"
#include "formats/png.h"
#include "image/IxDIB.h"

namespace pixkura {
namespace {

std::string DataFile(const std::string& name) {
  const char* dir = std::getenv("PIXKURA_BENCH_DATA");
  return dir ? std::string(dir) + "/" + name : std::string();
}

// A picture with every byte varied (for 8 bits a 256-colour palette).
std::unique_ptr<TIxDIB> MakeBig(int bits) {
  auto dib = std::make_unique<TIxDIB>();
  dib->SetBitCount(bits);
  dib->SetWidth(4096);
  dib->SetHeight(4096);
  std::mt19937 rng(7);
  TIxInternalDIB& d = dib->MutableInternalDIB();
  for (uint32_t i = 0; i < d.BitsSize; ++i) d.Data()[i] = static_cast<uint8_t>(rng());
  return dib;
}

// The BMP file of a picture, in a memory stream ready to be read again and again.
TMemoryStream& BmpFile(int bits) {
  static std::map<int, std::unique_ptr<TMemoryStream>> files;
  auto& file = files[bits];
  if (!file) {
    file = std::make_unique<TMemoryStream>();
    const std::string path = DataFile(bits == 24 ? "big24.bmp" : "big8.bmp");
    if (!path.empty()) {
      file->LoadFromFile(path);
    } else {
      MakeBig(bits)->SaveToStream(*file);
    }
  }
  return *file;
}

void BM_LoadFromStream(benchmark::State& state) {
  TMemoryStream& file = BmpFile(static_cast<int>(state.range(0)));
  TIxDIB dib;
  for (auto _ : state) {
    file.SetPosition(0);
    dib.LoadFromStream(file);
    benchmark::DoNotOptimize(dib.InternalDIB().Data());
  }
  state.SetBytesProcessed(state.iterations() * file.Size());
}
BENCHMARK(BM_LoadFromStream)->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

// 256 x 256 sheets: photo-like (smooth shading with grain), flat 8 x 8
// blocks, and random noise.
std::unique_ptr<TIxDIB> MakeSheet(const std::string& content) {
  auto dib = std::make_unique<TIxDIB>();
  const std::string path = DataFile("sheet_" + content + ".bmp");
  if (!path.empty()) {
    dib->LoadFromFile(path);
    return dib;
  }
  dib->SetWidth(256);
  dib->SetHeight(256);
  dib->SetPaletteSize(256);
  for (int i = 0; i < 256; ++i) dib->SetColors(i, RGB(i, (i * 3) & 255, 255 - i));
  std::mt19937 rng(11);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      int v = 0;
      if (content == "photo") v = (x + y) / 2 + static_cast<int>(rng() % 5) - 2;
      if (content == "blocks") v = ((x / 8) * 37 + (y / 8) * 101) & 255;
      if (content == "noise") v = static_cast<int>(rng() & 255);
      dib->SetPixels(x, y, std::clamp(v, 0, 255));
    }
  return dib;
}

// A 4000 x 3000 picture of 256 colours: smooth shading with fine grain,
// as a reduced photo has.
std::unique_ptr<TIxDIB> MakePicture12M() {
  auto dib = std::make_unique<TIxDIB>();
  const std::string path = DataFile("picture12m.bmp");
  if (!path.empty()) {
    dib->LoadFromFile(path);
    return dib;
  }
  dib->SetWidth(4000);
  dib->SetHeight(3000);
  dib->SetPaletteSize(256);
  for (int i = 0; i < 256; ++i) dib->SetColors(i, RGB(i, (i * 5) & 255, 255 - i));
  std::mt19937 rng(13);
  for (int y = 0; y < 3000; ++y) {
    uint8_t* row = dib->MutableInternalDIB().Row(y);
    for (int x = 0; x < 4000; ++x)
      row[x] = static_cast<uint8_t>((x / 16 + y / 12) + static_cast<int>(rng() % 3));
  }
  return dib;
}

std::unique_ptr<TIxDIB> MakePicture(const std::string& content) {
  return content == "picture12m" ? MakePicture12M() : MakeSheet(content);
}

void BM_EncodePNG(benchmark::State& state, const std::string& content) {
  const std::unique_ptr<TIxDIB> sheet = MakePicture(content);
  size_t size = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> png = EncodePNG(*sheet);
    size = png.size();
    benchmark::DoNotOptimize(png.data());
  }
  state.counters["png_bytes"] = static_cast<double>(size);
}
BENCHMARK_CAPTURE(BM_EncodePNG, photo, std::string("photo"))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_EncodePNG, blocks, std::string("blocks"))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_EncodePNG, noise, std::string("noise"))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_EncodePNG, picture12m, std::string("picture12m"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace pixkura

BENCHMARK_MAIN();
