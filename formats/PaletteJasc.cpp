#include "formats/PaletteJasc.h"

#include "formats/PaletteTextReader.h"

namespace pixkura {

namespace {

constexpr std::string_view kVersion = "0100";

// The next line that is not blank; false at the end of the file.
bool NextFilledLine(TPaletteTextReader& reader, std::string_view& line) {
  while (reader.NextLine(line))
    if (!line.empty()) return true;
  return false;
}

// A file may list more colours than a palette holds: the first 256 are read,
// the rest counted as left out. The count is bounded so that a damaged one
// cannot make the reader wait for lines that never come in any real file.
constexpr size_t kMaxListed = 65536;

size_t ReadCount(TPaletteTextReader& reader) {
  std::string_view line;
  if (!reader.NextLine(line)) reader.FailAtEnd("色の数がありません");
  size_t count = 0;
  for (const char c : line) {
    if (c < '0' || c > '9' || count > kMaxListed) {
      count = 0;
      break;
    }
    count = count * 10 + static_cast<size_t>(c - '0');
  }
  if (count < 1 || count > kMaxListed)
    reader.Fail("色の数 \"" + QuoteWord(line) + "\" が 1〜65536 の数ではありません");
  return count;
}

}  // namespace

TPaletteColors DecodeJascPalette(std::span<const uint8_t> bytes, const std::string& fileName) {
  TPaletteTextReader reader(bytes, fileName);
  std::string_view line;
  if (!reader.NextLine(line) || line != kJascPaletteSignature)
    reader.Fail("最初の行が \"JASC-PAL\" ではありません");
  if (!reader.NextLine(line)) reader.FailAtEnd("版 \"0100\" がありません");
  if (line != kVersion) reader.Fail("版が \"0100\" ではありません");
  const size_t count = ReadCount(reader);
  TPaletteColors colors;
  for (size_t listed = 0; listed < count; ++listed) {
    if (!NextFilledLine(reader, line))
      reader.FailAtEnd("色の数 " + std::to_string(count) + " に対して色が " + std::to_string(listed) +
                       " しかありません");
    const TColor color = reader.TakeRGB(line);
    if (!line.empty()) reader.SkipAlpha(line);  // some writers add alpha as a fourth value
    if (!line.empty()) reader.Fail("色の行に赤・緑・青とアルファのほかの値があります");
    reader.Add(colors, color);
  }
  if (NextFilledLine(reader, line))
    reader.Fail("色の数 " + std::to_string(count) + " より多くの行があります");
  return colors;
}

std::vector<uint8_t> EncodeJascPalette(const TPaletteColors& colors) {
  std::string text = std::string(kJascPaletteSignature) + "\r\n" + std::string(kVersion) + "\r\n" +
                     std::to_string(colors.Count()) + "\r\n";
  for (const TColor c : colors.Colors()) {
    text += std::to_string(GetRValue(c)) + ' ' + std::to_string(GetGValue(c)) + ' ' +
            std::to_string(GetBValue(c)) + "\r\n";
  }
  return {text.begin(), text.end()};
}

}  // namespace pixkura
