// The per-user key store naming the user's own plug-in folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "formats/PluginFolderStore.h"
#include "tests/formats/support/TestPlugins.h"

namespace pixkura {
namespace {

TEST(SPIsStore, PathLineIsFoundAmongCommentsAndOtherKeys) {
  EXPECT_EQ(ParsePluginFolderStore("# my viewer\n; old\nName=x\n  path =  /opt/spi dir  \r\nPath=/second\n"),
            "/opt/spi dir");
  EXPECT_EQ(ParsePluginFolderStore("Path="), "");
  EXPECT_EQ(ParsePluginFolderStore("Path /no/equals\nPathX=/no\n"), "");
  EXPECT_EQ(ParsePluginFolderStore(""), "");
  EXPECT_EQ(ParsePluginFolderStore("Path=/last/line/without/newline"), "/last/line/without/newline");
}

class SPIsStoreEnv : public ::testing::Test {
 protected:
  void SetUp() override {
    Save("XDG_CONFIG_HOME", xdg_);
    Save("HOME", home_);
  }
  void TearDown() override {
    Restore("XDG_CONFIG_HOME", xdg_);
    Restore("HOME", home_);
  }

 private:
  struct Saved {
    bool set = false;
    std::string value;
  };
  static void Save(const char* name, Saved& s) {
    if (const char* v = std::getenv(name)) s = {true, v};
  }
  static void Restore(const char* name, const Saved& s) {
    if (s.set)
      ::setenv(name, s.value.c_str(), 1);
    else
      ::unsetenv(name);
  }
  Saved xdg_, home_;
};

TEST_F(SPIsStoreEnv, FileLivesUnderTheUsersConfigurationFolder) {
  ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
  ::setenv("HOME", "/home/u", 1);
  EXPECT_EQ(PluginFolderStoreFile(), "/cfg/pixkura/susie.conf");
  ::setenv("XDG_CONFIG_HOME", "relative/cfg", 1);  // not absolute: ignored
  EXPECT_EQ(PluginFolderStoreFile(), "/home/u/.config/pixkura/susie.conf");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(PluginFolderStoreFile(), "/home/u/.config/pixkura/susie.conf");
  ::unsetenv("HOME");
  EXPECT_EQ(PluginFolderStoreFile(), "");
  EXPECT_EQ(ReadPluginFolderStore(), "");
}

TEST_F(SPIsStoreEnv, MissingFileOrFolderInPlaceOfFileNamesNoFolder) {
  testing::TTempFolder config;
  ::setenv("XDG_CONFIG_HOME", config.Str().c_str(), 1);
  EXPECT_EQ(ReadPluginFolderStore(), "");
  std::filesystem::create_directories(config.Path() / "pixkura" / "susie.conf");
  EXPECT_EQ(ReadPluginFolderStore(), "");
  std::filesystem::remove(config.Path() / "pixkura" / "susie.conf");
  std::ofstream(config.File("pixkura/susie.conf")) << "Path=/srv/spi\n";
  EXPECT_EQ(ReadPluginFolderStore(), "/srv/spi");
}

}  // namespace
}  // namespace pixkura
