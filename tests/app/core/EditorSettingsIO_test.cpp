// The editor's settings through its store: what start-up reads from the INI
// file beside the program, what the close writes there byte for byte, and
// what happens when the file cannot be written.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/RegMng.h"
#include "support/EditorFixture.h"
#include "support/FileCommandsSupport.h"

namespace pixkura::testing {
namespace {

class EditorSettingsIOTest : public ::testing::Test {
 protected:
  std::string Ini() const { return f.Folder.File("Pixkura.ini"); }
  // An INI file written in code page 932 from UTF-8 lines.
  void WriteIni(const std::string& utf8) {
    const std::string sjis = ToShiftJis(utf8);
    WriteBytes(Ini(), std::vector<uint8_t>(sjis.begin(), sjis.end()));
  }
  std::string IniText() const {
    const auto bytes = ReadBytes(Ini());
    return std::string(bytes.begin(), bytes.end());
  }
  TEditor& StartFromStore() {
    f.Editor->FormCreate();
    return *f.Editor;
  }
  void Close() { f.Editor->FormClose(&f.Editor->MainForm); }

  TEditorFixture f;
};

// The file the first close makes, in the write order, with the defaults.
const char* const kDefaultFile =
    "[Pixkura]\r\n縦=0\r\n横=0\r\nアンドゥ回数=15\r\nキャラ横サイズ=32\r\nキャラ縦サイズ=32\r\n透明色=255\r\n"
    "選択用セルサイズ=8\r\n筆幅=1\r\n倍率=3\r\nグリッド=1\r\nアニメスピード=40\r\nアニメ枚数=2\r\n"
    "選択枠フリー移動=0\r\n通常表示枠=0\r\n反転表示枠=0\r\nコピー表示枠=0\r\n中央線=1\r\nはみ出しチェック="
    "0\r\n"
    "ルーペ用レイヤー設定=1\r\n特殊表示用レイヤー=2\r\n並べて表示=0\r\n並べて表示最大数=3\r\n左パネル設定="
    "1\r\n"
    "中央パネル設定=2\r\n右パネル設定=3\r\n復元用の保存間隔=5\r\nオニオンスキン=0\r\n"
    "オニオンスキン前コマ数=1\r\nオニオンスキン後コマ数=0\r\n透明色をPNGの透明にする=0\r\n";

TEST_F(EditorSettingsIOTest, TheFirstCloseWritesThe30KeysInOrderInShiftJis) {
  TEditor& e = StartFromStore();
  EXPECT_EQ(e.Doc.History.UndoMax, 15);
  EXPECT_EQ(e.View.Bairitu, 3);
  EXPECT_TRUE(e.Views.GridOn);
  Close();
  EXPECT_EQ(IniText(), ToShiftJis(kDefaultFile));
  EXPECT_TRUE(f.Host.Messages.empty());
  // "Lay" and "Lay4" are declared but never written.
  EXPECT_EQ(IniText().find(ToShiftJis("レイヤー有効")), std::string::npos);
  EXPECT_EQ(IniText().find(ToShiftJis("四分割レイヤー")), std::string::npos);
}

TEST_F(EditorSettingsIOTest, StoredValuesReachTheStateAndComeBackAtClose) {
  WriteIni(
      "[Pixkura]\r\n倍率=2\r\n筆幅=4\r\nアニメスピード=$1F\r\n並べて表示最大数=5\r\nグリッド=2\r\n中央線="
      "256\r\n"
      "通常表示枠=TRUE\r\n反転表示枠=1\r\nレイヤー有効=1\r\nキャラ横サイズ=16\r\n");
  TEditor& e = StartFromStore();
  EXPECT_EQ(e.View.Bairitu, 2);
  EXPECT_TRUE(e.x4.Down());
  EXPECT_EQ(e.Tools.PenSize, 4);
  EXPECT_TRUE(e.p4.Down());
  EXPECT_EQ(e.WaitBar.Position(), 31);
  EXPECT_EQ(e.Views.NarabeMax, 5);
  EXPECT_TRUE(e.Views.GridOn);             // 2: low byte not zero
  EXPECT_FALSE(e.Views.CLineOn);           // 256: low byte zero
  EXPECT_FALSE(e.NomChk.Checked());  // only numbers count
  EXPECT_TRUE(e.RevChk.Checked());
  EXPECT_EQ(e.View.ChrX, 16);
  Close();
  const std::string text = IniText();
  EXPECT_NE(text.find(ToShiftJis("アニメスピード=31\r\n")), std::string::npos);
  EXPECT_NE(text.find(ToShiftJis("中央線=0\r\n")), std::string::npos);
  EXPECT_NE(text.find(ToShiftJis("通常表示枠=0\r\n")), std::string::npos);
  EXPECT_NE(text.find(ToShiftJis("レイヤー有効=1\r\n")), std::string::npos);  // left as it was
}

TEST_F(EditorSettingsIOTest, BooleanDefaultsAndNonNumericIntegers) {
  WriteIni("[Pixkura]\r\n左パネル設定=abc\r\n");
  TEditor& e = *f.Editor;
  (void)e.ReadStoredSettings();  // makes the store
  for (const char* truthy : {"True", "1", "YES", "yes"}) {
    e.RegM->RegItems().FindItem("View1")->DefaultValue = truthy;
    EXPECT_TRUE(e.ReadStoredSettings().View1) << truthy;
  }
  for (const char* falsy : {"False", "0", ""}) {
    e.RegM->RegItems().FindItem("View1")->DefaultValue = falsy;
    EXPECT_FALSE(e.ReadStoredSettings().View1) << falsy;
  }
  EXPECT_EQ(e.ReadStoredSettings().LeftPanel, 0);  // text is 0, not the default
}

TEST_F(EditorSettingsIOTest, AnUnknownNameIsReportedInAnErrorBox) {
  TEditor& e = StartFromStore();
  EXPECT_EQ(e.RegM->Filer("Nope").AsInteger(), 0);
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{"[' Nope '] is invalid."});
  EXPECT_EQ(e.RegM->Filer("top").Item()->Name, "Top");
}

TEST_F(EditorSettingsIOTest, PanelOrderFromTheFile) {
  WriteIni("[Pixkura]\r\n左パネル設定=3\r\n中央パネル設定=1\r\n右パネル設定=2\r\n");
  TEditor& e = StartFromStore();
  EXPECT_EQ(e.PanelRight.Left(), 0);
  EXPECT_EQ(e.PanelLeft.Left(), 177);
  EXPECT_EQ(e.PanelCenter.Left(), 482);
}

TEST_F(EditorSettingsIOTest, APanelNamedTwicePlacesItTwiceAndLeavesTheOther) {
  WriteIni("[Pixkura]\r\n左パネル設定=2\r\n中央パネル設定=2\r\n右パネル設定=3\r\n");
  TEditor& e = StartFromStore();
  EXPECT_EQ(e.PanelCenter.Left(), 305);
  EXPECT_EQ(e.PanelRight.Left(), 610);
  EXPECT_EQ(e.PanelLeft.Left(), 0);  // its design position
}

TEST_F(EditorSettingsIOTest, ValuesTheStateCannotHoldAreClampedOrKeepTheDefault) {
  WriteIni("[Pixkura]\r\n選択用セルサイズ=40\r\nアンドゥ回数=300\r\n透明色=256\r\n倍率=8\r\n");
  TEditor& e = StartFromStore();
  EXPECT_EQ(e.SelSizeBar.Position(), 32);
  EXPECT_EQ(e.Copy.SelSize, 32);
  EXPECT_EQ(e.Doc.History.UndoMax, 15);
  EXPECT_EQ(e.Toumei, 255);
  EXPECT_EQ(e.View.Bairitu, 3);
  EXPECT_EQ(e.Doc.History.UndoDibs.size(), 15u);
  Close();
  const std::string text = IniText();
  for (const char* line : {"選択用セルサイズ=32\r\n", "アンドゥ回数=15\r\n", "透明色=255\r\n", "倍率=3\r\n"})
    EXPECT_NE(text.find(ToShiftJis(line)), std::string::npos) << line;
}

// Writes of the INI file (replacements or in place) seen from its folder while act runs.
int IniWritesDuring(const std::string& folder, const std::function<void()>& act) {
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  EXPECT_GE(::inotify_add_watch(watch, folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE), 0);
  act();
  int writes = 0;
  alignas(inotify_event) char buffer[8192];
  for (ssize_t n, at; (n = ::read(watch, buffer, sizeof buffer)) > 0;)
    for (at = 0; at < n; at += static_cast<ssize_t>(sizeof(inotify_event)) +
                               reinterpret_cast<inotify_event*>(buffer + at)->len)
      writes += std::string_view(reinterpret_cast<inotify_event*>(buffer + at)->name) == "Pixkura.ini";
  ::close(watch);
  return writes;
}

TEST_F(EditorSettingsIOTest, ACloseWritesTheFileOnceAndNotAtAllWhenNothingChanged) {
  TEditor& e = StartFromStore();
  for (const int changes : {1, 0}) EXPECT_EQ(IniWritesDuring(f.Folder.Path(), [&] { Close(); }), changes);
  e.Tools.PenSize = 2;
  EXPECT_EQ(IniWritesDuring(f.Folder.Path(), [&] { Close(); }), 1);
  EXPECT_NE(IniText().find(ToShiftJis("筆幅=2\r\n")), std::string::npos);
}

TEST_F(EditorSettingsIOTest, AnUnwritableFileIsReportedOnceAndTheCloseGoesOn) {
  StartFromStore();
  WriteIni("[Pixkura]\r\n縦=7\r\n");
  ASSERT_EQ(::chmod(Ini().c_str(), 0444), 0);
  EXPECT_NO_THROW(Close());
  EXPECT_EQ(f.Host.Messages, std::vector<std::string>{Ini() + " に書き込めません"});
  EXPECT_EQ(IniText(), ToShiftJis("[Pixkura]\r\n縦=7\r\n"));
}

}  // namespace
}  // namespace pixkura::testing
