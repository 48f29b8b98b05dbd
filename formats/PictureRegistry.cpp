#include "formats/PictureRegistry.h"

#include <algorithm>

#include "image/IxDIB.h"

namespace pixkura {

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

std::string ExtractFileExt(std::string_view path) {
  // Only the file name counts: a dot in a folder name is no extension.
  const size_t slash = path.rfind('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

namespace {
std::string_view WithoutDot(std::string_view extension) {
  if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
  return extension;
}
}  // namespace

void TPictureRegistry::Register(std::string_view extension, std::string_view description,
                                TGraphicClass graphicClass) {
  extension = WithoutDot(extension);
  if (extension.empty() || !graphicClass) return;
  for (TPictureFormat& f : formats_) {
    if (SameTextAscii(f.Extension, extension)) {
      f = TPictureFormat{std::string(extension), std::string(description), graphicClass};
      return;
    }
  }
  formats_.push_back(TPictureFormat{std::string(extension), std::string(description), graphicClass});
}

void TPictureRegistry::UnregisterClass(TGraphicClass graphicClass) {
  std::erase_if(formats_, [&](const TPictureFormat& f) { return f.GraphicClass == graphicClass; });
}

const TPictureFormat* TPictureRegistry::Find(std::string_view extension) const {
  extension = WithoutDot(extension);
  const auto it = std::find_if(formats_.begin(), formats_.end(), [&](const TPictureFormat& f) {
    return SameTextAscii(f.Extension, extension);
  });
  return it == formats_.end() ? nullptr : &*it;
}

TGraphicClass TPictureRegistry::ClassForFile(std::string_view fileName) const {
  const std::string ext = ExtractFileExt(fileName);
  if (ext.empty()) return nullptr;
  const TPictureFormat* f = Find(ext);
  return f ? f->GraphicClass : nullptr;
}

TGraphicClass IxDIBGraphicClass() {
  static const TGraphicClassInfo info{"TIxDIB", [] { return std::unique_ptr<TGraphic>(new TIxDIB); }};
  return &info;
}

TPictureRegistry& GlobalPictureRegistry() {
  static TPictureRegistry registry = [] {
    TPictureRegistry r;
    r.Register("dib", "Device Independent Bitmap", IxDIBGraphicClass());
    return r;
  }();
  return registry;
}

}  // namespace pixkura
