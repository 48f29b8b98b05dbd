#include "formats/SPIs.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "base/ProgramFolder.h"
#include "formats/PluginFolderStore.h"

namespace pixkura {

TGraphicClass DefaultGraphicClass = nullptr;

void TLibraryCloser::operator()(void* handle) const {
  if (handle) ::dlclose(handle);
}

namespace {

TSPIs* gActiveSPIs = nullptr;

// The canonical form of an existing path; empty when it cannot be resolved.
std::string CanonicalPath(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

std::string WithTrailingSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

const char* ExportName(int index) {
  static constexpr const char* kNames[] = {"GetPluginInfo",  "IsSupported", "GetPictureInfo", "GetPicture",
                                           "GetArchiveInfo", "GetFileInfo", "GetFile"};
  return kNames[index];
}

template <typename Fn>
Fn Symbol(void* handle, const char* name) {
  return reinterpret_cast<Fn>(::dlsym(handle, name));
}

// The part of a filter string from its last "." on: only the last pattern of
// "*.jpg;*.jpeg" claims files, which is how the plug-in order has always been.
std::string_view LastExtensionOf(std::string_view filter) {
  const size_t dot = filter.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : filter.substr(dot);
}

bool ClaimsExtension(const TSPI& spi, const std::string& ext) {
  if (ext.empty()) return false;
  return std::any_of(spi.Filters.begin(), spi.Filters.end(),
                     [&](const std::string& f) { return SameTextAscii(LastExtensionOf(f), ext); });
}

}  // namespace

// TSPI --------------------------------------------------------------------------

TSPI::TSPI(const std::string& fileName) : TSPI(fileName, {TExport::GetPluginInfo}) {}

TSPI::TSPI(const std::string& fileName, std::initializer_list<TExport> required) { Load(fileName, required); }

TSPI::~TSPI() = default;

void TSPI::Load(const std::string& fileName, std::initializer_list<TExport> required) {
  // A bare name would send dlopen through the library search path instead of
  // to the file meant.
  const std::string path = fileName.find('/') == std::string::npos ? "./" + fileName : fileName;
  Handle.reset(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
  if (!Handle) throw ESPIFOpenErrorSPI(fileName + ":Susie Pluginがロードできませんでした");
  FileName = CanonicalPath(path);
  if (FileName.empty()) FileName = fileName;
  LookUpExports();
  CheckAPI(required);
  ReadInfo();
}

void TSPI::LookUpExports() {
  void* h = Handle.get();
  GetPluginInfo = Symbol<SusieGetPluginInfoFn>(h, "GetPluginInfo");
  ConfigurationDlg = Symbol<SusieConfigurationDlgFn>(h, "ConfigurationDlg");
  IsSupported = Symbol<SusieIsSupportedFn>(h, "IsSupported");
  GetPictureInfo = Symbol<SusieGetPictureInfoFn>(h, "GetPictureInfo");
  GetPicture = Symbol<SusieGetPictureFn>(h, "GetPicture");
  GetPreview = Symbol<SusieAnyFn>(h, "GetPreview");
  GetArchiveInfo = Symbol<SusieAnyFn>(h, "GetArchiveInfo");
  GetFileInfo = Symbol<SusieAnyFn>(h, "GetFileInfo");
  GetFile = Symbol<SusieAnyFn>(h, "GetFile");
}

void TSPI::CheckAPI(std::initializer_list<TExport> required) const {
  for (const TExport e : required) {
    bool present = false;
    switch (e) {
      case TExport::GetPluginInfo:
        present = GetPluginInfo != nullptr;
        break;
      case TExport::IsSupported:
        present = IsSupported != nullptr;
        break;
      case TExport::GetPictureInfo:
        present = GetPictureInfo != nullptr;
        break;
      case TExport::GetPicture:
        present = GetPicture != nullptr;
        break;
      case TExport::GetArchiveInfo:
        present = GetArchiveInfo != nullptr;
        break;
      case TExport::GetFileInfo:
        present = GetFileInfo != nullptr;
        break;
      case TExport::GetFile:
        present = GetFile != nullptr;
        break;
    }
    if (!present)
      throw ESPIInvalidAPI(std::string(ExportName(static_cast<int>(e))) + "は[" + FileName +
                           "]では使えないSusie Plugin APIです");
  }
}

std::string TSPI::Info(int32_t n) const {
  // The plug-in gets 255 bytes; the last byte of ours stays NUL whatever it writes.
  char buffer[256] = {};
  const int32_t stored = GetPluginInfo(n, buffer, 255);
  if (stored <= 0) return {};
  return std::string(buffer, ::strnlen(buffer, std::min<size_t>(static_cast<size_t>(stored), 255)));
}

void TSPI::ReadInfo() {
  APIVersion = Info(0);
  PluginInfo = Info(1);
  for (int32_t n = 2; Filters.size() < kMaxSPIFilters; n += 2) {
    std::string filter = Info(n);
    if (filter.empty()) break;
    std::string name = Info(n + 1);
    if (name.empty()) break;
    Filters.push_back(std::move(filter));
    FilterNames.push_back(std::move(name));
  }
}

TInSPI::TInSPI(const std::string& fileName)
    : TLoaderSPI(fileName, {TExport::GetPluginInfo, TExport::IsSupported, TExport::GetPictureInfo,
                            TExport::GetPicture}) {}

TAmSPI::TAmSPI(const std::string& fileName)
    : TLoaderSPI(fileName, {TExport::GetPluginInfo, TExport::IsSupported, TExport::GetArchiveInfo,
                            TExport::GetFileInfo, TExport::GetFile}) {}

TXnSPI::TXnSPI(const std::string& fileName) : TSPI(fileName, {TExport::GetPluginInfo}) {}

std::unique_ptr<TSPI> CreateSPI(const std::string& fileName) {
  try {
    // The first opening only reads the kind; it stays open meanwhile so the
    // library is not unloaded and mapped again.
    const TSPI probe(fileName);
    const std::string& v = probe.APIVersion;
    if (v == "00IN") return std::make_unique<TInSPI>(fileName);
    if (v == "00AM") return std::make_unique<TAmSPI>(fileName);
    if (v == "00XN") return std::make_unique<TXnSPI>(fileName);
    return std::make_unique<TSPI>(fileName);
  } catch (const ESPIFOpenErrorSPI&) {
  } catch (const ESPIInvalidAPI&) {
  } catch (const ESPIInvalidSPI&) {
  }
  return nullptr;
}

// TSPIs -------------------------------------------------------------------------

TSPIs* ActiveSPIs() { return gActiveSPIs; }

TSPIs::TSPIs(TPictureRegistry& registry) : registry_(registry) {
  if (gActiveSPIs) throw ESPIDupCreateSPIs("TSPIs は複数生成できません");
  gActiveSPIs = this;
}

TSPIs::~TSPIs() {
  if (gActiveSPIs == this) gActiveSPIs = nullptr;
  Clear();
}

void TSPIs::Loaded() {
  if (AutoSearch) Search("*.spi");
}

TSPI& TSPIs::Items(int32_t index) const {
  if (index < 0 || index >= Count())
    throw ERangeError("List index out of bounds (" + std::to_string(index) + ")");
  return *list_[static_cast<size_t>(index)];
}

void TSPIs::Add(std::unique_ptr<TSPI> spi) { Insert(Count(), std::move(spi)); }

void TSPIs::Insert(int32_t index, std::unique_ptr<TSPI> spi) {
  if (index < 0 || index > Count())
    throw ERangeError("List index out of bounds (" + std::to_string(index) + ")");
  if (!spi) return;
  TSPI& added = *spi;
  const auto at = list_.insert(list_.begin() + index, std::move(spi));
  if (!dynamic_cast<TInSPI*>(&added)) return;
  try {
    RegisterFileTypes(added);
  } catch (...) {
    // The caller hears of the failure; a plug-in half added is not kept.
    list_.erase(at);
    throw;
  }
}

void TSPIs::Delete(int32_t index) {
  Items(index);
  list_.erase(list_.begin() + index);
}

void TSPIs::Clear() {
  while (!list_.empty()) Delete(0);
}

int32_t TSPIs::IndexOf(const std::string& fileName) const {
  for (size_t i = 0; i < list_.size(); ++i)
    if (SameTextAscii(list_[i]->FileName, fileName)) return static_cast<int32_t>(i);
  return -1;
}

void TSPIs::RegisterFileTypes(TSPI& spi) {
  for (size_t i = 0; i < spi.Filters.size(); ++i) {
    TGraphicClass graphicClass = DefaultGraphicClass;
    std::string_view rest = spi.Filters[i];
    while (true) {
      const size_t semicolon = rest.find(';');
      const std::string_view pattern = rest.substr(0, semicolon);
      const size_t dot = pattern.find('.');
      const std::string extension(dot == std::string_view::npos ? pattern : pattern.substr(dot + 1));
      if (OnPictureRegister) OnPictureRegister(*this, spi, extension, spi.FilterNames[i], graphicClass);
      if (graphicClass) registry_.Register(extension, spi.FilterNames[i], graphicClass);
      if (semicolon == std::string_view::npos) break;
      rest.remove_prefix(semicolon + 1);
    }
  }
}

std::vector<std::string> TSPIs::SearchFolders() const {
  std::vector<std::string> folders;
  const auto add = [&](const std::string& folder) {
    if (!folder.empty()) folders.push_back(WithTrailingSlash(folder));
  };
  if (SearchOptions.Contains(TSPISearchOption::spsSusieDir)) add(ReadPluginFolderStore());
  if (SearchOptions.Contains(TSPISearchOption::spsAppDir)) add(ProgramFolder());
  if (SearchOptions.Contains(TSPISearchOption::spsCurrentDir)) {
    std::unique_ptr<char, decltype(&std::free)> cwd(::getcwd(nullptr, 0), &std::free);
    if (cwd) add(cwd.get());
  }
  if (SearchOptions.Contains(TSPISearchOption::spsSystemDir)) add(kSystemPluginFolder);
  if (SearchOptions.Contains(TSPISearchOption::spsWindowsDir)) add(kLocalPluginFolder);
  return folders;
}

void TSPIs::Search(const std::string& mask) {
  const size_t slash = mask.rfind('/');
  if (slash != std::string::npos) {
    SearchFolder(mask.substr(0, slash + 1), mask.substr(slash + 1));
    return;
  }
  for (const std::string& folder : SearchFolders()) SearchFolder(folder, mask);
}

namespace {

// Plug-in files of folder whose names match pattern (ASCII case ignored, as
// users of the format expect "X.SPI" to count), hidden files and anything
// that is no regular file left out; canonical full paths in name order.
std::vector<std::string> ListPluginFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> files;
  const std::string canonicalFolder = CanonicalPath(folder);
  if (canonicalFolder.empty()) return files;
  struct TDirCloser {
    void operator()(DIR* d) const { ::closedir(d); }
  };
  const std::unique_ptr<DIR, TDirCloser> dir(::opendir(canonicalFolder.c_str()));
  if (!dir) return files;
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (entry->d_name[0] == '.') continue;
    if (::fnmatch(pattern.c_str(), entry->d_name, FNM_CASEFOLD) != 0) continue;
    names.emplace_back(entry->d_name);
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string path = canonicalFolder == "/" ? "/" + name : canonicalFolder + "/" + name;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    std::string canonical = CanonicalPath(path);
    if (!canonical.empty()) files.push_back(std::move(canonical));
  }
  return files;
}

}  // namespace

void TSPIs::SearchFolder(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> files = ListPluginFiles(folder, pattern);
  std::erase_if(files, [&](const std::string& f) { return IndexOf(f) >= 0; });
  for (const std::string& file : files) {
    // Two names in one folder may lead to one file (links): still load it once.
    if (IndexOf(file) >= 0) continue;
    bool accept = true;
    if (OnSearching) OnSearching(*this, file, accept);
    if (!accept) continue;
    std::unique_ptr<TSPI> spi = CreateSPI(file);
    if (!spi) continue;
    try {
      accept = true;
      if (OnSearch) OnSearch(*this, *spi, accept);
      if (accept) Add(std::move(spi));
    } catch (const std::exception&) {
      // The plug-in is freed with spi; the search goes on.
    }
  }
}

void TSPIs::FindPlugins(std::initializer_list<TSPIClass> classes, std::vector<TSPI*>& list,
                        const std::string& fileName) const {
  const std::string ext = ExtractFileExt(fileName);
  for (const auto& spi : list_) {
    const bool wanted =
        std::any_of(classes.begin(), classes.end(), [&](const TSPIClass& c) { return c.IsInstance(*spi); });
    if (!wanted) continue;
    if (ClaimsExtension(*spi, ext))
      list.insert(list.begin(), spi.get());
    else
      list.push_back(spi.get());
  }
}

}  // namespace pixkura
