// The information strings a plug-in reports through GetPluginInfo.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace pixkura::spi {

// API version of a picture import plug-in.
inline constexpr std::string_view kImportApiVersion = "00IN";

// One file filter ("*.png", several joined by ";") and the name of its format.
// The host puts a plug-in first for a file whose extension is that of the
// last pattern of one of its filters, so the most common extension of a
// multi-pattern filter goes last ("*.jpeg;*.jpe;*.jpg").
struct TFormatEntry {
  std::string_view filter;
  std::string_view name;
};

struct TPluginDescription {
  std::string_view description;
  std::span<const TFormatEntry> formats;
};

// Copies text into buf, NUL-terminated, never more than buflen bytes in all.
// Returns the number of characters stored; 0 for a missing or empty buffer.
int32_t CopyInfoString(std::string_view text, char* buf, int32_t buflen);

// Info 0: the API version, 1: the description, 2 + 2i: filter i, 3 + 2i: its
// name. Returns 0 for an entry that does not exist.
int32_t GetInfoEntry(const TPluginDescription& plugin, int32_t infono, char* buf, int32_t buflen);

}  // namespace pixkura::spi
