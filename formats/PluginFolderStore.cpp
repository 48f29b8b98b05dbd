#include "formats/PluginFolderStore.h"

#include <cstdlib>
#include <fstream>

#include "base/UserFolders.h"
#include "formats/PictureRegistry.h"

namespace pixkura {
namespace {

// The store holds one short line; anything larger is no store of ours.
constexpr std::streamsize kMaxStoreBytes = 64 * 1024;

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string PluginFolderStoreFile() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const std::string folder = UserConfigFolder(xdg ? xdg : "", home ? home : "");
  return folder.empty() ? std::string() : folder + "/susie.conf";
}

std::string ParsePluginFolderStore(std::string_view text) {
  while (!text.empty()) {
    const size_t eol = text.find('\n');
    const std::string_view line = Trim(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    if (line.empty() || line.front() == '#' || line.front() == ';') continue;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    if (SameTextAscii(Trim(line.substr(0, eq)), "Path")) return std::string(Trim(line.substr(eq + 1)));
  }
  return {};
}

std::string ReadPluginFolderStore() {
  const std::string file = PluginFolderStoreFile();
  if (file.empty()) return {};
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  std::string text(static_cast<size_t>(kMaxStoreBytes), '\0');
  in.read(text.data(), kMaxStoreBytes);
  text.resize(static_cast<size_t>(in.gcount()));
  return ParsePluginFolderStore(text);
}

}  // namespace pixkura
