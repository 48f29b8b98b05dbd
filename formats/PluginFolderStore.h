// The per-user key store that names the user's own plug-in folder, the
// stand-in for the plug-in key an image viewer keeps in the user's registry.
//
// File: $XDG_CONFIG_HOME/pixkura/susie.conf, or ~/.config/pixkura/susie.conf
// when XDG_CONFIG_HOME is unset, empty or not an absolute path. Text, one
// "Key=Value" per line; lines starting with "#" or ";" and lines without "="
// are ignored; blanks around key and value are dropped; the key is matched
// ignoring ASCII case; the first "Path" line counts. Example:
//
//   # Plug-in folder shared with my other viewers
//   Path=/home/me/spi
//
// No file, no Path line or an empty value: there is no such folder.
#pragma once

#include <string>
#include <string_view>

namespace pixkura {

// Full name of the key store file; empty when neither XDG_CONFIG_HOME nor HOME
// gives a configuration folder.
std::string PluginFolderStoreFile();
// The value of "Path" in the store's text; empty when there is none.
std::string ParsePluginFolderStore(std::string_view text);
// The plug-in folder the store names; empty when the file is missing or
// unreadable or names none. Read errors are not reported: the folder is then
// simply not searched.
std::string ReadPluginFolderStore();

}  // namespace pixkura
