// Reading the text palette formats line by line: lines end in LF, CRLF or CR,
// a UTF-8 byte-order mark before the first line is skipped, words are
// separated by spaces and tabs. Faults are raised at the line being read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/Color.h"
#include "formats/PaletteColors.h"

namespace pixkura {

class TPaletteTextReader {
 public:
  TPaletteTextReader(std::span<const uint8_t> bytes, const std::string& fileName);

  // The next line without its end and without blanks at either end; false
  // after the last line.
  bool NextLine(std::string_view& line);
  // The number of the line NextLine returned last (1 for the first).
  size_t LineNumber() const { return line_; }

  // EPaletteFileError at the current line.
  [[noreturn]] void Fail(const std::string& what) const;
  // EPaletteFileError at the line after the last, for a file that ends too soon.
  [[noreturn]] void FailAtEnd(const std::string& what) const;

  // Takes the three decimal components red, green and blue (0 to 255) off
  // the front of words; whatever follows them is left in words.
  TColor TakeRGB(std::string_view& words) const;
  // Takes the alpha component (0 to 255) that follows red, green and blue
  // in the four-channel forms. The palette has no transparency: the value is
  // checked and dropped, so a fully transparent entry is still a colour.
  void SkipAlpha(std::string_view& words) const;
  // Appends color; one beyond the 256th is counted as left out.
  void Add(TPaletteColors& colors, TColor color) const;
  // A palette that ended without any colour is a fault of the whole file.
  void RequireColors(const TPaletteColors& colors) const;

 private:
  // One component off the front of words; missing is the fault when none is left.
  uint8_t TakeComponent(std::string_view& words, const char* missing) const;

  std::string_view text_;
  size_t pos_ = 0;
  size_t line_ = 0;
  const std::string& fileName_;
};

// The next run of non-blank characters of words, taken off its front (empty
// when none is left).
std::string_view TakeWord(std::string_view& words);

// A word as it can safely stand in a message: printable ASCII only, at most
// a few characters.
std::string QuoteWord(std::string_view word);

}  // namespace pixkura
