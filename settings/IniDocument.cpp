#include "settings/IniDocument.h"

#include <algorithm>

#include "settings/ShiftJis.h"
#include "settings/TextCase.h"

namespace pixkura {
namespace {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Steps over one character: two bytes for a lead byte with its trail byte.
size_t CharLength(std::string_view s, size_t i) {
  return IsShiftJisLeadByte(static_cast<uint8_t>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// Position of the first single-byte c, skipping two-byte characters whose
// trail byte happens to equal c ("]" is a valid trail byte).
size_t FindSingleByte(std::string_view s, char c) {
  for (size_t i = 0; i < s.size(); i += CharLength(s, i)) {
    if (s[i] == c) return i;
  }
  return std::string_view::npos;
}

std::string_view CutToMaxValueLength(std::string_view s) {
  if (s.size() <= kIniMaxValueLength) return s;
  size_t i = 0;
  while (i < s.size()) {
    const size_t step = CharLength(s, i);
    if (i + step > kIniMaxValueLength) break;
    i += step;
  }
  return s.substr(0, i);
}

std::string_view ValueOf(std::string_view raw) {
  std::string_view v = Trim(raw);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return CutToMaxValueLength(v);
}

// One physical line: text without its line end, and where it lies.
struct TLine {
  std::string_view text;
  size_t begin = 0;
  size_t textEnd = 0;  // offset just past the text
  size_t end = 0;      // offset just past the line end
  bool hasLineEnd = false;
};

class TLineReader {
 public:
  explicit TLineReader(std::string_view text) : text_(text) {}
  bool Next(TLine& line) {
    if (pos_ >= text_.size()) return false;
    const size_t lf = text_.find('\n', pos_);
    line.begin = pos_;
    line.hasLineEnd = lf != std::string_view::npos;
    line.end = line.hasLineEnd ? lf + 1 : text_.size();
    line.textEnd = line.hasLineEnd ? lf : text_.size();
    if (line.textEnd > line.begin && text_[line.textEnd - 1] == '\r') --line.textEnd;
    line.text = text_.substr(line.begin, line.textEnd - line.begin);
    pos_ = line.end;
    return true;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

enum class TLineKind { kOther, kSection, kKey };

struct TParsedLine {
  TLineKind kind = TLineKind::kOther;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // raw text after "=" (key lines)
};

TParsedLine ParseLine(std::string_view text) {
  const std::string_view t = Trim(text);
  TParsedLine parsed;
  if (t.empty() || t.front() == ';') return parsed;
  if (t.front() == '[') {
    const std::string_view inner = t.substr(1);
    const size_t close = FindSingleByte(inner, ']');
    if (close != std::string_view::npos) {
      parsed.kind = TLineKind::kSection;
      parsed.name = Trim(inner.substr(0, close));
    }
    return parsed;
  }
  // "=" lies below every trail byte, so a plain search is safe.
  const size_t eq = t.find('=');
  if (eq == std::string_view::npos) return parsed;
  parsed.kind = TLineKind::kKey;
  parsed.name = Trim(t.substr(0, eq));
  parsed.value = t.substr(eq + 1);
  return parsed;
}

// Calls onKey(parsedLine, line) for every key line of the first section
// named section; stops early when onKey returns true. Returns whether the
// section was found, and in lastLine the last non-blank line of it.
template <typename OnKey>
bool ForEachKeyOfSection(std::string_view text, std::string_view foldedSection, OnKey onKey,
                         TLine* lastLine = nullptr) {
  TLineReader reader(text);
  TLine line;
  bool inSection = false;
  while (reader.Next(line)) {
    const TParsedLine parsed = ParseLine(line.text);
    if (parsed.kind == TLineKind::kSection) {
      if (inSection) return true;
      inSection = FoldIniName(parsed.name) == foldedSection;
      if (inSection && lastLine) *lastLine = line;
      continue;
    }
    if (!inSection) continue;
    if (lastLine && !Trim(line.text).empty()) *lastLine = line;
    if (parsed.kind == TLineKind::kKey && onKey(parsed, line)) return true;
  }
  return inSection;
}

}  // namespace

std::string FoldIniName(std::string_view name) {
  std::string folded(Trim(name));
  for (size_t i = 0; i < folded.size(); i += CharLength(folded, i)) {
    folded[i] = AsciiLower(folded[i]);
  }
  return folded;
}

std::optional<std::string_view> FindIniValue(std::string_view text, std::string_view section,
                                             std::string_view key) {
  const std::string foldedKey = FoldIniName(key);
  std::optional<std::string_view> found;
  ForEachKeyOfSection(text, FoldIniName(section), [&](const TParsedLine& parsed, const TLine&) {
    if (FoldIniName(parsed.name) != foldedKey) return false;
    found = ValueOf(parsed.value);
    return true;
  });
  return found;
}

std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
  const std::string foldedKey = FoldIniName(key);
  std::optional<TLine> keyLine;
  std::string_view keyName;
  TLine last;
  const bool sectionFound = ForEachKeyOfSection(
      text, FoldIniName(section),
      [&](const TParsedLine& parsed, const TLine& line) {
        if (FoldIniName(parsed.name) != foldedKey) return false;
        keyLine = line;
        keyName = parsed.name;
        return true;
      },
      &last);

  std::string out;
  out.reserve(text.size() + section.size() + key.size() + value.size() + 8);
  if (keyLine) {
    // Indentation and the name's spelling stay; the rest of the line is new.
    const size_t nameBegin = static_cast<size_t>(keyName.data() - text.data());
    out.append(text.substr(0, nameBegin)).append(keyName).append("=").append(value);
    out.append(text.substr(keyLine->textEnd));
    return out;
  }
  const std::string newLine = std::string(Trim(key)) + "=" + std::string(value) + "\r\n";
  if (sectionFound) {
    out.append(text.substr(0, last.end));
    if (!last.hasLineEnd) out.append("\r\n");
    out.append(newLine).append(text.substr(last.end));
    return out;
  }
  out.append(text);
  if (!out.empty() && out.back() != '\n') out.append("\r\n");
  out.append("[").append(Trim(section)).append("]\r\n").append(newLine);
  return out;
}

TIniSectionValues::TIniSectionValues(std::string text, std::string_view section) : text_(std::move(text)) {
  const std::string_view all = text_;
  ForEachKeyOfSection(all, FoldIniName(section), [&](const TParsedLine& parsed, const TLine&) {
    const std::string_view value = ValueOf(parsed.value);
    entries_.push_back(
        Entry{FoldIniName(parsed.name), static_cast<size_t>(value.data() - all.data()), value.size()});
    return false;
  });
  // The first line of a name wins, as in a front-to-back search.
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const Entry& a, const Entry& b) { return a.folded < b.folded; });
  entries_.erase(std::unique(entries_.begin(), entries_.end(),
                             [](const Entry& a, const Entry& b) { return a.folded == b.folded; }),
                 entries_.end());
}

std::optional<std::string_view> TIniSectionValues::Find(std::string_view key) const {
  const std::string folded = FoldIniName(key);
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), folded,
                                   [](const Entry& e, const std::string& k) { return e.folded < k; });
  if (it == entries_.end() || it->folded != folded) return std::nullopt;
  return std::string_view(text_).substr(it->valueBegin, it->valueLength);
}

}  // namespace pixkura
