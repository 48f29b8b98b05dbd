#include "base/Streams.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/Exception.h"
#include "base/ProgramFolder.h"
#include "tests/support/OrdinaryUser.h"

namespace pixkura {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "pixkura-base-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, ec);
    fs::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (fs::path(path_) / name).string(); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

std::string ReadAll(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(MemoryStream, ReadWriteSeekAndShortReads) {
  TMemoryStream s;
  s.WriteBuffer("abcdef", 6);
  EXPECT_EQ(s.Size(), 6);
  s.SetPosition(2);
  char buf[8] = {};
  EXPECT_EQ(s.Read(buf, 8), 4);
  EXPECT_EQ(std::string(buf, 4), "cdef");
  EXPECT_EQ(s.Remaining(), 0);
  s.SetPosition(4);
  EXPECT_THROW(s.ReadBuffer(buf, 3), EReadError);
  // Writing past the end grows the stream; seeking before the start clamps.
  s.SetPosition(8);
  s.WriteBuffer("z", 1);
  EXPECT_EQ(s.Size(), 9);
  EXPECT_EQ(s.Memory()[6], 0);
  EXPECT_EQ(s.Seek(-100, TSeekOrigin::soCurrent), 0);
}

TEST(MemoryStream, CopyFromAndLoadFromStream) {
  TMemoryStream a(std::vector<uint8_t>{1, 2, 3, 4});
  TMemoryStream b;
  b.CopyFrom(a, 0);
  EXPECT_EQ(b.Bytes(), a.Bytes());
  a.SetPosition(1);
  TMemoryStream c;
  c.CopyFrom(a, 2);
  EXPECT_EQ(c.Bytes(), (std::vector<uint8_t>{2, 3}));
  a.SetPosition(3);
  EXPECT_THROW(c.CopyFrom(a, 5), EReadError);
}

TEST(FileStream, OpenAndCreateErrorsCarryTheFileName) {
  TempFolder dir;
  const std::string missing = dir.File("missing.bmp");
  try {
    TFileStream s(missing, TFileMode::fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "ファイル " + missing + " は開けません");
  }
  // A folder is not a readable file.
  EXPECT_THROW(TFileStream(dir.Path(), TFileMode::fmOpenRead), EFOpenError);
  const std::string inNowhere = dir.File("no/such/folder.bmp");
  try {
    TFileStream s(inNowhere, TFileMode::fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "ファイル " + inNowhere + " を作成できません");
  }
}

TEST(FileStream, WritesAndReadsBack) {
  TempFolder dir;
  const std::string file = dir.File("x.bin");
  {
    TFileStream out(file, TFileMode::fmCreate);
    out.WriteBuffer("hello", 5);
  }
  TFileStream in(file, TFileMode::fmOpenRead);
  EXPECT_EQ(in.Size(), 5);
  char buf[5];
  in.ReadBuffer(buf, 5);
  EXPECT_EQ(std::string(buf, 5), "hello");
  EXPECT_THROW(in.ReadBuffer(buf, 1), EReadError);
}

TEST(AtomicWrite, ReplacesWholeFileAndKeepsItsMode) {
  TempFolder dir;
  const std::string file = dir.File("sheet.bmp");
  WriteFileAtomically(file, "old", 3);
  ::chmod(file.c_str(), 0640);
  WriteFileAtomically(file, "new content", 11);
  EXPECT_EQ(ReadAll(file), "new content");
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

// Files of the folder, by name (no temporary file may stay behind).
std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

mode_t ModeOf(const std::string& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(AtomicWrite, ThroughASymbolicLinkTheTargetIsWrittenAndTheLinkKept) {
  TempFolder dir;
  fs::create_directory(dir.File("real"));
  const std::string target = dir.File("real/sheet.bmp");
  WriteFileAtomically(target, "old", 3);
  ::chmod(target.c_str(), 0604);
  ASSERT_EQ(::symlink("real/sheet.bmp", dir.File("relative.bmp").c_str()), 0);
  ASSERT_EQ(::symlink(dir.File("relative.bmp").c_str(), dir.File("chain.bmp").c_str()), 0);

  WriteFileAtomically(dir.File("chain.bmp"), "new", 3);
  EXPECT_TRUE(fs::is_symlink(dir.File("chain.bmp")));
  EXPECT_TRUE(fs::is_symlink(dir.File("relative.bmp")));
  EXPECT_EQ(ReadAll(target), "new");
  EXPECT_EQ(ModeOf(target), 0604u);
  EXPECT_EQ(Names(dir.File("real")), std::vector<std::string>{"sheet.bmp"});
  EXPECT_EQ(ResolveWriteTarget(dir.File("chain.bmp")), dir.File("real/sheet.bmp"));

  // A link to a file not there yet makes that file.
  ASSERT_EQ(::symlink("real/later.bmp", dir.File("dangling.bmp").c_str()), 0);
  WriteFileAtomically(dir.File("dangling.bmp"), "made", 4);
  EXPECT_TRUE(fs::is_symlink(dir.File("dangling.bmp")));
  EXPECT_EQ(ReadAll(dir.File("real/later.bmp")), "made");
}

TEST(AtomicWrite, AFileWithoutWritePermissionIsRefusedWithTheCreateError) {
  TempFolder dir;
  const std::string file = dir.File("locked.pal");
  WriteFileAtomically(file, "precious", 8);
  ::chmod(file.c_str(), 0444);
  ASSERT_EQ(::symlink("locked.pal", dir.File("link.pal").c_str()), 0);
  for (const std::string& name : {file, dir.File("link.pal")}) {
    try {
      WriteFileAtomically(name, "x", 1);
      ADD_FAILURE() << "a read-only file was replaced through " << name;
    } catch (const EFCreateError& e) {
      EXPECT_EQ(e.Message(), "ファイル " + name + " を作成できません");
    }
  }
  EXPECT_EQ(ReadAll(file), "precious");
  EXPECT_EQ(ModeOf(file), 0444u);
  EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"link.pal", "locked.pal"}));
}

TEST(AtomicWrite, InAFolderTheUserCannotWriteAWritableFileIsWrittenInPlace) {
  TempFolder dir;
  const std::string file = dir.File("sheet.bmp");
  WriteFileAtomically(file, "a longer old content", 20);
  const std::string mine = dir.File("mine.bmp"), others = dir.File("others.bmp");
  WriteFileAtomically(others, "theirs", 6);
  ::chmod(file.c_str(), 0666);
  ::chmod(dir.Path().c_str(), 0555);
  const bool root = ::geteuid() == 0;
  const std::string failure = testing::AsOrdinaryUser([&]() -> std::string {
    WriteFileAtomically(file, "new", 3);
    if (ReadAll(file) != "new") return "not written in place: " + ReadAll(file);
    try {
      WriteFileAtomically(mine, "x", 1);
      return "a new file appeared in a folder the user cannot write";
    } catch (const EFCreateError&) {
    }
    // Another user's file, writable only by its owner (root can make one).
    if (root) {
      try {
        WriteFileAtomically(others, "x", 1);
        return "another user's file was written";
      } catch (const EFCreateError&) {
      }
    }
    return "";
  });
  ::chmod(dir.Path().c_str(), 0755);
  EXPECT_EQ(failure, "");
  EXPECT_EQ(ReadAll(file), "new");
  EXPECT_EQ(ModeOf(file), 0666u);
  EXPECT_EQ(ReadAll(others), "theirs");
  EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"others.bmp", "sheet.bmp"}));
}

TEST(AtomicWrite, AFileInAMissingFolderIsACreateError) {
  TempFolder dir;
  EXPECT_THROW(WriteFileAtomically(dir.File("missing/x.bmp"), "x", 1), EFCreateError);
}

TEST(AtomicWrite, TargetThatIsAFolderFailsWithoutDamage) {
  TempFolder dir;
  const std::string target = dir.File("sub");
  fs::create_directory(target);
  EXPECT_THROW(WriteFileAtomically(target, "x", 1), EFCreateError);
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
  const std::string fifo = dir.File("pipe.bmp");  // written through, never replaced
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // the writer needs one
  WriteFileAtomically(fifo, "through", 7);
  char got[8] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), 7);
  ::close(reader);
  EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST(AtomicWrite, OnlyAFolderRefusingTheTemporaryFileByPermissionLeadsToWritingInPlace) {
  TempFolder dir;
  const std::string file = dir.File("sheet.bmp");
  static int injected = 0;
  SetTemporaryFileMakerForTesting([](std::string&) { return errno = injected, -1; });
  for (const int err : {ENOSPC, EDQUOT, EMFILE, ENAMETOOLONG, EACCES, EPERM, EROFS}) {
    std::ofstream(file) << "old";
    injected = err;
    const bool refused = err == EACCES || err == EPERM || err == EROFS;
    if (!refused) EXPECT_THROW(WriteFileAtomically(file, "new", 3), EInOutError) << err;
    if (refused) WriteFileAtomically(file, "new", 3);
    EXPECT_EQ(ReadAll(file), refused ? "new" : "old") << err;
  }
  SetTemporaryFileMakerForTesting(nullptr);
}

TEST(AtomicWrite, AHardLinkedFileStaysOneFileAndExtendedAttributesSurvive) {
  TempFolder dir;
  const std::string file = dir.File("sheet.bmp"), link = dir.File("other-name.bmp");
  WriteFileAtomically(file, "old", 3);
  ASSERT_EQ(::link(file.c_str(), link.c_str()), 0);
  WriteFileAtomically(file, "new", 3);
  EXPECT_EQ(ReadAll(link), "new");
  ::unlink(link.c_str());
  if (::setxattr(file.c_str(), "user.pixkura", "kept", 4, 0) != 0)
    GTEST_SKIP() << "the temporary folder's file system keeps no user.* attributes";
  WriteFileAtomically(file, "newer", 5);
  EXPECT_EQ(::getxattr(file.c_str(), "user.pixkura", nullptr, 0), 4);
}

TEST(AtomicWrite, AnotherUsersGroupWritableFileInAStickyFolderIsWrittenInPlaceKeepingItsOwner) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can make another user's file";
  TempFolder dir;
  ::chmod(dir.Path().c_str(), 01777);  // shared, as /tmp
  const std::string file = dir.File("shared.bmp");
  WriteFileAtomically(file, "old", 3);
  ASSERT_EQ(::chown(file.c_str(), 0, testing::kNobodyGid) | ::chmod(file.c_str(), 0664), 0);
  EXPECT_EQ(testing::AsOrdinaryUser([&] { return WriteFileAtomically(file, "new", 3), std::string(); }), "");
  struct stat st {};
  EXPECT_TRUE(::stat(file.c_str(), &st) == 0 && st.st_uid == 0 && ReadAll(file) == "new");
}

TEST(AtomicWrite, ANameOfNameMaxBytesSavesAndOnlyLeftoversADayOldAreRemoved) {
  TempFolder dir;
  std::string kanji;
  for (int i = 0; i < 83; ++i) kanji += "絵";    // 249 bytes
  const std::string longest = kanji + "ab.bmp";  // 255 bytes, NAME_MAX
  EXPECT_THROW(WriteFileAtomically(dir.File(kanji + "abc.bmp"), "x", 1), Exception);
  const time_t day = 24 * 60 * 60, now = ::time(nullptr);
  for (const auto& [name, age] :
       {std::pair{".pixkura-stale1", day + 60}, std::pair{".pixkura-fresh1", day - 60}}) {
    std::ofstream(dir.File(name)) << "left";
    const timespec times[2] = {{now - age, 0}, {now - age, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.File(name).c_str(), times, 0), 0);
  }
  WriteFileAtomically(dir.File(longest), "y", 1);
  EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{".pixkura-fresh1", longest}));
}

TEST(ProgramFolder, IsTheExecutablesFolderUnlessOverridden) {
  const std::string real = ProgramFolder();
  EXPECT_TRUE(FileExists(real + "/base_Streams_test"));
  SetProgramFolderForTesting("/tmp/elsewhere");
  EXPECT_EQ(ProgramFolder(), "/tmp/elsewhere");
  SetProgramFolderForTesting("");
  EXPECT_EQ(ProgramFolder(), real);
}

}  // namespace
}  // namespace pixkura
