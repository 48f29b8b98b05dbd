#include "plugins/common/SpiInfo.h"

#include <algorithm>
#include <cstring>

namespace pixkura::spi {

int32_t CopyInfoString(std::string_view text, char* buf, int32_t buflen) {
  if (buf == nullptr || buflen <= 0) return 0;
  const size_t room = static_cast<size_t>(buflen) - 1;  // one byte stays for the NUL
  const size_t n = std::min(text.size(), room);
  std::memcpy(buf, text.data(), n);
  buf[n] = '\0';
  return static_cast<int32_t>(n);
}

int32_t GetInfoEntry(const TPluginDescription& plugin, int32_t infono, char* buf, int32_t buflen) {
  if (infono == 0) return CopyInfoString(kImportApiVersion, buf, buflen);
  if (infono == 1) return CopyInfoString(plugin.description, buf, buflen);
  if (infono < 2) return 0;
  const size_t index = static_cast<size_t>(infono - 2) / 2;
  if (index >= plugin.formats.size()) return 0;
  const TFormatEntry& entry = plugin.formats[index];
  return CopyInfoString(infono % 2 == 0 ? entry.filter : entry.name, buf, buflen);
}

}  // namespace pixkura::spi
