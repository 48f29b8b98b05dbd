// The palette file: 256 four-byte little-endian colour values, no header.
#include "formats/PaletteFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "base/Exception.h"

namespace pixkura {
namespace {

class PaletteFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "pixkura-pal-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path() const { return dir_ + "/Pixkura.pal"; }
  std::vector<uint8_t> Bytes() const {
    std::ifstream in(Path(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void Write(const std::vector<uint8_t>& bytes) const {
    std::ofstream(Path(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::string dir_;
};

TEST_F(PaletteFileTest, WritesRedGreenBlueZeroPerEntry) {
  TPaletteValues v{};
  for (size_t i = 0; i < v.size(); ++i) v[i] = RGB(uint8_t(i), uint8_t(i + 1), uint8_t(i + 2));
  WritePaletteFile(Path(), v);
  const std::vector<uint8_t> b = Bytes();
  ASSERT_EQ(b.size(), 1024u);
  EXPECT_EQ((std::vector<uint8_t>(b.begin() + 4 * 9, b.begin() + 4 * 10)),
            (std::vector<uint8_t>{9, 10, 11, 0}));
  EXPECT_EQ((std::vector<uint8_t>(b.end() - 4, b.end())), (std::vector<uint8_t>{255, 0, 1, 0}));
}

TEST_F(PaletteFileTest, ReadingAndWritingBackIsByteIdentical) {
  std::vector<uint8_t> file(1024);
  for (size_t i = 0; i < file.size(); ++i) file[i] = i % 4 == 3 ? (i == 3 ? 0x80 : 0) : uint8_t(i * 37 + 5);
  Write(file);
  TPaletteValues v{};
  EXPECT_EQ(ReadPaletteFile(Path(), v), 256u);
  EXPECT_EQ(v[0], 0x80000000u | RGB(file[0], file[1], file[2]));  // as stored; the caller resolves
  EXPECT_EQ(v[255], RGB(file[1020], file[1021], file[1022]));
  WritePaletteFile(Path(), v);
  EXPECT_EQ(Bytes(), file);
}

TEST_F(PaletteFileTest, ShortAndLongFilesReadOnlyWholeEntriesOfTheFirst1024Bytes) {
  TPaletteValues v{};
  v.fill(0x123456);
  Write({1, 2, 3, 0, 4, 5, 6});
  EXPECT_EQ(ReadPaletteFile(Path(), v), 1u);
  EXPECT_EQ(v[0], RGB(1, 2, 3));
  EXPECT_EQ(v[1], 0x123456u);
  Write({});
  EXPECT_EQ(ReadPaletteFile(Path(), v), 0u);
  std::vector<uint8_t> big(5000, 7);
  Write(big);
  EXPECT_EQ(ReadPaletteFile(Path(), v), 256u);
  EXPECT_EQ(v[255], 0x07070707u);
}

TEST_F(PaletteFileTest, MissingFileAndUnwritableFolderRaiseTheFileErrors) {
  TPaletteValues v{};
  EXPECT_THROW(ReadPaletteFile(Path(), v), EFOpenError);
  EXPECT_THROW(ReadPaletteFile(dir_, v), EFOpenError);  // a folder is no file
  EXPECT_THROW(WritePaletteFile(dir_ + "/none/Pixkura.pal", v), EFCreateError);
}

TEST_F(PaletteFileTest, ALinkedFileIsWrittenThroughItsLinkAndAReadOnlyOneIsRefused) {
  // The palette kept elsewhere, beside the program only as a link.
  const std::string real = dir_ + "/kept.pal";
  ASSERT_EQ(::symlink("kept.pal", Path().c_str()), 0);
  TPaletteValues v{};
  v[1] = RGB(1, 2, 3);
  WritePaletteFile(Path(), v);
  EXPECT_TRUE(std::filesystem::is_symlink(Path()));
  EXPECT_EQ(std::filesystem::file_size(real), kPaletteFileSize);

  ASSERT_EQ(::chmod(real.c_str(), 0444), 0);
  v[1] = RGB(9, 9, 9);
  EXPECT_THROW(WritePaletteFile(Path(), v), EFCreateError);
  TPaletteValues back{};
  ReadPaletteFile(Path(), back);
  EXPECT_EQ(back[1], RGB(1, 2, 3));
}

}  // namespace
}  // namespace pixkura
