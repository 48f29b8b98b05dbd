#include "formats/PaletteGimp.h"

#include <cstdio>

#include "formats/PaletteTextReader.h"

namespace pixkura {

namespace {

bool IsHeaderLine(std::string_view line) { return line.starts_with("Name:") || line.starts_with("Columns:"); }

constexpr std::string_view kChannels = "Channels:";

// Whether a "Channels:" line says the colour lines carry alpha after red,
// green and blue ("RGBA", written by newer versions of GIMP) or not ("RGB").
bool ChannelsHaveAlpha(const TPaletteTextReader& reader, std::string_view line) {
  line.remove_prefix(kChannels.size());
  const std::string_view channels = TakeWord(line);
  if (channels != "RGB" && channels != "RGBA")
    reader.Fail("チャンネル \"" + QuoteWord(channels) + "\" は RGB でも RGBA でもありません");
  return channels == "RGBA";
}

std::string OneLineName(std::string_view name) {
  std::string line;
  for (const char c : name) line += static_cast<unsigned char>(c) < ' ' || c == '\x7F' ? ' ' : c;
  return line.empty() ? "Pixkura" : line;
}

}  // namespace

TPaletteColors DecodeGimpPalette(std::span<const uint8_t> bytes, const std::string& fileName) {
  TPaletteTextReader reader(bytes, fileName);
  std::string_view line;
  if (!reader.NextLine(line) || line != kGimpPaletteSignature)
    reader.Fail("最初の行が \"GIMP Palette\" ではありません");
  TPaletteColors colors;
  bool alpha = false;
  while (reader.NextLine(line)) {
    if (line.empty() || line.starts_with('#') || IsHeaderLine(line)) continue;
    if (line.starts_with(kChannels)) {
      alpha = ChannelsHaveAlpha(reader, line);
      continue;
    }
    const TColor color = reader.TakeRGB(line);
    if (alpha) reader.SkipAlpha(line);
    reader.Add(colors, color);  // the rest of the line is the colour's name
  }
  reader.RequireColors(colors);
  return colors;
}

std::vector<uint8_t> EncodeGimpPalette(const TPaletteColors& colors, std::string_view name) {
  std::string text =
      std::string(kGimpPaletteSignature) + "\nName: " + OneLineName(name) + "\nColumns: 16\n#\n";
  for (size_t i = 0; i < colors.Count(); ++i) {
    const TColor c = colors[i];
    char line[48];
    std::snprintf(line, sizeof line, "%3u %3u %3u\tIndex %zu\n", unsigned{GetRValue(c)},
                  unsigned{GetGValue(c)}, unsigned{GetBValue(c)}, i);
    text += line;
  }
  return {text.begin(), text.end()};
}

}  // namespace pixkura
