// The INI file of the settings store: private-profile reading and writing of
// single keys, with the file in code page 932 on disk and UTF-8 in memory.
//
// Nothing is cached: every call reads the file afresh, and every write
// replaces the whole file atomically and durably before it returns, so a
// failed or interrupted write leaves the previous file as it was. Many keys
// are written as one such replacement through an update (BeginUpdate).
#pragma once

#include <string>
#include <string_view>

#include "settings/IniDocument.h"

namespace pixkura {

class TIniFile {
 public:
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }

  // The value of ident in section, or def when the file, section or key is
  // missing or the file cannot be read.
  std::string ReadString(std::string_view section, std::string_view ident, std::string_view def) const;

  // Sets ident in section to value, creating the file and the section if
  // needed. Raises EFWriteError ("<file> に書き込めません") when the file
  // cannot be written; the file is then unchanged. Line breaks in the texts
  // become blanks and a NUL ends a text, so no write can add lines of its own.
  void WriteString(std::string_view section, std::string_view ident, std::string_view value) const;

  // Many keys set on a single reading of the file and written back as one
  // whole-file replacement, so a kill part way leaves all old or all new
  // values. Each set has WriteString's semantics, in memory.
  class TUpdate {
   public:
    void WriteString(std::string_view section, std::string_view ident, std::string_view value);
    // Replaces the file with the updated text, or leaves it untouched when no
    // set changed a byte. EFWriteError as WriteString raises it.
    void Save() const;

   private:
    friend class TIniFile;
    TUpdate(std::string fileName, std::string bytes);
    std::string fileName_;
    std::string original_;
    std::string text_;
  };
  // EFWriteError when a file is there but cannot be read: an update would
  // replace it by one holding only the keys set.
  TUpdate BeginUpdate() const;

  // Many keys of one section from a single reading of the file.
  class TSection {
   public:
    std::string ReadString(std::string_view ident, std::string_view def) const;
    // Number of distinct keys in the section: more values than this cannot
    // be stored in it.
    size_t KeyCount() const { return values_.KeyCount(); }

   private:
    friend class TIniFile;
    explicit TSection(TIniSectionValues values) : values_(std::move(values)) {}
    TIniSectionValues values_;
  };
  TSection ReadSection(std::string_view section) const;

 private:
  std::string fileName_;
};

}  // namespace pixkura
