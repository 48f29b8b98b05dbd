#include "app/core/EditorSettingsTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "base/ProgramFolder.h"
#include "settings/ShiftJis.h"

namespace pixkura {
namespace {

TEST(EditorSettingsTable, DeclaresThirtyTwoItemsInSectionPixkura) {
  TRegManager regM;
  testing::internal::CaptureStderr();
  DeclareEditorSettings(regM);
  ASSERT_EQ(regM.RegItems().Count(), 32);
  EXPECT_EQ(regM.RegType(), TRegType::rtIni);
  EXPECT_EQ(regM.IniFileName(), ProgramFolder() + "/Pixkura.ini");
  const auto decls = EditorSettingDecls();
  for (int i = 0; i < regM.RegItems().Count(); ++i) {
    const TRegItem& item = regM.RegItems().GetItem(i);
    EXPECT_EQ(item.Name, decls[static_cast<size_t>(i)].Name);
    EXPECT_EQ(item.Section, "Pixkura");
    EXPECT_EQ(item.Ident, decls[static_cast<size_t>(i)].Ident);
    EXPECT_EQ(item.DefaultValue, decls[static_cast<size_t>(i)].DefaultValue);
  }
  // Spot checks of the declaration order against the table.
  EXPECT_EQ(regM.RegItems().GetItem(0).Name, "Top");
  EXPECT_EQ(regM.RegItems().GetItem(6).Ident, "アンドゥ回数");
  EXPECT_EQ(regM.RegItems().GetItem(16).Name, "Lay");
  EXPECT_EQ(regM.RegItems().GetItem(17).Ident, "四分割レイヤー");
  EXPECT_EQ(regM.RegItems().GetItem(26).DefaultValue, "3");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(EditorSettingsTable, NamesAndKeysAreUniqueAndKindsMatchDefaults) {
  std::set<std::string_view> names, idents;
  for (const auto& decl : EditorSettingDecls()) {
    EXPECT_TRUE(names.insert(decl.Name).second) << decl.Name;
    EXPECT_TRUE(idents.insert(decl.Ident).second) << decl.Ident;
    if (decl.Kind == TEditorSettingKind::skBoolean) {
      EXPECT_TRUE(decl.DefaultValue == "True" || decl.DefaultValue == "False") << decl.Name;
    } else {
      EXPECT_TRUE(std::all_of(decl.DefaultValue.begin(), decl.DefaultValue.end(), ::isdigit)) << decl.Name;
    }
  }
}

TEST(EditorSettingsTable, ReadAndWriteOrdersCoverTheUsedItemsOnly) {
  const auto read = EditorSettingsReadOrder();
  const auto write = EditorSettingsWriteOrder();
  ASSERT_EQ(read.size(), 30u);
  EXPECT_TRUE(std::equal(read.begin(), read.end(), write.begin(), write.end()));
  std::set<std::string_view> used(read.begin(), read.end());
  EXPECT_EQ(used.size(), 30u);
  EXPECT_EQ(used.count("Lay"), 0u);
  EXPECT_EQ(used.count("Lay4"), 0u);
  for (const auto& decl : EditorSettingDecls()) {
    EXPECT_EQ(used.count(decl.Name), decl.Name == "Lay" || decl.Name == "Lay4" ? 0u : 1u) << decl.Name;
  }
  EXPECT_EQ(read.front(), "Top");
  EXPECT_EQ(read[2], "Undo");
  EXPECT_EQ(read.back(), "PngTransparent");
}

class EditorSettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "pixkura-editor-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    SetProgramFolderForTesting(folder_);
  }
  void TearDown() override {
    SetProgramFolderForTesting("");
    std::filesystem::remove_all(folder_);
  }
  std::string folder_;
};

// A first close writes the defaults read from a missing file: one section
// with the 30 keys in write order, in code page 932, booleans as 1 or 0.
TEST_F(EditorSettingsFile, FirstCloseWritesTheDefaultsInOrder) {
  TRegManager regM;
  DeclareEditorSettings(regM);
  std::vector<std::string> messages;
  regM.SetOnMessage([&](const std::string& m) { messages.push_back(m); });
  EXPECT_EQ(regM.IniFileName(), folder_ + "/Pixkura.ini");

  std::string expected = "[Pixkura]\r\n";
  for (const std::string_view name : EditorSettingsWriteOrder()) {
    const auto& decl = *std::find_if(EditorSettingDecls().begin(), EditorSettingDecls().end(),
                                     [&](const TEditorSettingDecl& d) { return d.Name == name; });
    TRegFiler& filer = regM.Filer(std::string(name));
    if (decl.Kind == TEditorSettingKind::skBoolean) {
      const bool value = filer.AsBoolean();
      regM.Filer(std::string(name)).SetAsBoolean(value);
      expected += std::string(decl.Ident) + "=" + (value ? "1" : "0") + "\r\n";
    } else {
      const int32_t value = filer.AsInteger();
      regM.Filer(std::string(name)).SetAsInteger(value);
      expected += std::string(decl.Ident) + "=" + std::to_string(value) + "\r\n";
    }
  }
  EXPECT_TRUE(messages.empty());
  std::ifstream in(regM.IniFileName(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // The key of the undo depth stands in code page 932 with the value 15.
  EXPECT_NE(bytes.find("\r\n\x83\x41\x83\x93\x83\x68\x83\x44\x89\xF1\x90\x94=15\r\n"), std::string::npos);
  TIniFile ini(regM.IniFileName());
  EXPECT_EQ(ini.ReadString("Pixkura", "グリッド", ""), "1");
  EXPECT_EQ(ini.ReadString("Pixkura", "通常表示枠", ""), "0");
  EXPECT_EQ(ini.ReadString("Pixkura", "透明色", ""), "255");
  const std::string text = ShiftJisToUtf8(bytes);
  EXPECT_EQ(text, expected);
  EXPECT_EQ(text.find("レイヤー有効"), std::string::npos);
  EXPECT_EQ(text.find("四分割レイヤー"), std::string::npos);
}

}  // namespace
}  // namespace pixkura
