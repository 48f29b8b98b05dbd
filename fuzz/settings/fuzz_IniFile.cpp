// Reads arbitrary bytes as the settings file: the private-profile parser on
// its own, the INI file reader, and every read of the settings filer. Also
// checks that a key written into any text reads back as written.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "base/Exception.h"
#include "settings/IniDocument.h"
#include "settings/RegMng.h"
#include "settings/ShiftJis.h"

namespace {

using namespace pixkura;

const std::string& FuzzFileName() {
  // Memory-backed when possible: the file is rewritten for every input.
  static const std::string folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  static const std::string name = folder + "/fuzz_IniFile-" + std::to_string(::getpid()) + ".ini";
  return name;
}

TRegManager& Store() {
  static TRegManager regM;
  static const bool declared = [] {
    regM.SetOnMessage([](const std::string&) {});
    regM.SetRegType(TRegType::rtIni);
    regM.SetIniFileName(FuzzFileName());
    for (const char* name : {"Top", "Grid", "List", "Blob", "Font"})
      regM.RegItems().Add(name, "Pixkura", name, "1");
    regM.RegItems().Add("Undo", "Pixkura", "アンドゥ回数", "15");
    regM.RegItems().Add("Quoted", "\"S\"", "k", "True");
    std::atexit([] { ::unlink(FuzzFileName().c_str()); });
    return true;
  }();
  (void)declared;
  return regM;
}

void CheckWriteReadsBack(std::string_view text, std::string_view section, std::string_view key) {
  const std::string updated = SetIniValue(text, section, key, "v42");
  const auto value = FindIniValue(updated, section, key);
  if (!value || *value != "v42") std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  // The parser on the raw bytes, with fixed names and a name from the input.
  const std::string_view firstLine = text.substr(0, std::min(text.find('\n'), size_t{16}));
  (void)FindIniValue(text, "Pixkura", "Top");
  (void)FindIniValue(text, firstLine, firstLine);
  TIniSectionValues values{std::string(text), "Pixkura"};
  (void)values.Find("\x83\x41");
  (void)ShiftJisToUtf8(text);
  (void)Utf8ToShiftJis(text);
  CheckWriteReadsBack(text, "Pixkura", Utf8ToShiftJis("アンドゥ回数"));
  CheckWriteReadsBack(text, "S", "k");

  // Through the file and the filer.
  {
    std::ofstream out(FuzzFileName(), std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  TRegManager& regM = Store();
  (void)regM.Filer("Top").AsInteger();
  (void)regM.Filer("Grid").AsBoolean();
  (void)regM.Filer("Undo").AsString();
  (void)regM.Filer("Quoted").AsBoolean();
  std::vector<std::string> list;
  regM.Filer("List").ReadStrings(list);
  TMemoryStream stream;
  regM.Filer("Blob").ReadBinary(stream);
  TFont font;
  try {
    regM.Filer("Font").ReadFont(font);
  } catch (const EConvertError&) {
    // A colour that is no colour is the specified failure.
  }
  return 0;
}
