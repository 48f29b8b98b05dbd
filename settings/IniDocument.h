// Private-profile text: the layout of an INI file, worked on in the file's
// own bytes (code page 932), so that lines the program does not touch are
// kept byte for byte, whatever they hold.
//
// A line "[S]" opens section S; a line "K=V" gives key K the value V; blank
// lines, lines starting with ";" and any other line are kept but carry no
// value. Section and key names match ignoring the case of ASCII letters
// (two-byte characters compare exactly); the first matching section and the
// first matching key in it count. Lines end in LF or CRLF when read; lines
// the program adds end in CRLF.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pixkura {

// The longest value a read returns, in bytes of the file.
inline constexpr size_t kIniMaxValueLength = 2047;

// name with blanks trimmed and ASCII letters lowered, for comparing names.
std::string FoldIniName(std::string_view name);

// The value of key in section: blanks around it trimmed, one pair of
// matching surrounding quotes removed, cut to kIniMaxValueLength bytes (never
// inside a two-byte character). None when the section or key is missing.
std::optional<std::string_view> FindIniValue(std::string_view text, std::string_view section,
                                             std::string_view key);

// text with key in section set to value: an existing key line is rewritten
// in place (its indentation and the spelling of its name stay), a new key goes after the last
// non-blank line of its section, a missing section is added at the end.
// Names and value must hold no line breaks (the caller sanitises them).
std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);

// Every key of one section, read in one pass, for readers that need many
// keys of the same section (lists, binary values).
class TIniSectionValues {
 public:
  TIniSectionValues(std::string text, std::string_view section);
  std::optional<std::string_view> Find(std::string_view key) const;
  // Key lines of the section (each distinct name counted once).
  size_t KeyCount() const { return entries_.size(); }

 private:
  struct Entry {
    std::string folded;
    size_t valueBegin;
    size_t valueLength;
  };
  std::string text_;
  std::vector<Entry> entries_;  // sorted by folded name
};

}  // namespace pixkura
