#include "settings/RegMng.h"

#include <algorithm>
#include <iostream>
#include <utility>

#include "base/Exception.h"
#include "settings/ColorText.h"
#include "settings/IntegerText.h"
#include "settings/TextCase.h"

namespace pixkura {
namespace {

constexpr size_t kBinaryBytesPerLine = 32;

std::string HexLine(const uint8_t* bytes, size_t count) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string line;
  line.reserve(count * 2);
  for (size_t i = 0; i < count; ++i) {
    line += kDigits[bytes[i] >> 4];
    line += kDigits[bytes[i] & 0x0F];
  }
  return line;
}

// Two characters at a time, each pair read as "$" + pair with fallback 0; a
// lone last character is one hex digit.
void DecodeHexLine(std::string_view line, std::vector<uint8_t>& out) {
  for (size_t i = 0; i < line.size(); i += 2) {
    const std::string pair = "$" + std::string(line.substr(i, 2));
    out.push_back(static_cast<uint8_t>(StrToIntDef(pair, 0)));
  }
}

// A count read from the file, limited to what the section can hold: entries
// beyond its keys could only be empty, and a damaged count must not make the
// reader allocate or loop without bound.
size_t StoredCount(int32_t count, size_t keysInSection) {
  return count <= 0 ? 0 : std::min(static_cast<size_t>(count), keysInSection);
}

}  // namespace

// TRegItem -------------------------------------------------------------------

void TRegItem::Assign(const TRegItem& source) {
  Name = source.Name;
  Section = source.Section;
  Ident = source.Ident;
  DefaultValue = source.DefaultValue;
}

// TRegItems ------------------------------------------------------------------

TRegItem& TRegItems::Add() { return *items_.emplace_back(std::make_unique<TRegItem>()); }

TRegItem& TRegItems::Add(std::string Name, std::string Section, std::string Ident, std::string DefaultValue) {
  TRegItem& item = Add();
  item.Name = std::move(Name);
  item.Section = std::move(Section);
  item.Ident = std::move(Ident);
  item.DefaultValue = std::move(DefaultValue);
  return item;
}

TRegItem& TRegItems::GetItem(int Index) {
  return const_cast<TRegItem&>(static_cast<const TRegItems&>(*this).GetItem(Index));
}

const TRegItem& TRegItems::GetItem(int Index) const {
  if (Index < 0 || Index >= Count()) {
    throw ERangeError("List index out of bounds (" + std::to_string(Index) + ")");
  }
  return *items_[static_cast<size_t>(Index)];
}

void TRegItems::SetItem(int Index, const TRegItem& Item) { GetItem(Index).Assign(Item); }

TRegItem* TRegItems::FindItem(std::string_view Name) {
  for (const auto& item : items_) {
    if (SameText(item->Name, Name)) return item.get();
  }
  return nullptr;
}

// TRegFiler: opening the store -------------------------------------------------

std::optional<TIniFile> TRegFiler::CreateIniFile() {
  if (manager_.IniFileName().empty() || manager_.RegType() != TRegType::rtIni) {
    manager_.ShowMessage("can not create Inifile object.");
    return std::nullopt;
  }
  return TIniFile(manager_.IniFileName());
}

bool TRegFiler::CreateRegistry() {
  manager_.ShowMessage("can not create Registry object.");
  return false;
}

std::optional<TIniFile> TRegFiler::OpenStore() {
  if (manager_.RegType() == TRegType::rtReg) {
    CreateRegistry();
    return std::nullopt;
  }
  return CreateIniFile();
}

class TRegFiler::TGroupReader {
 public:
  explicit TGroupReader(std::optional<TIniFile::TSection> section) : section_(std::move(section)) {}
  std::string ReadString(const std::string& ident, const std::string& def) const {
    return section_ ? section_->ReadString(ident, def) : def;
  }
  size_t KeyCount() const { return section_ ? section_->KeyCount() : 0; }

 private:
  std::optional<TIniFile::TSection> section_;
};

TRegFiler::TGroupReader TRegFiler::OpenGroupReader(const std::string& Section) {
  if (Section.empty()) return TGroupReader(std::nullopt);
  const auto ini = OpenStore();
  if (!ini) return TGroupReader(std::nullopt);
  return TGroupReader(ini->ReadSection(Section));
}

// TRegFiler: strings ---------------------------------------------------------------

std::string TRegFiler::ReadString(const std::string& Section, const std::string& Ident,
                                  const std::string& Default) {
  if (Section.empty() || Ident.empty()) return Default;
  const auto ini = OpenStore();
  return ini ? ini->ReadString(Section, Ident, Default) : Default;
}

void TRegFiler::Update(const std::function<void(TIniFile::TUpdate&)>& sets) {
  if (update_) {
    sets(*update_);
    return;
  }
  const auto ini = OpenStore();
  if (!ini) return;
  TIniFile::TUpdate update = ini->BeginUpdate();
  sets(update);
  update.Save();
}

void TRegFiler::WriteTogether(const std::function<void()>& writes) {
  Update([&](TIniFile::TUpdate& update) {
    // Restored however writes ends, so that a failed batch leaves later
    // writes to open the store themselves.
    struct TRestore {
      TIniFile::TUpdate*& slot;
      TIniFile::TUpdate* outer;
      ~TRestore() { slot = outer; }
    } restore{update_, std::exchange(update_, &update)};
    writes();
  });
}

void TRegFiler::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
  if (Section.empty() || Ident.empty()) return;
  Update([&](TIniFile::TUpdate& update) { update.WriteString(Section, Ident, Value); });
}

std::string TRegFiler::AsString() {
  return item_ ? ReadString(item_->Section, item_->Ident, item_->DefaultValue) : std::string();
}

void TRegFiler::SetAsString(const std::string& Value) {
  if (item_) WriteString(item_->Section, item_->Ident, Value);
}

// TRegFiler: numbers -------------------------------------------------------------

int32_t TRegFiler::AsInteger() {
  return item_ ? StrToIntDef(ReadString(item_->Section, item_->Ident, item_->DefaultValue), 0) : 0;
}

void TRegFiler::SetAsInteger(int32_t Value) {
  if (item_) WriteString(item_->Section, item_->Ident, std::to_string(Value));
}

bool TRegFiler::AsBoolean() {
  if (!item_) return false;
  const std::string& d = item_->DefaultValue;
  const bool defaultTrue = SameText(d, "1") || SameText(d, "TRUE") || SameText(d, "YES");
  const int32_t stored = StrToIntDef(ReadString(item_->Section, item_->Ident, defaultTrue ? "1" : "0"), 0);
  return (stored & 0xFF) != 0;
}

void TRegFiler::SetAsBoolean(bool Value) {
  if (item_) WriteString(item_->Section, item_->Ident, Value ? "1" : "0");
}

// TRegFiler: fonts ---------------------------------------------------------------

void TRegFiler::ReadFont(TFont& Font) {
  if (!item_) return;
  const TGroupReader reader = OpenGroupReader(item_->Section);
  const std::string& k = item_->Ident;
  Font.Name = reader.ReadString(k + "_FontName", Font.Name);
  Font.Size = StrToIntDef(reader.ReadString(k + "_FontSize", std::to_string(Font.Size)), Font.Size);
  Font.Color = StringToColor(reader.ReadString(k + "_FontColor", ColorToString(Font.Color)));
}

void TRegFiler::WriteFont(const TFont& Font) {
  if (!item_ || item_->Section.empty()) return;
  const std::string& k = item_->Ident;
  Update([&](TIniFile::TUpdate& update) {
    update.WriteString(item_->Section, k + "_FontName", Font.Name);
    update.WriteString(item_->Section, k + "_FontSize", std::to_string(Font.Size));
    update.WriteString(item_->Section, k + "_FontColor", ColorToString(Font.Color));
  });
}

// TRegFiler: string lists -----------------------------------------------------------

void TRegFiler::ReadStrings(std::vector<std::string>& List) {
  if (!item_) return;
  const TGroupReader reader = OpenGroupReader(item_->Section);
  const std::string& k = item_->Ident;
  List.clear();
  const size_t count =
      StoredCount(StrToIntDef(reader.ReadString(k + "_ItemCount", "0"), 0), reader.KeyCount());
  List.reserve(count);
  for (size_t i = 0; i < count; ++i) List.push_back(reader.ReadString(k + "_Item" + std::to_string(i), ""));
}

void TRegFiler::WriteStrings(const std::vector<std::string>& List) {
  if (!item_ || item_->Section.empty()) return;
  const std::string& k = item_->Ident;
  Update([&](TIniFile::TUpdate& update) {
    update.WriteString(item_->Section, k + "_ItemCount", std::to_string(List.size()));
    for (size_t i = 0; i < List.size(); ++i)
      update.WriteString(item_->Section, k + "_Item" + std::to_string(i), List[i]);
  });
}

// TRegFiler: binary values --------------------------------------------------------

void TRegFiler::ReadBinary(TStream& Stream) {
  if (!item_) return;
  const TGroupReader reader = OpenGroupReader(item_->Section);
  const std::string& k = item_->Ident;
  const size_t lines = StoredCount(StrToIntDef(reader.ReadString(k + "_c", "0"), 0), reader.KeyCount());
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < lines; ++i)
    DecodeHexLine(reader.ReadString(k + "_d" + std::to_string(i), ""), bytes);
  Stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TRegFiler::WriteBinary(TStream& Stream) {
  if (!item_) return;
  if (manager_.RegType() == TRegType::rtReg) {
    CreateRegistry();
    return;
  }
  Stream.SetPosition(0);
  std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(0, Stream.Size())));
  Stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  std::vector<std::string> lines;
  for (size_t at = 0; at < bytes.size(); at += kBinaryBytesPerLine) {
    lines.push_back(HexLine(bytes.data() + at, std::min(kBinaryBytesPerLine, bytes.size() - at)));
  }
  if (lines.empty() || item_->Section.empty()) return;
  const std::string& k = item_->Ident;
  Update([&](TIniFile::TUpdate& update) {
    update.WriteString(item_->Section, k + "_c", std::to_string(lines.size()));
    for (size_t i = 0; i < lines.size(); ++i)
      update.WriteString(item_->Section, k + "_d" + std::to_string(i), lines[i]);
  });
}

// TRegManager ------------------------------------------------------------------

TRegManager::TRegManager() = default;
TRegManager::~TRegManager() = default;

std::unique_ptr<TRegFiler> TRegManager::CreateFiler() { return std::make_unique<TRegFiler>(*this); }

TRegFiler& TRegManager::Filer(std::string_view Name) {
  if (!filer_) filer_ = CreateFiler();
  TRegItem* item = regItems_.FindItem(Name);
  if (!item) ShowMessage("[' " + std::string(Name) + " '] is invalid.");
  filer_->SetItem(item);
  return *filer_;
}

void TRegManager::WriteTogether(const std::function<void()>& writes) {
  if (!filer_) filer_ = CreateFiler();
  filer_->WriteTogether(writes);
}

void TRegManager::SetOnMessage(TMessageProc Proc) { onMessage_ = std::move(Proc); }

void TRegManager::ShowMessage(const std::string& Text) const {
  if (onMessage_) {
    onMessage_(Text);
  } else {
    std::cerr << Text << '\n';
  }
}

}  // namespace pixkura
