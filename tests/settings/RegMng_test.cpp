#include "settings/RegMng.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/Exception.h"
#include "support/TempDir.h"

namespace pixkura {
namespace {

using testing::ReadFileBytes;
using testing::TTempDir;
using testing::WriteFileBytes;

class RegMngTest : public ::testing::Test {
 protected:
  RegMngTest() {
    regM.SetOnMessage([this](const std::string& text) { messages.push_back(text); });
    regM.SetRegType(TRegType::rtIni);
    regM.SetIniFileName(dir.File("Pixkura.ini"));
  }
  TRegItem& Declare(const std::string& name, const std::string& def, const std::string& ident = "") {
    return regM.RegItems().Add(name, "Pixkura", ident.empty() ? name : ident, def);
  }
  void Store(const std::string& text) { WriteFileBytes(regM.IniFileName(), "[Pixkura]\r\n" + text); }
  std::string FileText() { return ReadFileBytes(regM.IniFileName()); }

  TTempDir dir;
  TRegManager regM;
  std::vector<std::string> messages;
};

TEST_F(RegMngTest, BooleanDefaultsWithoutStoredValue) {
  for (const char* def : {"True", "true", "TRUE", "1", "YES", "yes", "Yes"}) {
    Declare(def + std::string("_item"), def);
    EXPECT_TRUE(regM.Filer(def + std::string("_item")).AsBoolean()) << def;
  }
  for (const char* def : {"False", "0", "", "no", "2", "T"}) {
    Declare(def + std::string("_item"), def);
    EXPECT_FALSE(regM.Filer(def + std::string("_item")).AsBoolean()) << def;
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(RegMngTest, StoredBooleansCountOnlyAsNumbersWithLowByteSet) {
  Declare("Grid", "True");
  const std::pair<const char*, bool> cases[] = {
      {"1", true},    {"0", false},    {"2", true},  {"256", false}, {"257", true},  {"TRUE", false},
      {"YES", false}, {"$100", false}, {"-1", true}, {"", false},    {"\"1\"", true}};
  for (const auto& [text, expected] : cases) {
    Store(std::string("Grid=") + text + "\r\n");
    EXPECT_EQ(regM.Filer("Grid").AsBoolean(), expected) << text;
  }
  regM.Filer("Grid").SetAsBoolean(false);
  EXPECT_EQ(FileText(), "[Pixkura]\r\nGrid=0\r\n");
  regM.Filer("Grid").SetAsBoolean(true);
  EXPECT_EQ(FileText(), "[Pixkura]\r\nGrid=1\r\n");
}

TEST_F(RegMngTest, IntegersUseTheLenientConversionWithFallbackZero) {
  Declare("Undo", "15");
  Declare("Broken", "abc");
  EXPECT_EQ(regM.Filer("Undo").AsInteger(), 15);
  EXPECT_EQ(regM.Filer("Broken").AsInteger(), 0);
  Store("Undo=$1F\r\n");
  EXPECT_EQ(regM.Filer("Undo").AsInteger(), 31);
  Store("Undo=text\r\n");
  EXPECT_EQ(regM.Filer("Undo").AsInteger(), 0);  // not the default 15
  Store("Undo=99999999999\r\n");
  EXPECT_EQ(regM.Filer("Undo").AsInteger(), 0);
  regM.Filer("Undo").SetAsInteger(-42);
  EXPECT_EQ(FileText(), "[Pixkura]\r\nUndo=-42\r\n");
  EXPECT_EQ(regM.Filer("Undo").AsInteger(), -42);
}

TEST_F(RegMngTest, StringsRoundTripInCodePage932) {
  Declare("Title", "untitled", "題名");
  EXPECT_EQ(regM.Filer("title").AsString(), "untitled");
  regM.Filer("Title").SetAsString("  ドット絵  ");
  EXPECT_EQ(FileText(), "[Pixkura]\r\n\x91\xE8\x96\xBC=  \x83\x68\x83\x62\x83\x67\x8A\x47  \r\n");
  EXPECT_EQ(regM.Filer("Title").AsString(), "ドット絵");  // blanks are trimmed on reading
}

TEST_F(RegMngTest, NamesAreFoundIgnoringCase) {
  Declare("Top", "0");
  Declare("Left", "0");
  Store("Top=7\r\n");
  EXPECT_EQ(regM.Filer("top").Item(), &regM.RegItems().GetItem(0));
  EXPECT_EQ(regM.Filer("TOP").AsInteger(), 7);
  EXPECT_EQ(regM.RegItems().FindItem("lEFT"), &regM.RegItems().GetItem(1));
  EXPECT_TRUE(messages.empty());
}

TEST_F(RegMngTest, UnknownNameShowsTheMessageAndLeavesTheFilerWithoutItem) {
  Declare("Top", "5");
  Declare("Grid", "True");
  Store("Top=7\r\n");
  EXPECT_EQ(regM.Filer("Bottom").AsInteger(), 0);
  EXPECT_FALSE(regM.Filer("Nothing").AsBoolean());
  EXPECT_EQ(regM.Filer("Nowhere").AsString(), "");
  EXPECT_EQ(messages, (std::vector<std::string>{"[' Bottom '] is invalid.", "[' Nothing '] is invalid.",
                                                "[' Nowhere '] is invalid."}));
  // Writes and the other reads do nothing and leave their argument alone.
  TRegFiler& filer = regM.Filer("Nope");
  filer.SetAsInteger(1);
  std::vector<std::string> list{"keep"};
  filer.ReadStrings(list);
  TFont font{"face", 12, clRed};
  filer.ReadFont(font);
  TMemoryStream stream;
  filer.ReadBinary(stream);
  EXPECT_EQ(list, std::vector<std::string>{"keep"});
  EXPECT_EQ(font.Name, "face");
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(FileText(), "[Pixkura]\r\nTop=7\r\n");
  // The same filer serves every lookup.
  EXPECT_EQ(&regM.Filer("Top"), &filer);
  EXPECT_EQ(filer.AsInteger(), 7);
}

TEST_F(RegMngTest, StoreThatCannotBeOpenedShowsOneMessagePerReadOrWrite) {
  Declare("Top", "5");
  Declare("Grid", "YES");
  regM.SetIniFileName("");
  EXPECT_EQ(regM.Filer("Top").AsInteger(), 5);
  EXPECT_TRUE(regM.Filer("Grid").AsBoolean());
  regM.Filer("Top").SetAsInteger(3);
  EXPECT_EQ(messages, std::vector<std::string>(3, "can not create Inifile object."));

  messages.clear();
  regM.SetIniFileName(dir.File("Pixkura.ini"));
  regM.SetRegType(TRegType::rtReg);  // no registry on this system
  regM.SetRegDir("Software\\Pixkura");
  EXPECT_EQ(regM.Filer("Top").AsInteger(), 5);
  regM.Filer("Top").SetAsInteger(3);
  EXPECT_EQ(messages, std::vector<std::string>(2, "can not create Registry object."));
  EXPECT_FALSE(FileExists(regM.IniFileName()));
}

TEST_F(RegMngTest, EmptySectionOrIdentGivesTheDefaultWithoutTouchingTheStore) {
  regM.RegItems().Add("NoSection", "", "k", "9");
  regM.RegItems().Add("NoIdent", "Pixkura", "", "8");
  regM.SetIniFileName("");
  EXPECT_EQ(regM.Filer("NoSection").AsInteger(), 9);
  EXPECT_EQ(regM.Filer("NoIdent").AsInteger(), 8);
  regM.Filer("NoIdent").SetAsInteger(1);
  EXPECT_TRUE(messages.empty());
}

TEST_F(RegMngTest, KeysAreUpdatedInPlaceIgnoringCase) {
  Declare("Undo", "15", "アンドゥ回数");
  Declare("Top", "0", "TOP");
  WriteFileBytes(regM.IniFileName(),
                 "[pixKURA]\r\ntop=1\r\n\x83\x41\x83\x93\x83\x68\x83\x44\x89\xF1\x90\x94=3\r\n");
  regM.Filer("Top").SetAsInteger(2);
  regM.Filer("Undo").SetAsInteger(20);
  EXPECT_EQ(FileText(), "[pixKURA]\r\ntop=2\r\n\x83\x41\x83\x93\x83\x68\x83\x44\x89\xF1\x90\x94=20\r\n");
}

TEST_F(RegMngTest, FailedWriteRaisesAndKeepsTheOldFile) {
  Declare("Top", "0");
  Store("Top=1\r\n");
  ASSERT_EQ(::chmod(regM.IniFileName().c_str(), 0444), 0);
  try {
    regM.Filer("Top").SetAsInteger(2);
    FAIL() << "no write error";
  } catch (const EFWriteError& e) {
    EXPECT_EQ(e.Message(), regM.IniFileName() + " に書き込めません");
  }
  EXPECT_EQ(FileText(), "[Pixkura]\r\nTop=1\r\n");
}

TEST_F(RegMngTest, SeventyBytesOfBinaryTakeThreeLines) {
  Declare("Blob", "");
  std::vector<uint8_t> bytes(70);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 37 + 5);
  TMemoryStream out(bytes);
  out.SetPosition(50);  // the whole stream is written, whatever its position
  regM.Filer("Blob").WriteBinary(out);

  const TIniFile ini(regM.IniFileName());
  EXPECT_EQ(ini.ReadString("Pixkura", "Blob_c", ""), "3");
  EXPECT_EQ(ini.ReadString("Pixkura", "Blob_d0", "").size(), 64u);
  EXPECT_EQ(ini.ReadString("Pixkura", "Blob_d1", "").size(), 64u);
  EXPECT_EQ(ini.ReadString("Pixkura", "Blob_d2", "").size(), 12u);
  EXPECT_EQ(ini.ReadString("Pixkura", "Blob_d0", "").substr(0, 6), "052A4F");

  TMemoryStream in;
  in.WriteBuffer("AB", 2);  // read bytes go after the position
  regM.Filer("Blob").ReadBinary(in);
  ASSERT_EQ(in.Size(), 72);
  EXPECT_EQ(std::vector<uint8_t>(in.Bytes().begin() + 2, in.Bytes().end()), bytes);
}

TEST_F(RegMngTest, BinaryLinesDecodePairsLeniently) {
  Declare("Blob", "");
  Store("Blob_c=2\r\nBlob_d0=0aZZ F\r\nBlob_d1=7\r\n");
  TMemoryStream in;
  regM.Filer("Blob").ReadBinary(in);
  EXPECT_EQ(in.Bytes(), (std::vector<uint8_t>{0x0A, 0x00, 0x00, 0x07}));  // "ZZ" and " F" give 0
}

TEST_F(RegMngTest, EmptyBinaryWritesNothingAndKeepsEarlierLines) {
  Declare("Blob", "");
  Store("Blob_c=1\r\nBlob_d0=FF\r\n");
  TMemoryStream empty;
  regM.Filer("Blob").WriteBinary(empty);
  EXPECT_EQ(FileText(), "[Pixkura]\r\nBlob_c=1\r\nBlob_d0=FF\r\n");
}

TEST_F(RegMngTest, HostileCountsAreLimitedByWhatTheSectionHolds) {
  Declare("List", "");
  Store("List_ItemCount=2147483647\r\nList_Item0=a\r\nList_c=999999\r\nList_d0=01\r\n");
  std::vector<std::string> list;
  regM.Filer("List").ReadStrings(list);
  EXPECT_LE(list.size(), 4u);
  EXPECT_EQ(list.at(0), "a");
  TMemoryStream in;
  regM.Filer("List").ReadBinary(in);
  EXPECT_LE(in.Size(), 4);
  EXPECT_EQ(in.Bytes().at(0), 1);
  Store("List_ItemCount=-5\r\n");
  regM.Filer("List").ReadStrings(list);
  EXPECT_TRUE(list.empty());
}

TEST_F(RegMngTest, ShorterListLeavesOldEntries) {
  Declare("Pos", "");
  regM.Filer("Pos").WriteStrings({"a", "b", "c", "d", "e"});
  regM.Filer("Pos").WriteStrings({"x", "y", "z"});
  const std::string text = FileText();
  EXPECT_NE(text.find("Pos_Item3=d\r\n"), std::string::npos);
  EXPECT_NE(text.find("Pos_Item4=e\r\n"), std::string::npos);
  EXPECT_NE(text.find("Pos_ItemCount=3\r\n"), std::string::npos);
  std::vector<std::string> list{"old"};
  regM.Filer("Pos").ReadStrings(list);
  EXPECT_EQ(list, (std::vector<std::string>{"x", "y", "z"}));
}

TEST_F(RegMngTest, FontsKeepNameSizeAndColour) {
  Declare("Font", "", "字");
  TFont font{"IPAPGothic", 11, clWindowText};
  regM.Filer("Font").WriteFont(font);
  EXPECT_EQ(FileText(),
            "[Pixkura]\r\n\x8E\x9A_FontName=IPAPGothic\r\n\x8E\x9A_FontSize=11\r\n"
            "\x8E\x9A_FontColor=clWindowText\r\n");
  TFont read;
  regM.Filer("Font").ReadFont(read);
  EXPECT_EQ(read.Name, "IPAPGothic");
  EXPECT_EQ(read.Size, 11);
  EXPECT_EQ(read.Color, clWindowText);

  font.Color = RGB(1, 2, 3);
  regM.Filer("Font").WriteFont(font);
  EXPECT_NE(FileText().find("_FontColor=$00030201\r\n"), std::string::npos);
  Store("\x8E\x9A_FontSize=big\r\n\x8E\x9A_FontColor=CLBLACK\r\n");
  read = TFont{"keep", 14, clRed};
  regM.Filer("Font").ReadFont(read);
  EXPECT_EQ(read.Name, "keep");
  EXPECT_EQ(read.Size, 14);  // not a number: the current size stays
  EXPECT_EQ(read.Color, clBlack);

  Store("\x8E\x9A_FontColor=reddish\r\n");
  EXPECT_THROW(regM.Filer("Font").ReadFont(read), EConvertError);
}

TEST_F(RegMngTest, ItemsAssignAndIndexChecked) {
  TRegItem& item = Declare("A", "1");
  TRegItem other{"B", "S", "K", "D"};
  regM.RegItems().SetItem(0, other);
  EXPECT_EQ(item.Name, "B");
  EXPECT_EQ(item.Section, "S");
  EXPECT_EQ(item.Ident, "K");
  EXPECT_EQ(item.DefaultValue, "D");
  EXPECT_THROW(regM.RegItems().GetItem(1), ERangeError);
  EXPECT_THROW(regM.RegItems().GetItem(-1), ERangeError);
}

// A derived manager supplies its own filer, as the store allows.
class TCountingFiler : public TRegFiler {
 public:
  using TRegFiler::TRegFiler;
  std::string ReadString(const std::string& s, const std::string& i, const std::string& d) override {
    ++reads;
    return TRegFiler::ReadString(s, i, d);
  }
  int reads = 0;
};

class TCountingManager : public TRegManager {
 protected:
  std::unique_ptr<TRegFiler> CreateFiler() override { return std::make_unique<TCountingFiler>(*this); }
};

TEST(RegManager, DerivedManagerMakesItsOwnFiler) {
  TCountingManager regM;
  regM.SetOnMessage([](const std::string&) {});
  regM.RegItems().Add("X", "S", "K", "4");
  auto& filer = dynamic_cast<TCountingFiler&>(regM.Filer("x"));
  EXPECT_EQ(filer.AsInteger(), 4);
  EXPECT_EQ(filer.reads, 1);
  EXPECT_EQ(&filer.Manager(), &regM);
}

}  // namespace
}  // namespace pixkura
