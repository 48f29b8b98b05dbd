// Choosing PNG or BMP from the file name, and keeping the old file when a
// save fails.
#include "formats/SaveDispatch.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/Exception.h"
#include "base/Streams.h"

namespace pixkura {
namespace {

namespace fs = std::filesystem;

class SaveDispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("pixkura_save_" + std::to_string(getpid()));
    fs::create_directories(dir_ / "some.folder");
    dib_.SetWidth(4);
    dib_.SetHeight(4);
    dib_.SetPaletteSize(256);
    dib_.SetPixels(1, 2, 9);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Save(const std::string& name) {
    const std::string path = (dir_ / name).string();
    SavePicture(path, dib_);
    std::ifstream in(path, std::ios::binary);
    std::string head(8, '\0');
    in.read(head.data(), 8);
    return head;
  }

  fs::path dir_;
  TIxDIB dib_;
};

const std::string kPngHead = "\x89PNG\r\n\x1a\n";

TEST_F(SaveDispatch, PngInAnyCaseGivesPng) {
  for (const char* name : {"a.png", "b.PNG", "c.Png", "d.pNg", "x.bmp.png"})
    EXPECT_EQ(Save(name), kPngHead) << name;
}

TEST_F(SaveDispatch, EverythingElseGivesBmp) {
  for (const char* name : {"a.bmp", "b.dib", "c.gif", "noext", "d.png.bmp", "e.pngx", "f.", "some.folder/png",
                           "some.folder/g"}) {
    EXPECT_EQ(Save(name).substr(0, 2), "BM") << name;
  }
  // The BMP written is the bitmap itself.
  TIxDIB back;
  back.LoadFromFile((dir_ / "a.bmp").string());
  EXPECT_EQ(back.GetPixels(1, 2), 9);
}

TEST_F(SaveDispatch, ExtensionStartsAtTheLastDotOfTheName) {
  EXPECT_EQ(FileExtension("/tmp/a.b/c.PNG"), ".PNG");
  EXPECT_EQ(FileExtension("/tmp/a.png/c"), "");
  EXPECT_EQ(FileExtension("c.tar.png"), ".png");
  EXPECT_EQ(FileExtension("c"), "");
  EXPECT_EQ(FileExtension("c."), ".");
}

TEST_F(SaveDispatch, FailedSaveLeavesTheOldFileUntouched) {
  const std::string path = (dir_ / "keep.png").string();
  std::ofstream(path) << "old content";
  TIxDIB trueColor;
  trueColor.SetBitCount(24);  // no palette indices: the PNG writer refuses it
  EXPECT_THROW(SavePicture(path, trueColor), EIxDIBBadDIBType);
  std::ifstream in(path);
  std::string content;
  std::getline(in, content);
  EXPECT_EQ(content, "old content");
  // Nothing is left beside it.
  size_t files = 0;
  for (const auto& e : fs::directory_iterator(dir_)) files += e.is_regular_file();
  EXPECT_EQ(files, 1u);
}

TEST_F(SaveDispatch, MissingFolderRaisesTheCreateError) {
  const std::string path = (dir_ / "no" / "such.png").string();
  try {
    SavePicture(path, dib_);
    ADD_FAILURE() << "no exception";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), FileCreateErrorMessage(path));
  }
  EXPECT_THROW(SavePicture((dir_ / "no" / "such.bmp").string(), dib_), EFCreateError);
}

}  // namespace
}  // namespace pixkura
