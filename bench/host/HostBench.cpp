// The plug-in host at the two moments a user waits for it: the plug-in
// search when the program starts, and opening a picture through a plug-in.
//
//   bench_host --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
//
// Targets: loading a 256 x 256 indexed PNG <= 5 ms, the search <= 20 ms (medians).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "base/ProgramFolder.h"
#include "formats/SPIIxDIB.h"
#include "formats/SPIs.h"
#include "formats/png.h"

namespace pixkura {
namespace {

// A folder for the benchmark's files, and no user plug-in folder: only the
// program's folder (the build's bin folder, with the shipped plug-ins) counts.
class TBenchFolder {
 public:
  TBenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pixkura-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
    ::setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    SetProgramFolderForTesting(PIXKURA_BIN_DIR);
  }
  ~TBenchFolder() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The editor's sheet: 256 x 256, 256 colours, every index used.
std::string WriteSheetPng(const TBenchFolder& folder) {
  TIxDIB sheet;
  sheet.SetWidth(256);
  sheet.SetHeight(256);
  sheet.SetBitCount(8);
  sheet.SetPaletteSize(256);
  for (int i = 0; i < 256; ++i) sheet.SetColors(i, RGB(i, 255 - i, i * 7));
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) sheet.SetPixels(x, y, (x / 4 + y / 8 * 13) & 0xFF);
  const std::string file = folder.File("sheet.png");
  SavePNG(file, sheet);
  return file;
}

void BM_PluginSearchAtStartUp(benchmark::State& state) {
  const TBenchFolder folder;
  int32_t found = 0;
  for (auto _ : state) {
    TSPIs spis;
    spis.Loaded();
    found = spis.Count();
    benchmark::DoNotOptimize(found);
  }
  state.counters["plugins"] = found;
  if (found == 0) state.SkipWithError("no plug-ins in the bin folder");
}
BENCHMARK(BM_PluginSearchAtStartUp)->Unit(benchmark::kMillisecond);

void BM_LoadIndexedPngThroughPlugin(benchmark::State& state) {
  const TBenchFolder folder;
  const std::string file = WriteSheetPng(folder);
  TSPIs spis;
  spis.Loaded();
  for (auto _ : state) {
    TSPIIxDIB dib;
    dib.LoadFromFile(file);
    benchmark::DoNotOptimize(dib.InternalDIB().Data());
  }
  TSPIIxDIB check;
  check.LoadFromFile(file);
  if (check.GetWidth() != 256 || check.GetPaletteSize() != 256 ||
      check.GetPixels(255, 255) != ((63 + 31 * 13) & 0xFF))
    state.SkipWithError("the PNG did not come back as written");
}
BENCHMARK(BM_LoadIndexedPngThroughPlugin)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pixkura

BENCHMARK_MAIN();
