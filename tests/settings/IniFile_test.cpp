#include "settings/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "base/Exception.h"
#include "support/TempDir.h"
#include "tests/support/OrdinaryUser.h"

namespace pixkura {
namespace {

using testing::ReadFileBytes;
using testing::TTempDir;
using testing::WriteFileBytes;

TEST(IniFile, MissingFileGivesDefaultsAndTheFirstWriteCreatesIt) {
  TTempDir dir;
  const TIniFile ini(dir.File("Pixkura.ini"));
  EXPECT_EQ(ini.ReadString("Pixkura", "縦", "def"), "def");
  ini.WriteString("Pixkura", "縦", "0");
  ini.WriteString("Pixkura", "アンドゥ回数", "15");
  EXPECT_EQ(ReadFileBytes(ini.FileName()),
            "[Pixkura]\r\n\x8F\x63=0\r\n\x83\x41\x83\x93\x83\x68\x83\x44\x89\xF1\x90\x94=15\r\n");
  EXPECT_EQ(ini.ReadString("pixkura", "アンドゥ回数", ""), "15");
}

TEST(IniFile, ValuesAreDecodedFromCodePage932) {
  TTempDir dir;
  const TIniFile ini(dir.File("a.ini"));
  WriteFileBytes(ini.FileName(),
                 "[\x95\x5C\x8E\xA6]\nname=\x83\x65\x83\x58\x83\x67\n");  // [表示] name=テスト
  EXPECT_EQ(ini.ReadString("表示", "NAME", ""), "テスト");
}

TEST(IniFile, ExtensionKanjiAndRomanNumeralsAreNamesAndValuesOfTheirOwn) {
  // In code page 932: ⅱ is FA 41 and 俉 FA 61 (second bytes "A" and "a"),
  // 褜 is FA 5D (second byte "]"), 黑 FC 4B.
  TTempDir dir;
  const TIniFile ini(dir.File("a.ini"));
  ini.WriteString("S", "俉", "first");
  ini.WriteString("S", "ⅱ", "second");
  ini.WriteString("褜", "k", "third");
  EXPECT_EQ(ReadFileBytes(ini.FileName()),
            "[S]\r\n\xFA\x61=first\r\n\xFA\x41=second\r\n[\xFA\x5D]\r\nk=third\r\n");
  EXPECT_EQ(ini.ReadString("S", "俉", ""), "first");
  EXPECT_EQ(ini.ReadString("S", "ⅱ", ""), "second");
  EXPECT_EQ(ini.ReadString("褜", "k", ""), "third");

  // A value whose last character would end one byte past the longest read
  // loses that whole character.
  ini.WriteString("S", "v", std::string(kIniMaxValueLength - 1, 'y') + "黑");
  const std::string cut = ini.ReadString("S", "v", "");
  ASSERT_EQ(cut.size(), kIniMaxValueLength - 1);
  EXPECT_EQ(cut.substr(cut.size() - 3), "yyy");
}

TEST(IniFile, UntouchedLinesKeepTheirBytesEvenWhenUndecodable) {
  TTempDir dir;
  const TIniFile ini(dir.File("a.ini"));
  const std::string odd = std::string("; \xFF\xFE\x83 junk") + '\0' + "here\n";
  WriteFileBytes(ini.FileName(), odd + "[S]\nk=1\n");
  ini.WriteString("S", "k", "2");
  EXPECT_EQ(ReadFileBytes(ini.FileName()), odd + "[S]\nk=2\n");
}

TEST(IniFile, LineBreaksInWrittenTextCannotAddLines) {
  TTempDir dir;
  const TIniFile ini(dir.File("a.ini"));
  ini.WriteString("S", "k", "one\r\n[T]\nx=1");
  ini.WriteString("S", "n", std::string("cut\0here", 8));
  EXPECT_EQ(ReadFileBytes(ini.FileName()), "[S]\r\nk=one  [T] x=1\r\nn=cut\r\n");
  EXPECT_EQ(ini.ReadString("T", "x", "none"), "none");
}

TEST(IniFile, ReadOnlyFileRaisesTheWriteErrorAndStaysIntact) {
  TTempDir dir;
  const TIniFile ini(dir.File("Pixkura.ini"));
  WriteFileBytes(ini.FileName(), "[S]\r\nk=old\r\n");
  ASSERT_EQ(::chmod(ini.FileName().c_str(), 0444), 0);
  try {
    ini.WriteString("S", "k", "new");
    FAIL() << "no write error";
  } catch (const EFWriteError& e) {
    EXPECT_EQ(e.Message(), ini.FileName() + " に書き込めません");
  }
  EXPECT_EQ(ReadFileBytes(ini.FileName()), "[S]\r\nk=old\r\n");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "old");
}

TEST(IniFile, MissingFolderOrADirectoryInTheWayRaisesTheWriteError) {
  TTempDir dir;
  const TIniFile missing(dir.File("no/such/folder/x.ini"));
  EXPECT_THROW(missing.WriteString("S", "k", "v"), EFWriteError);
  std::filesystem::create_directory(dir.File("d.ini"));
  const TIniFile directory(dir.File("d.ini"));
  EXPECT_EQ(directory.ReadString("S", "k", "def"), "def");
  EXPECT_THROW(directory.WriteString("S", "k", "v"), EFWriteError);
  // No temporary files are left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(IniFile, WritingThroughASymbolicLinkKeepsTheLink) {
  TTempDir dir;
  WriteFileBytes(dir.File("real.ini"), "[S]\r\nk=1\r\n");
  ASSERT_EQ(::symlink("real.ini", dir.File("link.ini").c_str()), 0);
  TIniFile(dir.File("link.ini")).WriteString("S", "k", "2");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.ini")));
  EXPECT_EQ(ReadFileBytes(dir.File("real.ini")), "[S]\r\nk=2\r\n");
}

TEST(IniFile, InAFolderTheUserCannotWriteTheWritableFileIsUpdatedInPlace) {
  TTempDir dir;
  const TIniFile ini(dir.File("Pixkura.ini"));
  WriteFileBytes(ini.FileName(), "[S]\r\nk=1\r\nother=kept\r\n");
  ASSERT_EQ(::chmod(ini.FileName().c_str(), 0666), 0);
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
  const std::string failure = testing::AsOrdinaryUser([&]() -> std::string {
    ini.WriteString("S", "k", "2");
    return "";
  });
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0700), 0);
  EXPECT_EQ(failure, "");
  EXPECT_EQ(ReadFileBytes(ini.FileName()), "[S]\r\nk=2\r\nother=kept\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(IniFile, HostileFilesReadWithoutHarm) {
  TTempDir dir;
  const TIniFile ini(dir.File("a.ini"));
  std::string bytes = "[S]\nhuge=" + std::string(3 << 20, 'x') + "\n";
  bytes += std::string("nul=a\0b\n", 8) + "bad=\x83\xFF\x81\n" + "[T]\r\r\n[S]\nlast=\x82";
  WriteFileBytes(ini.FileName(), bytes);
  EXPECT_EQ(ini.ReadString("S", "huge", "").size(), kIniMaxValueLength);
  EXPECT_EQ(ini.ReadString("S", "nul", ""), std::string("a\0b", 3));
  EXPECT_EQ(ini.ReadString("S", "bad", ""), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(ini.ReadString("S", "last", "none"), "none");  // only the first [S] counts
  ini.WriteString("S", "new", "1");
  EXPECT_EQ(ini.ReadString("S", "new", ""), "1");
  EXPECT_EQ(ReadFileBytes(ini.FileName()).size(), bytes.size() + 7);
}

TEST(IniFile, SomethingOtherThanAFileInItsPlaceIsNeverOpenedForReading) {
  TTempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("fifo.ini").c_str(), 0644), 0);
  const TIniFile ini(dir.File("fifo.ini"));
  EXPECT_EQ(ini.ReadString("S", "k", "def"), "def");  // no hang waiting for a writer
  EXPECT_THROW(ini.WriteString("S", "k", "v"), EFWriteError);
}

TEST(IniFile, SectionSnapshotReadsManyKeysAtOnce) {
  TTempDir dir;
  const TIniFile ini(dir.File("a.ini"));
  WriteFileBytes(ini.FileName(), "[S]\nA=1\nb=\x8F\x63\n[T]\nc=3\n");
  const auto section = ini.ReadSection("s");
  EXPECT_EQ(section.KeyCount(), 2u);
  EXPECT_EQ(section.ReadString("a", ""), "1");
  EXPECT_EQ(section.ReadString("B", ""), "縦");
  EXPECT_EQ(section.ReadString("c", "none"), "none");
  EXPECT_EQ(TIniFile(dir.File("missing.ini")).ReadSection("S").KeyCount(), 0u);
}

}  // namespace
}  // namespace pixkura
