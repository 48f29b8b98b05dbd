#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "app/core/document/BitmapShape.h"
#include "app/core/recovery/RecoveryCapture.h"
#include "app/core/recovery/RecoveryFolders.h"
#include "app/core/recovery/RecoveryWriter.h"

namespace pixkura {
namespace {

namespace fs = std::filesystem;

TRecoveryPicture Picture(uint8_t seed) {
  TRecoveryPicture p(kRecoveryPictureSize);
  for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<uint8_t>(i * 7 + seed + i / 251);
  for (size_t i = kRecoveryPixels + 3; i < p.size(); i += 4) p[i] = 0;
  return p;
}

TRecoveryCopy Copy(int64_t time) {
  TRecoveryCopy c;
  c.Time = time;
  c.FileName = std::string("/tmp/\xe9t\n \x01.bmp");  // any bytes
  c.CellX = 224, c.CellY = 32, c.LupeX = 16, c.LupeY = 8, c.Bairitu = 5;
  c.Sheet = Picture(1);
  for (uint8_t s = 10; s < 14; ++s) c.UndoSlots.push_back(Picture(s));
  c.UndoNum = 3, c.UndoPos = 1, c.UndoFresh = true;
  return c;
}

class Recovery : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "pixkura-recovery-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
  }
  void TearDown() override { fs::remove_all(root_); }

  // A copy left by an editor that is gone: written, then its lock released.
  std::string DeadEditorsCopy(const TRecoveryCopy& copy) {
    auto own = MakeOwnRecoveryFolder(root_);
    EXPECT_TRUE(own);
    TRecoveryWriter(own->Folder).Write(copy);
    return own->Folder;
  }
  size_t FilesIn(const std::string& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }

  std::string root_;
};

TEST_F(Recovery, TheDocumentComesBackExactly) {
  TIxDIB sheet;
  TSheetDocument doc;
  doc.AllDib = &sheet;
  RestorePicture(Picture(3), sheet);
  doc.History.UndoMax = 4;
  doc.History.CreateSlots();
  doc.BeginChange();
  RestorePicture(Picture(4), sheet);
  doc.BeginChange();
  doc.History.StepBack(sheet);
  doc.FileName = "a.bmp";
  TRecoveryCopy copy = Copy(5);
  CaptureDocument(doc, copy);

  const std::string folder = DeadEditorsCopy(copy);
  const auto read = ReadRecoveryCopy(folder);
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, copy);
  TIxDIB sheet2;
  TSheetDocument doc2;
  doc2.AllDib = &sheet2;
  ShapeBitmap(sheet2, 256, 256);
  RestoreDocument(*read, doc2);
  EXPECT_TRUE(doc2.Modified());
  TRecoveryCopy again = Copy(5);
  CaptureDocument(doc2, again);
  EXPECT_EQ(again, copy);
}

TEST_F(Recovery, UnchangedSlotsAreNotWrittenAgainAndOldPartsGo) {
  auto own = MakeOwnRecoveryFolder(root_);
  ASSERT_TRUE(own);
  TRecoveryWriter writer(own->Folder);
  TRecoveryCopy copy = Copy(1);
  writer.Write(copy);
  EXPECT_EQ(writer.PartsWritten(), 5u);
  copy.Sheet = Picture(99);
  writer.Write(copy);
  EXPECT_EQ(writer.PartsWritten(), 6u);
  EXPECT_EQ(FilesIn(own->Folder), 5u + 2u);  // parts, index, lock
  EXPECT_EQ(*ReadRecoveryCopy(own->Folder), copy);
  writer.Remove();
  EXPECT_EQ(FilesIn(own->Folder), 1u);
}

TEST_F(Recovery, ATornCopyIsNeverOffered) {
  const TRecoveryCopy copy = Copy(1);
  const std::string part = RecoveryPartName(copy.UndoSlots[2]);
  const std::vector<std::function<void(const std::string&)>> tears = {
      [](const std::string& f) { fs::remove(f + "/index"); },
      [&](const std::string& f) { fs::resize_file(f + "/" + part, kRecoveryPictureSize - 1); },
      [&](const std::string& f) { std::fstream(f + "/" + part, std::ios::in | std::ios::out).put('\x5a'); },
      [&](const std::string& f) { fs::remove(f + "/" + part); },
      [](const std::string& f) { std::fstream(f + "/index", std::ios::in | std::ios::out).put('P'); },
      [](const std::string& f) { fs::resize_file(f + "/index", fs::file_size(f + "/index") - 2); },
  };
  for (size_t i = 0; i < tears.size(); ++i) {
    const std::string folder = DeadEditorsCopy(copy);
    tears[i](folder);
    EXPECT_FALSE(ReadRecoveryCopy(folder)) << i;
    EXPECT_TRUE(FindRecoveryCopies(root_).empty()) << i;
    fs::remove_all(folder);
  }
}

TEST_F(Recovery, ValuesOutOfRangeAreRefused) {
  using TEdit = std::function<void(TRecoveryCopy&)>;
  const std::vector<std::pair<TEdit, bool>> cases = {
      {[](TRecoveryCopy& c) { c.CellX = 255; }, true},  {[](TRecoveryCopy& c) { c.CellX = 256; }, false},
      {[](TRecoveryCopy& c) { c.LupeY = -1; }, false},  {[](TRecoveryCopy& c) { c.Bairitu = 7; }, true},
      {[](TRecoveryCopy& c) { c.Bairitu = 8; }, false}, {[](TRecoveryCopy& c) { c.UndoNum = 3, c.UndoPos = 3; }, true},
      {[](TRecoveryCopy& c) { c.UndoPos = 4; }, false}, {[](TRecoveryCopy& c) { c.UndoNum = 4; }, false},
      {[](TRecoveryCopy& c) { c.UndoSlots.resize(2), c.UndoNum = 1, c.UndoPos = 0; }, true},
      {[](TRecoveryCopy& c) { c.UndoSlots.resize(1), c.UndoNum = 0, c.UndoPos = 0; }, false},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    TRecoveryCopy copy = Copy(1);
    cases[i].first(copy);
    const auto fetch = [&copy](const std::string& name) -> std::optional<std::vector<uint8_t>> {
      for (const auto* p : {&copy.Sheet, &copy.UndoSlots[0], &copy.UndoSlots.back()})
        if (RecoveryPartName(*p) == name) return *p;
      for (const auto& p : copy.UndoSlots)
        if (RecoveryPartName(p) == name) return p;
      return std::nullopt;
    };
    EXPECT_EQ(ParseRecoveryCopy(FormatRecoveryIndex(copy), fetch).has_value(), cases[i].second) << i;
  }
}

TEST_F(Recovery, ALiveEditorsCopyIsNotOfferedADeadOnesAreNewestFirst) {
  DeadEditorsCopy(Copy(100));
  DeadEditorsCopy(Copy(300));
  auto live = MakeOwnRecoveryFolder(root_);
  ASSERT_TRUE(live);
  TRecoveryWriter(live->Folder).Write(Copy(200));
  auto empty = MakeOwnRecoveryFolder(root_);  // a dead editor that had nothing to keep
  const std::string emptyFolder = empty->Folder;
  empty.reset();

  auto offers = FindRecoveryCopies(root_);
  ASSERT_EQ(offers.size(), 2u);
  EXPECT_EQ(offers[0].Copy.Time, 300);
  EXPECT_EQ(offers[1].Copy.Time, 100);
  EXPECT_FALSE(fs::exists(emptyFolder));
  // An offered copy is held: a second editor starting now does not see it.
  EXPECT_TRUE(FindRecoveryCopies(root_).empty());
  offers.clear();
  live.reset();
  EXPECT_EQ(FindRecoveryCopies(root_).size(), 3u);
}

TEST_F(Recovery, DiscardedCopiesAreKeptSevenDays) {
  const int64_t now = 1'000'000'000;
  std::vector<std::string> names;
  for (int64_t age : {kDiscardedKeptSeconds, kDiscardedKeptSeconds + 1}) {
    const std::string folder = DeadEditorsCopy(Copy(age));
    DiscardRecoveryFolder(root_, folder, now);
    names.push_back(root_ + "/discarded" + folder.substr(folder.rfind('/')));
    const timespec times[2] = {{now - age, 0}, {now - age, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, names.back().c_str(), times, 0), 0);
  }
  EXPECT_TRUE(FindRecoveryCopies(root_).empty());
  DiscardRecoveryFolder(root_, root_ + "/none", now);
  EXPECT_TRUE(ReadRecoveryCopy(names[0]));
  EXPECT_FALSE(fs::exists(names[1]));
}

}  // namespace
}  // namespace pixkura
