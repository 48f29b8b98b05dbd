// The settings store: named settings declared as data and kept in an INI
// file, read and written by name through one accessor object, the filer.
//
// Each item names where its value lives (Section, Ident) and the text used
// when nothing is stored (DefaultValue). Code looks an item up with
// TRegManager::Filer(Name) and reads or writes it at once through the
// returned filer, which converts between the stored text and the kind asked
// for. The store is opened for every filer operation and closed again, so
// every write is on disk when it returns; writes made inside
// TRegManager::WriteTogether share one opening and reach the disk together.
//
// The registry back-end is not provided on this system: a manager whose
// RegType is rtReg behaves as a store that cannot be opened (it shows "can
// not create Registry object." and reads give their defaults).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Streams.h"
#include "settings/Font.h"
#include "settings/IniFile.h"

namespace pixkura {

enum class TRegType { rtReg, rtIni };

class TRegItem {
 public:
  std::string Name;          // how code refers to the setting
  std::string Section;       // where it is stored
  std::string Ident;         // the key in Section
  std::string DefaultValue;  // the text used when nothing is stored

  void Assign(const TRegItem& source);
};

class TRegItems {
 public:
  virtual ~TRegItems() = default;

  // Appends an empty item or one with the given properties; the reference
  // stays valid for the life of the collection.
  TRegItem& Add();
  TRegItem& Add(std::string Name, std::string Section, std::string Ident, std::string DefaultValue);
  int Count() const { return static_cast<int>(items_.size()); }

  // ERangeError for an index outside 0 .. Count()-1.
  virtual TRegItem& GetItem(int Index);
  const TRegItem& GetItem(int Index) const;
  // Copies Item's properties into the item at Index.
  virtual void SetItem(int Index, const TRegItem& Item);
  // The first item whose Name equals Name ignoring the case of ASCII letters,
  // or none.
  virtual TRegItem* FindItem(std::string_view Name);

 private:
  std::vector<std::unique_ptr<TRegItem>> items_;
};

class TRegManager;

class TRegFiler {
 public:
  explicit TRegFiler(TRegManager& Manager) : manager_(Manager) {}
  virtual ~TRegFiler() = default;
  TRegFiler(const TRegFiler&) = delete;
  TRegFiler& operator=(const TRegFiler&) = delete;

  // The item every operation below acts on; none makes reads give the empty
  // value of their kind (or leave their argument alone) and writes do nothing.
  TRegItem* Item() const { return item_; }
  void SetItem(TRegItem* Item) { item_ = Item; }
  TRegManager& Manager() const { return manager_; }

  virtual std::string AsString();
  virtual void SetAsString(const std::string& Value);
  // Stored text through the lenient integer conversion, 0 for other text
  // (a non-numeric default also gives 0). Written in decimal.
  virtual int32_t AsInteger();
  virtual void SetAsInteger(int32_t Value);
  // True when the stored number's low 8 bits are not all zero; only numbers
  // count ("TRUE" stored reads false). A default of "1", "TRUE" or "YES" in
  // any case stands for 1, any other for 0. Written as "1" or "0".
  virtual bool AsBoolean();
  virtual void SetAsBoolean(bool Value);

  // Default when Section or Ident is empty, the store cannot be opened or
  // holds no such value. A value read from the INI file has at most 2047
  // bytes in the file's encoding.
  virtual std::string ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default);
  // Nothing when Section or Ident is empty. EFWriteError when the INI file
  // cannot be written.
  virtual void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);

  // Keys Ident + "_FontName", "_FontSize", "_FontColor"; the font's current
  // values are the defaults. EConvertError when the colour text is neither a
  // colour name nor a number.
  virtual void ReadFont(TFont& Font);
  virtual void WriteFont(const TFont& Font);

  // Keys Ident + "_ItemCount" and Ident + "_Item" + i. A shorter list written
  // later leaves the entries beyond it in the file.
  virtual void ReadStrings(std::vector<std::string>& List);
  virtual void WriteStrings(const std::vector<std::string>& List);

  // Keys Ident + "_c" (number of lines) and Ident + "_d" + i, each line up
  // to 32 bytes as upper-case hex. Read bytes are written to Stream at its
  // position; a write takes the whole stream from its start. An empty stream
  // writes nothing.
  virtual void ReadBinary(TStream& Stream);
  virtual void WriteBinary(TStream& Stream);

  // Runs writes, whose filer writes then go into one opening of the store,
  // written back once as a whole and not at all when no value changed. A
  // store that cannot be opened shows its message once and runs nothing.
  // EFWriteError as a single write raises it; the file is then unchanged.
  void WriteTogether(const std::function<void()>& writes);

 protected:
  // The INI file for one operation, or none after showing "can not create
  // Inifile object." (no file name, or the manager is not set to rtIni).
  std::optional<TIniFile> CreateIniFile();
  // The registry is not provided: shows "can not create Registry object."
  // and gives false.
  bool CreateRegistry();
  // The store of the manager's RegType for one operation, or none (with the
  // message shown).
  std::optional<TIniFile> OpenStore();

 private:
  // Reads of several keys of one section from a single opening of the store.
  class TGroupReader;
  TGroupReader OpenGroupReader(const std::string& Section);
  // Applies sets to the update under way, or to one opening of the store
  // written back at once.
  void Update(const std::function<void(TIniFile::TUpdate&)>& sets);

  TRegItem* item_ = nullptr;
  TIniFile::TUpdate* update_ = nullptr;  // the update of WriteTogether while it runs
  TRegManager& manager_;
};

class TRegManager {
 public:
  using TMessageProc = std::function<void(const std::string&)>;

  TRegManager();
  virtual ~TRegManager();
  TRegManager(const TRegManager&) = delete;
  TRegManager& operator=(const TRegManager&) = delete;

  const std::string& IniFileName() const { return iniFileName_; }
  void SetIniFileName(std::string Value) { iniFileName_ = std::move(Value); }
  const std::string& RegDir() const { return regDir_; }
  void SetRegDir(std::string Value) { regDir_ = std::move(Value); }
  TRegItems& RegItems() { return regItems_; }
  const TRegItems& RegItems() const { return regItems_; }
  TRegType RegType() const { return regType_; }
  void SetRegType(TRegType Value) { regType_ = Value; }

  // The one filer of this manager with the item called Name as its current
  // item. An unknown name shows "[' " + Name + " '] is invalid." and leaves
  // the filer without an item. Read or write through the result at once: the
  // next call moves the same filer to another item.
  TRegFiler& Filer(std::string_view Name);
  // The filer's WriteTogether: many settings written as one replacement of the file.
  void WriteTogether(const std::function<void()>& writes);

  // Where the store's error messages go (a message box in the window). By
  // default they are written to standard error.
  void SetOnMessage(TMessageProc Proc);
  void ShowMessage(const std::string& Text) const;

 protected:
  // Makes the filer; a derived manager may return a derived filer. Called on
  // the first use of the filer rather than in the constructor, so that a
  // derived class's override is the one that runs.
  virtual std::unique_ptr<TRegFiler> CreateFiler();

 private:
  std::string iniFileName_;
  std::string regDir_;
  TRegType regType_ = TRegType::rtReg;
  TMessageProc onMessage_;
  std::unique_ptr<TRegFiler> filer_;  // declared before the items: destroyed after them
  TRegItems regItems_;
};

}  // namespace pixkura
