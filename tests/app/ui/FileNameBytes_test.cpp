// File names that are no UTF-8 keep their bytes from the command line, the
// file dialog and a drop.
#include "app/ui/FileNameBytes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

namespace pixkura {
namespace {

TEST(FileNameBytes, ALatin1NameKeepsItsBytes) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string folder = QFile::encodeName(dir.path()).toStdString();
  const std::string latin1 = folder + "/caf\xe9.bmp";
  std::ofstream(latin1) << "x";
  // The dialog shows the name decoded, U+FFFD in place of the byte.
  const QString shown = QFile::decodeName(QByteArray::fromStdString(latin1));
  EXPECT_EQ(FileNameOfChoice(shown), latin1);
  EXPECT_EQ(FileNameOfChoice(dir.path() + QStringLiteral("/café.bmp")), folder + "/caf\xc3\xa9.bmp");
  std::ofstream(folder + "/caf\xe8.bmp") << "x";  // now two names show alike: neither is taken
  EXPECT_EQ(FileNameOfChoice(shown), QFile::encodeName(shown).toStdString());

  EXPECT_EQ(FileNameOfUrl(QUrl::fromEncoded("file:///tmp/caf%E9%20%C3%A9.bmp")), "/tmp/caf\xe9 \xc3\xa9.bmp");
  EXPECT_EQ(FileNameOfUrl(QUrl::fromEncoded("https://example.org/a.bmp")), "");

  EXPECT_EQ(AbsoluteFileName("/a/./b/../caf\xe9.bmp"), "/a/caf\xe9.bmp");
  EXPECT_EQ(AbsoluteFileName("caf\xe9.bmp"), std::filesystem::current_path().string() + "/caf\xe9.bmp");
}

}  // namespace
}  // namespace pixkura
