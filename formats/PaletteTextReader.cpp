#include "formats/PaletteTextReader.h"

#include <optional>

#include "formats/PaletteFileError.h"

namespace pixkura {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\v\f";
constexpr size_t kQuotedLength = 16;

std::string_view TrimBlanks(std::string_view s) {
  const size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// A decimal number of digits only whose value is at most 255.
std::optional<uint8_t> ParseComponent(std::string_view word) {
  if (word.empty()) return std::nullopt;
  unsigned value = 0;
  for (const char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > 255) return std::nullopt;
  }
  return static_cast<uint8_t>(value);
}

bool IsDigits(std::string_view word) {
  return word.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

TPaletteTextReader::TPaletteTextReader(std::span<const uint8_t> bytes, const std::string& fileName)
    : text_(reinterpret_cast<const char*>(bytes.data()), bytes.size()), fileName_(fileName) {
  if (text_.starts_with(kByteOrderMark)) pos_ = kByteOrderMark.size();
}

bool TPaletteTextReader::NextLine(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  const size_t end = text_.find_first_of("\r\n", pos_);
  const size_t stop = end == std::string_view::npos ? text_.size() : end;
  line = TrimBlanks(text_.substr(pos_, stop - pos_));
  pos_ = stop;
  if (stop < text_.size()) {
    pos_ = stop + 1;
    if (text_[stop] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  }
  ++line_;
  return true;
}

void TPaletteTextReader::Fail(const std::string& what) const {
  ThrowPaletteLineError(fileName_, line_, what);
}

void TPaletteTextReader::FailAtEnd(const std::string& what) const {
  ThrowPaletteLineError(fileName_, line_ + 1, what);
}

uint8_t TPaletteTextReader::TakeComponent(std::string_view& words, const char* missing) const {
  const std::string_view word = TakeWord(words);
  if (word.empty()) Fail(missing);
  const std::optional<uint8_t> value = ParseComponent(word);
  if (!value) {
    Fail(IsDigits(word) ? "色の値 " + QuoteWord(word) + " が 0〜255 の範囲にありません"
                        : "\"" + QuoteWord(word) + "\" は 0〜255 の数ではありません");
  }
  return *value;
}

TColor TPaletteTextReader::TakeRGB(std::string_view& words) const {
  static constexpr const char* kMissing = "赤・緑・青の三つの値 (0〜255) が必要です";
  const uint8_t r = TakeComponent(words, kMissing), g = TakeComponent(words, kMissing),
                b = TakeComponent(words, kMissing);
  return RGB(r, g, b);
}

void TPaletteTextReader::SkipAlpha(std::string_view& words) const {
  TakeComponent(words, "赤・緑・青とアルファの四つの値 (0〜255) が必要です");
}

void TPaletteTextReader::Add(TPaletteColors& colors, TColor color) const {
  if (colors.Full())
    colors.LeaveOut();
  else
    colors.Add(color);
}

void TPaletteTextReader::RequireColors(const TPaletteColors& colors) const {
  if (colors.Empty()) ThrowPaletteFileError(fileName_, "色が一つもありません");
}

std::string_view TakeWord(std::string_view& words) {
  const size_t first = words.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    words = {};
    return {};
  }
  const size_t end = words.find_first_of(kBlanks, first);
  const std::string_view word = words.substr(first, end == std::string_view::npos ? end : end - first);
  words = end == std::string_view::npos ? std::string_view() : words.substr(end);
  return word;
}

std::string QuoteWord(std::string_view word) {
  std::string quoted;
  for (const char c : word.substr(0, kQuotedLength)) quoted += c >= ' ' && c <= '~' ? c : '?';
  if (word.size() > kQuotedLength) quoted += "...";
  return quoted;
}

}  // namespace pixkura
