#include "settings/IniDocument.h"

#include <gtest/gtest.h>

namespace pixkura {
namespace {

std::optional<std::string> Find(std::string_view text, std::string_view section, std::string_view key) {
  const auto v = FindIniValue(text, section, key);
  return v ? std::optional<std::string>(std::string(*v)) : std::nullopt;
}

TEST(IniDocument, FindsValuesIgnoringCaseOfNames) {
  const std::string text = "[Main]\r\nTop=10\r\nleft = 20 \r\n[Other]\r\nTop=99\r\n";
  EXPECT_EQ(Find(text, "main", "TOP"), "10");
  EXPECT_EQ(Find(text, " MAIN ", "Left"), "20");
  EXPECT_EQ(Find(text, "Other", "top"), "99");
  EXPECT_EQ(Find(text, "Main", "Width"), std::nullopt);
  EXPECT_EQ(Find(text, "Missing", "Top"), std::nullopt);
  EXPECT_EQ(Find("", "Main", "Top"), std::nullopt);
}

TEST(IniDocument, FirstSectionAndFirstKeyWin) {
  const std::string text = "[A]\nk=1\nK=2\n[a]\nk=3\nj=4\n";
  EXPECT_EQ(Find(text, "A", "k"), "1");
  EXPECT_EQ(Find(text, "A", "j"), std::nullopt);
}

TEST(IniDocument, ValuesAreTrimmedAndUnquoted) {
  const std::string text =
      "[S]\n a = x y \t\nb=\"quoted \"\nc='single'\nd=\"mismatched'\ne=\"\nf=\ng==h\n  ;h=comment\nnokey\n";
  EXPECT_EQ(Find(text, "S", "a"), "x y");
  EXPECT_EQ(Find(text, "S", "b"), "quoted ");
  EXPECT_EQ(Find(text, "S", "c"), "single");
  EXPECT_EQ(Find(text, "S", "d"), "\"mismatched'");
  EXPECT_EQ(Find(text, "S", "e"), "\"");
  EXPECT_EQ(Find(text, "S", "f"), "");
  EXPECT_EQ(Find(text, "S", "g"), "=h");
  EXPECT_EQ(Find(text, "S", ";h"), std::nullopt);
  EXPECT_EQ(Find(text, "S", "nokey"), std::nullopt);
}

TEST(IniDocument, ReadsLfCrlfAndALastLineWithoutEnd) {
  EXPECT_EQ(Find("[S]\nk=lf", "S", "k"), "lf");
  EXPECT_EQ(Find("[S]\r\nk=crlf\r\n", "S", "k"), "crlf");
  EXPECT_EQ(Find("[S]", "S", "k"), std::nullopt);
}

TEST(IniDocument, ValueIsCutTo2047BytesNeverInsideATwoByteCharacter) {
  const std::string longAscii(3000, 'x');
  EXPECT_EQ(Find("[S]\nk=" + longAscii, "S", "k")->size(), 2047u);
  // 2046 single bytes and then a two-byte character: it does not fit whole.
  const std::string mixed = std::string(2046, 'y') + "\x8F\x63" + "zz";
  EXPECT_EQ(*Find("[S]\nk=" + mixed, "S", "k"), std::string(2046, 'y'));
}

TEST(IniDocument, TwoByteNamesWithBracketAndLetterTrailBytes) {
  // 0x81 0x5D ends in "]" and 0x83 0x41 in "A": neither is a single byte.
  const std::string section = "\x81\x5D";
  const std::string text = "[" + section + "]\n\x83\x41=1\n\x83\x61=2\n";
  EXPECT_EQ(Find(text, section, "\x83\x41"), "1");
  // ASCII folding must not touch the trail byte: 83 41 and 83 61 differ.
  EXPECT_EQ(Find(text, section, "\x83\x61"), "2");
  EXPECT_EQ(FoldIniName("\x83\x41X"), "\x83\x41x");
}

TEST(IniDocument, LeadBytesF0ToFCStartTwoByteCharactersToo) {
  // The user-defined characters and the extension kanji and Roman numerals
  // (0xFA40 small i, 0xFA5D, 0xFC4B the code page's last character).
  for (int lead = 0xF0; lead <= 0xFC; ++lead) {
    const std::string c(1, static_cast<char>(lead));
    SCOPED_TRACE(lead);
    EXPECT_EQ(FoldIniName(c + "AX"), c + "Ax");  // the trail byte is no letter
    const std::string section = c + "]";
    const std::string text = "[" + section + "]\n" + c + "A=1\n" + c + "a=2\n";
    EXPECT_EQ(Find(text, section, c + "A"), "1");
    EXPECT_EQ(Find(text, section, c + "a"), "2");
    EXPECT_EQ(Find(text, c, c + "A"), std::nullopt);  // "]" is no end of the name
    const std::string cut = std::string(2046, 'y') + c + "\x4B" + "zz";
    EXPECT_EQ(*Find("[S]\nk=" + cut, "S", "k"), std::string(2046, 'y'));
  }
}

TEST(IniDocument, UpdatesAnExistingKeyInPlaceKeepingItsSpelling) {
  const std::string text = "; head\n[Main]\nTop=1\nLeft=2\n[Next]\nTop=3\n";
  EXPECT_EQ(SetIniValue(text, "MAIN", "top", "42"), "; head\n[Main]\nTop=42\nLeft=2\n[Next]\nTop=3\n");
  EXPECT_EQ(SetIniValue("[S]\r\n  K = old \r\n", "s", "k", "new"), "[S]\r\n  K=new\r\n");
}

TEST(IniDocument, AppendsANewKeyAfterTheLastLineOfItsSection) {
  const std::string text = "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n";
  EXPECT_EQ(SetIniValue(text, "a", "z", "9"), "[A]\r\nx=1\r\nz=9\r\n\r\n[B]\r\ny=2\r\n");
  EXPECT_EQ(SetIniValue(text, "B", "z", "9"), "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\nz=9\r\n");
  EXPECT_EQ(SetIniValue("[A]", "A", "k", "v"), "[A]\r\nk=v\r\n");
  EXPECT_EQ(SetIniValue("[A]\nk=v", "A", "j", "w"), "[A]\nk=v\r\nj=w\r\n");
}

TEST(IniDocument, CreatesAMissingSectionAtTheEnd) {
  EXPECT_EQ(SetIniValue("", "Pixkura", "k", "15"), "[Pixkura]\r\nk=15\r\n");
  EXPECT_EQ(SetIniValue("[A]\nx=1", "B", "k", "v"), "[A]\nx=1\r\n[B]\r\nk=v\r\n");
  EXPECT_EQ(SetIniValue("junk\n", "B", "k", "v"), "junk\n[B]\r\nk=v\r\n");
}

TEST(IniDocument, WrittenValuesReadBack) {
  std::string text;
  for (int i = 0; i < 5; ++i) text = SetIniValue(text, "S", "k" + std::to_string(i), std::to_string(i * i));
  text = SetIniValue(text, "S", "K2", "changed");
  EXPECT_EQ(Find(text, "s", "k2"), "changed");
  EXPECT_EQ(Find(text, "s", "k4"), "16");
  TIniSectionValues values(text, "S");
  EXPECT_EQ(values.KeyCount(), 5u);
  EXPECT_EQ(values.Find("K2"), "changed");
  EXPECT_EQ(values.Find("k9"), std::nullopt);
}

TEST(IniDocument, SectionValuesKeepTheFirstOfDuplicateKeys) {
  TIniSectionValues values("[S]\nk=1\nK=2\nj = ' x '\n[S]\nk=3\n", "s");
  EXPECT_EQ(values.KeyCount(), 2u);
  EXPECT_EQ(values.Find("k"), "1");
  EXPECT_EQ(values.Find("J"), " x ");
}

}  // namespace
}  // namespace pixkura
