// The import plug-in host: finds ".spi" shared objects, loads each as the
// class its declared kind calls for, keeps them in a list, registers the file
// types the picture-import plug-ins read, and tells the loader which plug-ins
// should try a file, in which order. The plug-in side of the contract is
// formats/SusiePlugin.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "formats/PictureRegistry.h"
#include "formats/SusiePlugin.h"

namespace pixkura {

PIXKURA_EXCEPTION(ESPIInvalidSPI, Exception);
PIXKURA_EXCEPTION(ESPIInvalidAPI, Exception);
PIXKURA_EXCEPTION(ESPIFOpenErrorSPI, Exception);
PIXKURA_EXCEPTION(ESPIDupCreateSPIs, Exception);

// Exports a plug-in may have; the host calls only the first five.
using SusieConfigurationDlgFn = int32_t (*)(intptr_t parent, int32_t fnc);
using SusieAnyFn = void (*)();

// Releases a library loaded with dlopen.
struct TLibraryCloser {
  void operator()(void* handle) const;
};
using TLibraryHandle = std::unique_ptr<void, TLibraryCloser>;

// Most file filters read from one plug-in. A plug-in that answers every
// info number would otherwise be asked forever; no real one has this many.
inline constexpr size_t kMaxSPIFilters = 256;

// One loaded plug-in file. The class says what it is for; the library stays
// loaded as long as the object lives.
class TSPI {
 public:
  // Loads fileName as a plug-in of unknown kind (only GetPluginInfo required).
  explicit TSPI(const std::string& fileName);
  virtual ~TSPI();
  TSPI(const TSPI&) = delete;
  TSPI& operator=(const TSPI&) = delete;

  virtual bool IsLoader() const { return false; }

  TLibraryHandle Handle;
  std::string FileName;  // canonical path of the loaded file
  std::string APIVersion;
  std::string PluginInfo;
  // At most kMaxSPIFilters pairs (info 2, 3, 4, 5, ...), whatever the plug-in answers.
  std::vector<std::string> Filters;
  std::vector<std::string> FilterNames;

  SusieGetPluginInfoFn GetPluginInfo = nullptr;
  SusieConfigurationDlgFn ConfigurationDlg = nullptr;
  SusieIsSupportedFn IsSupported = nullptr;
  SusieGetPictureInfoFn GetPictureInfo = nullptr;
  SusieGetPictureFn GetPicture = nullptr;
  SusieAnyFn GetPreview = nullptr;
  SusieAnyFn GetArchiveInfo = nullptr;
  SusieAnyFn GetFileInfo = nullptr;
  SusieAnyFn GetFile = nullptr;

 protected:
  // Every class states the exports it needs, in the order they are checked;
  // loading fails with ESPIInvalidAPI on the first one missing.
  enum class TExport {
    GetPluginInfo,
    IsSupported,
    GetPictureInfo,
    GetPicture,
    GetArchiveInfo,
    GetFileInfo,
    GetFile
  };
  TSPI(const std::string& fileName, std::initializer_list<TExport> required);

 private:
  void Load(const std::string& fileName, std::initializer_list<TExport> required);
  void LookUpExports();
  void CheckAPI(std::initializer_list<TExport> required) const;
  void ReadInfo();
  // Info n as text; empty when the plug-in has no such entry.
  std::string Info(int32_t n) const;
};

// The common part of the two reading kinds.
class TLoaderSPI : public TSPI {
 public:
  bool IsLoader() const override { return true; }

 protected:
  TLoaderSPI(const std::string& fileName, std::initializer_list<TExport> required)
      : TSPI(fileName, required) {}
};

// A picture-import plug-in ("00IN"), the only kind used for reading pictures.
class TInSPI : public TLoaderSPI {
 public:
  explicit TInSPI(const std::string& fileName);
};

// An archive plug-in ("00AM"); kept, never called.
class TAmSPI : public TLoaderSPI {
 public:
  explicit TAmSPI(const std::string& fileName);
};

// An export plug-in ("00XN"); kept, never called.
class TXnSPI : public TSPI {
 public:
  explicit TXnSPI(const std::string& fileName);
};

// A plug-in class as FindPlugins takes it: a test for "is an instance of".
struct TSPIClass {
  bool (*IsInstance)(const TSPI&);
};
template <typename T>
constexpr TSPIClass SPIClassOf() {
  return TSPIClass{[](const TSPI& spi) { return dynamic_cast<const T*>(&spi) != nullptr; }};
}

// Opens fileName as a plug-in of the class its API version asks for; null when
// it is no library, lacks an export its kind requires, or is otherwise no
// plug-in.
std::unique_ptr<TSPI> CreateSPI(const std::string& fileName);

enum class TSPISearchOption : uint8_t { spsSusieDir, spsAppDir, spsCurrentDir, spsSystemDir, spsWindowsDir };

// A set of search options.
class TSPISearchOptions {
 public:
  constexpr TSPISearchOptions() = default;
  constexpr TSPISearchOptions(std::initializer_list<TSPISearchOption> options) {
    for (const TSPISearchOption o : options) bits_ |= Bit(o);
  }
  constexpr bool Contains(TSPISearchOption o) const { return (bits_ & Bit(o)) != 0; }
  constexpr void Include(TSPISearchOption o) { bits_ |= Bit(o); }
  constexpr void Exclude(TSPISearchOption o) { bits_ &= static_cast<uint8_t>(~Bit(o)); }
  friend constexpr bool operator==(TSPISearchOptions, TSPISearchOptions) = default;

 private:
  static constexpr uint8_t Bit(TSPISearchOption o) {
    return static_cast<uint8_t>(1u << static_cast<unsigned>(o));
  }
  uint8_t bits_ = 0;
};

// Stand-ins for the platform's system folders, searched only when asked for:
// where a distribution package and where the administrator install plug-ins.
inline constexpr const char* kSystemPluginFolder = "/usr/lib/pixkura/plugins";
inline constexpr const char* kLocalPluginFolder = "/usr/local/lib/pixkura/plugins";

// The plug-in manager. One per program; it loads the plug-ins once, at start-up.
class TSPIs {
 public:
  using TSPISearchEvent = std::function<void(TSPIs& sender, TSPI& spi, bool& accept)>;
  using TSPISearchingEvent = std::function<void(TSPIs& sender, const std::string& fileName, bool& accept)>;
  using TSPIPictureRegisterEvent =
      std::function<void(TSPIs& sender, TSPI& spi, const std::string& extension,
                         const std::string& description, TGraphicClass& graphicClass)>;

  // ESPIDupCreateSPIs when another manager exists. File types go to registry.
  explicit TSPIs(TPictureRegistry& registry = GlobalPictureRegistry());
  ~TSPIs();
  TSPIs(const TSPIs&) = delete;
  TSPIs& operator=(const TSPIs&) = delete;

  bool AutoSearch = true;
  TSPISearchOptions SearchOptions{TSPISearchOption::spsSusieDir, TSPISearchOption::spsAppDir};
  TSPISearchEvent OnSearch;
  TSPISearchingEvent OnSearching;
  TSPIPictureRegisterEvent OnPictureRegister;

  // The owner has set the properties above: search with "*.spi" if AutoSearch.
  void Loaded();

  int32_t Count() const { return static_cast<int32_t>(list_.size()); }
  TSPI& Items(int32_t index) const;
  void Add(std::unique_ptr<TSPI> spi);
  void Insert(int32_t index, std::unique_ptr<TSPI> spi);
  void Delete(int32_t index);
  void Clear();
  // First plug-in whose FileName equals fileName, ASCII case ignored; -1 if none.
  int32_t IndexOf(const std::string& fileName) const;
  // Finds and loads plug-ins: in mask's folder when it names one, otherwise in
  // the folders SearchOptions select, with mask as the file-name pattern.
  void Search(const std::string& mask);
  // Appends the plug-ins that are instances of one of classes: those whose
  // filters claim fileName's extension first (latest loaded first), then the
  // others in list order.
  void FindPlugins(std::initializer_list<TSPIClass> classes, std::vector<TSPI*>& list,
                   const std::string& fileName) const;
  // The folders SearchOptions select, in search order, each ending in "/".
  std::vector<std::string> SearchFolders() const;

 private:
  void SearchFolder(const std::string& folder, const std::string& pattern);
  void RegisterFileTypes(TSPI& spi);

  TPictureRegistry& registry_;
  std::vector<std::unique_ptr<TSPI>> list_;
};

// The one manager, or null.
TSPIs* ActiveSPIs();

// The class registered for plug-in file extensions (the plug-in bitmap sets
// itself here when its library is linked); null registers nothing.
extern TGraphicClass DefaultGraphicClass;

}  // namespace pixkura
