// The plug-in host: what each kind of plug-in file becomes, which files are
// skipped, and the order in which plug-ins are offered a file.
#include "formats/SPIs.h"

#include <gtest/gtest.h>

#include <typeinfo>

#include "image/IxDIB.h"

#include "tests/formats/support/TestPlugins.h"

namespace pixkura {
namespace {

using testing::TSearchEnvironment;
using testing::TTempFolder;

std::string SearchMask(const TTempFolder& folder) { return folder.Str() + "/*.spi"; }

std::vector<std::string> NamesOf(const std::vector<TSPI*>& list) {
  std::vector<std::string> names;
  for (const TSPI* spi : list) names.push_back(std::filesystem::path(spi->FileName).filename().string());
  return names;
}

TEST(SPIs, ImportArchiveAndNonLibraryGiveOneImportPlugin) {
  TTempFolder folder;
  folder.AddPlugin("valid_in", "a_in.spi");
  folder.AddPlugin("archive_am", "b_am.spi");
  testing::WriteBytes(folder.File("c_text.spi"), {'n', 'o', 't', ' ', 'E', 'L', 'F'});
  TPictureRegistry registry;
  TSPIs spis(registry);
  spis.Search(SearchMask(folder));
  ASSERT_EQ(spis.Count(), 1);
  const TSPI& spi = spis.Items(0);
  EXPECT_NE(dynamic_cast<const TInSPI*>(&spi), nullptr);
  EXPECT_TRUE(spi.IsLoader());
  EXPECT_EQ(spi.FileName, folder.File("a_in.spi"));
  EXPECT_EQ(spi.APIVersion, "00IN");
  EXPECT_EQ(spi.PluginInfo, "Pixkura test plug-in");
  EXPECT_EQ(spi.Filters, std::vector<std::string>{"*.tpx"});
  EXPECT_EQ(spi.FilterNames, std::vector<std::string>{"Test pixels"});
  EXPECT_NE(spi.GetPicture, nullptr);
  EXPECT_EQ(spi.GetArchiveInfo, nullptr);
}

TEST(SPIs, ExportAndUnknownVersionsAreKeptButNeverLoaders) {
  TTempFolder folder;
  folder.AddPlugin("export_xn", "a_xn.spi");
  folder.AddPlugin("lower_in", "b_lower.spi");
  TSPIs spis;
  spis.Search(SearchMask(folder));
  ASSERT_EQ(spis.Count(), 2);
  const TSPI& exporter = spis.Items(0);
  EXPECT_EQ(typeid(exporter), typeid(TXnSPI));
  EXPECT_FALSE(exporter.IsLoader());
  // The version is compared exactly: "00in" is no import plug-in.
  const TSPI& lower = spis.Items(1);
  EXPECT_EQ(typeid(lower), typeid(TSPI));
  EXPECT_EQ(lower.APIVersion, "00in");
  EXPECT_FALSE(lower.IsLoader());
  std::vector<TSPI*> readers;
  spis.FindPlugins({SPIClassOf<TInSPI>()}, readers, "x.tpx");
  EXPECT_TRUE(readers.empty());
}

TEST(SPIs, FilterWithoutNameLeavesBothListsEmpty) {
  TTempFolder folder;
  folder.AddPlugin("no_info3", "n.spi");
  TSPIs spis;
  spis.Search(SearchMask(folder));
  ASSERT_EQ(spis.Count(), 1);
  const TSPI& spi = spis.Items(0);
  EXPECT_EQ(typeid(spi), typeid(TInSPI));
  EXPECT_TRUE(spi.Filters.empty());
  EXPECT_TRUE(spi.FilterNames.empty());
}

TEST(SPIs, InfoTextIsCutToTheBufferWhateverThePluginClaims) {
  TTempFolder folder;
  const auto spi = CreateSPI(folder.AddPlugin("long_info", "long.spi"));
  ASSERT_NE(spi, nullptr);
  EXPECT_EQ(spi->PluginInfo, std::string(255, 'x'));
  EXPECT_EQ(spi->APIVersion, "00IN");
}

TEST(SPIs, APluginThatAnswersEveryInfoNumberIsReadToABoundedList) {
  TTempFolder folder;
  const auto spi = CreateSPI(folder.AddPlugin("endless_info", "endless.spi"));
  ASSERT_NE(spi, nullptr);
  EXPECT_EQ(spi->Filters.size(), kMaxSPIFilters);
  EXPECT_EQ(spi->FilterNames.size(), kMaxSPIFilters);
  EXPECT_EQ(spi->Filters.back(), "*.tpx");
}

TEST(SPIs, OpeningAsTheWrongClassNamesTheMissingExport) {
  TTempFolder folder;
  const std::string archive = folder.AddPlugin("archive_am", "am.spi");
  const std::string text = folder.File("text.spi");
  testing::WriteBytes(text, {'x'});
  try {
    TInSPI spi(archive);
    FAIL() << "an archive plug-in opened as an import plug-in";
  } catch (const ESPIInvalidAPI& e) {
    EXPECT_EQ(e.Message(), "GetPictureInfoは[" + archive + "]では使えないSusie Plugin APIです");
  }
  try {
    TAmSPI spi(archive);
    FAIL() << "an archive plug-in without GetFile was accepted";
  } catch (const ESPIInvalidAPI& e) {
    EXPECT_EQ(e.Message(), "GetFileは[" + archive + "]では使えないSusie Plugin APIです");
  }
  try {
    TSPI spi(text);
    FAIL() << "a text file loaded as a library";
  } catch (const ESPIFOpenErrorSPI& e) {
    EXPECT_EQ(e.Message(), text + ":Susie Pluginがロードできませんでした");
  }
  EXPECT_EQ(CreateSPI(archive), nullptr);
  EXPECT_EQ(CreateSPI(text), nullptr);
  EXPECT_EQ(CreateSPI(folder.File("missing.spi")), nullptr);
}

TEST(SPIs, ClaimingPluginsComeFirstLatestFirstOnlyLastPatternCounts) {
  TTempFolder folder;
  folder.AddPlugin("claims_png", "a_png.spi");
  folder.AddPlugin("claims_jpeg", "b_jpeg.spi");
  folder.AddPlugin("claims_png", "c_png.spi");
  folder.AddPlugin("export_xn", "d_xn.spi");
  TSPIs spis;
  spis.Search(SearchMask(folder));
  ASSERT_EQ(spis.Count(), 4);
  const auto find = [&](const std::string& file) {
    std::vector<TSPI*> list;
    spis.FindPlugins({SPIClassOf<TInSPI>()}, list, file);
    return NamesOf(list);
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(find("/pics/x.jpeg"), (V{"b_jpeg.spi", "a_png.spi", "c_png.spi"}));
  // *.jpg;*.jpeg claims only .jpeg: a .jpg file finds everyone in list order.
  EXPECT_EQ(find("/pics/x.jpg"), (V{"a_png.spi", "b_jpeg.spi", "c_png.spi"}));
  EXPECT_EQ(find("/pics/X.PNG"), (V{"c_png.spi", "a_png.spi", "b_jpeg.spi"}));
  EXPECT_EQ(find("/pics.png/noext"), (V{"a_png.spi", "b_jpeg.spi", "c_png.spi"}));
  EXPECT_EQ(find(".jpeg"), (V{"b_jpeg.spi", "a_png.spi", "c_png.spi"}));
  std::vector<TSPI*> any;
  spis.FindPlugins({SPIClassOf<TXnSPI>(), SPIClassOf<TLoaderSPI>()}, any, "x.png");
  EXPECT_EQ(NamesOf(any), (V{"c_png.spi", "a_png.spi", "b_jpeg.spi", "d_xn.spi"}));
}

TEST(SPIs, SameFolderReachedTwiceLoadsEachPluginOnce) {
  TTempFolder folder;
  TSearchEnvironment env;
  folder.AddPlugin("valid_in", "one.spi");
  folder.AddPlugin("claims_png", "two.spi");
  std::filesystem::create_directory_symlink(folder.Path(), folder.Path() / "link");
  // The same folder as the Susie folder (through a link) and as the program's folder.
  env.SetSusieFolder(folder.File("link"));
  env.SetProgramFolder(folder.Str() + "/");
  TSPIs spis;
  spis.Loaded();
  ASSERT_EQ(spis.Count(), 2);
  EXPECT_EQ(spis.Items(0).FileName, folder.File("one.spi"));
  EXPECT_EQ(spis.Items(1).FileName, folder.File("two.spi"));
  // A second search finds nothing new either.
  spis.Search("*.spi");
  EXPECT_EQ(spis.Count(), 2);
  EXPECT_EQ(spis.IndexOf(folder.File("TWO.SPI")), 1);
}

TEST(SPIs, SusieFolderComesBeforeProgramFolder) {
  TTempFolder susie, program;
  TSearchEnvironment env;
  susie.AddPlugin("claims_png", "z.spi");
  program.AddPlugin("valid_in", "a.spi");
  env.SetSusieFolder(susie.Str());
  env.SetProgramFolder(program.Str());
  TSPIs spis;
  spis.Loaded();
  ASSERT_EQ(spis.Count(), 2);
  EXPECT_EQ(spis.Items(0).FileName, susie.File("z.spi"));
  EXPECT_EQ(spis.Items(1).FileName, program.File("a.spi"));
  EXPECT_EQ(spis.SearchFolders(), (std::vector<std::string>{susie.Str() + "/", program.Str() + "/"}));
}

TEST(SPIs, NoStoreFileOrNoAutoSearchFindsNothing) {
  TTempFolder program;
  TSearchEnvironment env;  // a configuration folder without a store file
  program.AddPlugin("valid_in", "a.spi");
  env.SetProgramFolder(program.Str());
  {
    TSPIs spis;
    spis.SearchOptions = {TSPISearchOption::spsSusieDir};
    EXPECT_TRUE(spis.SearchFolders().empty());
    spis.Loaded();
    EXPECT_EQ(spis.Count(), 0);
  }
  TSPIs spis;
  spis.AutoSearch = false;
  spis.Loaded();
  EXPECT_EQ(spis.Count(), 0);
}

TEST(SPIs, HiddenFilesFoldersAndOtherNamesAreSkipped) {
  TTempFolder folder;
  folder.AddPlugin("valid_in", ".hidden.spi");
  folder.AddPlugin("valid_in", "plugin.dll");
  folder.AddPlugin("valid_in", "sub/inner.spi");
  std::filesystem::create_directory(folder.Path() / "dir.spi");
  folder.AddPlugin("valid_in", "UPPER.SPI");
  TSPIs spis;
  spis.Search(SearchMask(folder));
  ASSERT_EQ(spis.Count(), 1);
  EXPECT_EQ(spis.Items(0).FileName, folder.File("UPPER.SPI"));
}

TEST(SPIs, SearchEventsFilterPluginsAndAFailingHandlerSkipsOnlyItsFile) {
  TTempFolder folder;
  folder.AddPlugin("valid_in", "a.spi");
  folder.AddPlugin("claims_png", "b.spi");
  folder.AddPlugin("claims_jpeg", "c.spi");
  folder.AddPlugin("export_xn", "d.spi");
  TSPIs spis;
  std::vector<std::string> offered;
  spis.OnSearching = [&](TSPIs& sender, const std::string& fileName, bool& accept) {
    EXPECT_EQ(&sender, &spis);
    offered.push_back(std::filesystem::path(fileName).filename().string());
    accept = fileName != folder.File("b.spi");
  };
  spis.OnSearch = [&](TSPIs&, TSPI& spi, bool& accept) {
    if (spi.FileName == folder.File("c.spi")) throw Exception("refused");
    accept = spi.APIVersion != "00XN";
  };
  spis.Search(SearchMask(folder));
  EXPECT_EQ(offered, (std::vector<std::string>{"a.spi", "b.spi", "c.spi", "d.spi"}));
  ASSERT_EQ(spis.Count(), 1);
  EXPECT_EQ(spis.Items(0).FileName, folder.File("a.spi"));
}

TEST(SPIs, ImportPluginsRegisterEachPatternWithTheRegistry) {
  TTempFolder folder;
  folder.AddPlugin("claims_jpeg", "j.spi");
  folder.AddPlugin("export_xn", "x.spi");
  TPictureRegistry registry;
  TSPIs spis(registry);
  static const TGraphicClassInfo kFirst{"First", nullptr}, kSecond{"Second", nullptr};
  std::vector<std::string> seen;
  spis.OnPictureRegister = [&](TSPIs&, TSPI& spi, const std::string& ext, const std::string& description,
                               TGraphicClass& graphicClass) {
    seen.push_back(ext + "|" + description + "|" + (graphicClass ? std::string(graphicClass->Name) : "-"));
    EXPECT_EQ(spi.APIVersion, "00IN");
    // The class left for one pattern is where the next pattern starts.
    graphicClass = ext == "jpg" ? &kFirst : &kSecond;
  };
  const TGraphicClass saved = DefaultGraphicClass;
  DefaultGraphicClass = nullptr;
  spis.Search(SearchMask(folder));
  DefaultGraphicClass = saved;
  EXPECT_EQ(seen, (std::vector<std::string>{"jpg|Test pixels|-", "jpeg|Test pixels|First"}));
  ASSERT_NE(registry.Find(".JPG"), nullptr);
  EXPECT_EQ(registry.Find("jpg")->GraphicClass, &kFirst);
  EXPECT_EQ(registry.Find("jpeg")->GraphicClass, &kSecond);
  EXPECT_EQ(registry.Find("jpeg")->Description, "Test pixels");
  EXPECT_EQ(registry.ClassForFile("/a.b/pic.JPEG"), &kSecond);
  EXPECT_EQ(registry.Formats().size(), 2u);
}

TEST(SPIs, ProgramRegistryStartsWithTheIndexedBitmapsOwnFormat) {
  const TPictureFormat* dib = GlobalPictureRegistry().Find(".DIB");
  ASSERT_NE(dib, nullptr);
  EXPECT_EQ(dib->Description, "Device Independent Bitmap");
  const std::unique_ptr<TGraphic> graphic = dib->GraphicClass->Create();
  EXPECT_NE(dynamic_cast<TIxDIB*>(graphic.get()), nullptr);
  EXPECT_EQ(GlobalPictureRegistry().ClassForFile("pic.png"), nullptr);
}

TEST(SPIs, OnlyOneManagerAtATime) {
  EXPECT_EQ(ActiveSPIs(), nullptr);
  {
    TSPIs first;
    EXPECT_EQ(ActiveSPIs(), &first);
    try {
      TSPIs second;
      FAIL() << "a second manager was made";
    } catch (const ESPIDupCreateSPIs& e) {
      EXPECT_EQ(e.Message(), "TSPIs は複数生成できません");
    }
    EXPECT_EQ(ActiveSPIs(), &first);
  }
  EXPECT_EQ(ActiveSPIs(), nullptr);
  TSPIs again;
  EXPECT_EQ(ActiveSPIs(), &again);
}

TEST(SPIs, ListOperationsKeepOrderAndCheckIndices) {
  TTempFolder folder;
  const std::string a = folder.AddPlugin("valid_in", "a.spi");
  const std::string b = folder.AddPlugin("claims_png", "b.spi");
  TSPIs spis;
  spis.Add(CreateSPI(a));
  spis.Insert(0, CreateSPI(b));
  EXPECT_EQ(spis.IndexOf(b), 0);
  EXPECT_EQ(spis.IndexOf(a), 1);
  EXPECT_EQ(spis.IndexOf(folder.File("c.spi")), -1);
  EXPECT_THROW(spis.Items(2), ERangeError);
  EXPECT_THROW(spis.Insert(3, CreateSPI(a)), ERangeError);
  spis.Delete(0);
  EXPECT_EQ(spis.IndexOf(a), 0);
  spis.Clear();
  EXPECT_EQ(spis.Count(), 0);
}

}  // namespace
}  // namespace pixkura
