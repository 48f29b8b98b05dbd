#include "formats/SaveDispatch.h"

#include <algorithm>
#include <cctype>

#include "formats/png.h"

namespace pixkura {

std::string FileExtension(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  const size_t dot = fileName.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return fileName.substr(dot);
}

namespace {
bool IsPNGExtension(const std::string& ext) {
  static constexpr char kPng[] = ".png";
  return ext.size() == 4 && std::equal(ext.begin(), ext.end(), kPng, [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         });
}
}  // namespace

bool IsPNGFileName(const std::string& fileName) { return IsPNGExtension(FileExtension(fileName)); }

void SavePicture(const std::string& fileName, const TIxDIB& bitmap, const TPNGOptions& png) {
  if (IsPNGFileName(fileName)) {
    SavePNG(fileName, bitmap, png);
  } else {
    bitmap.SaveToFile(fileName);
  }
}

}  // namespace pixkura
