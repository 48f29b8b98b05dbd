// The picture-format registry: which graphic class reads files of a given
// extension. The open dialog's preview asks it for the class of the selected
// file; the plug-in host registers every extension its import plug-ins read.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Graphic.h"

namespace pixkura {

// A graphic class: its name and how to make an empty instance. Classes are
// compared by identity, so each is one static object.
struct TGraphicClassInfo {
  std::string_view Name;
  std::unique_ptr<TGraphic> (*Create)();
};
using TGraphicClass = const TGraphicClassInfo*;

struct TPictureFormat {
  std::string Extension;  // without the dot, as registered
  std::string Description;
  TGraphicClass GraphicClass = nullptr;
};

class TPictureRegistry {
 public:
  // Registers ext (a leading dot is dropped) for graphicClass. A later
  // registration of the same extension, in any letter case, replaces the
  // earlier one. Empty extensions and null classes are ignored.
  void Register(std::string_view extension, std::string_view description, TGraphicClass graphicClass);
  // Removes every extension registered for graphicClass.
  void UnregisterClass(TGraphicClass graphicClass);
  // The entry for ext (with or without its leading dot, ASCII case ignored), or null.
  const TPictureFormat* Find(std::string_view extension) const;
  // The class for a file, chosen by the extension of its name; null when none.
  TGraphicClass ClassForFile(std::string_view fileName) const;
  // Every entry, in the order of first registration.
  const std::vector<TPictureFormat>& Formats() const { return formats_; }

 private:
  std::vector<TPictureFormat> formats_;
};

// The program-wide registry. It starts with the indexed bitmap's own format,
// "dib" ("Device Independent Bitmap"); plug-in file types join it when the
// plug-ins are found.
TPictureRegistry& GlobalPictureRegistry();
// The graphic class of TIxDIB, as the registry knows it.
TGraphicClass IxDIBGraphicClass();

// ASCII-only helpers shared by the registry and the plug-in host: file names
// and filter patterns are byte strings, never locale text.
std::string AsciiLower(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);
// The extension of a path's file name, from its last "." with the dot; empty
// when the file name has no dot.
std::string ExtractFileExt(std::string_view path);

}  // namespace pixkura
