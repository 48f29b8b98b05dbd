// The cost of a recovery copy. The editor's thread only takes the copy of the
// data (Capture*); the worker thread writes it (Write*): after the first copy
// a write holds the sheet and the index, plus one part per new undo step.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "app/core/document/BitmapShape.h"
#include "app/core/recovery/RecoveryCapture.h"
#include "app/core/recovery/RecoveryFolders.h"
#include "app/core/recovery/RecoveryWriter.h"

namespace {

using namespace pixkura;

// A sheet with its 15 undo slots, each of different pixels.
struct TDocument {
  TIxDIB Sheet;
  TSheetDocument Doc;
  TDocument() {
    ShapeBitmap(Sheet, 256, 256);
    Doc.AllDib = &Sheet;
    Doc.History.CreateSlots();
    for (int step = 0; step < 16; ++step) {
      Doc.BeginChange();
      for (int y = 0; y < 256; ++y) Sheet.GetScanLine(y)[step] = static_cast<uint8_t>(y + step);
    }
  }
};

// A private folder for the copies, removed at the end.
struct TFolder {
  std::string Path;
  TFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pixkura-bench-XXXXXX").string();
    Path = ::mkdtemp(pattern.data());
  }
  ~TFolder() { std::filesystem::remove_all(Path); }
};

void CaptureSheet(benchmark::State& state) {
  TDocument d;
  for (auto _ : state) benchmark::DoNotOptimize(PictureOf(d.Sheet));
}
BENCHMARK(CaptureSheet)->Unit(benchmark::kMicrosecond);

void CaptureDocumentWithHistory(benchmark::State& state) {
  TDocument d;
  TRecoveryCopy copy;
  for (auto _ : state) {
    CaptureDocument(d.Doc, copy);
    benchmark::DoNotOptimize(copy.Sheet.data());
  }
}
BENCHMARK(CaptureDocumentWithHistory)->Unit(benchmark::kMicrosecond);

// A write after the first: only the sheet changed (one new part and the index).
void WriteSheetAlone(benchmark::State& state) {
  TDocument d;
  TFolder folder;
  TRecoveryWriter writer(folder.Path);
  TRecoveryCopy copy;
  CaptureDocument(d.Doc, copy);
  writer.Write(copy);
  uint8_t n = 0;
  for (auto _ : state) {
    copy.Sheet[0] = ++n;
    writer.Write(copy);
  }
}
BENCHMARK(WriteSheetAlone)->Unit(benchmark::kMillisecond);

// The first write: the sheet and all 15 slots.
void WriteWholeHistory(benchmark::State& state) {
  TDocument d;
  TRecoveryCopy copy;
  CaptureDocument(d.Doc, copy);
  for (auto _ : state) {
    TFolder folder;
    TRecoveryWriter(folder.Path).Write(copy);
  }
}
BENCHMARK(WriteWholeHistory)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
