#include "system/version_resource.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/testing/version_fixtures.h"
#include "platform/version_source.h"

namespace kit {
namespace {

using testing::FixturePath;
using namespace version;

class VersionResourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source_ = testing::FixtureVersionSource();
    program_ = FixturePath("program.exe");
    StartVersionResources(source_.get(), program_);
  }
  void TearDown() override { StopVersionResources(); }

  static void ExpectAllEmpty(const TVersionInfo& v, const std::string& what) {
    SCOPED_TRACE(what);
    for (const std::string* s :
         {&v.FileVersion(), &v.ProductVersion(), &v.FileOS(), &v.FileType(), &v.FileSubType(),
          &v.Comment(), &v.CompanyName(), &v.FileDescription(), &v.InternalName(),
          &v.LegalCopyright(), &v.LegalTradeMarks(), &v.OriginalFileName(), &v.PrivateBuild(),
          &v.ProductName(), &v.SpecialBuild()})
      EXPECT_EQ(*s, "");
  }

  std::unique_ptr<VersionSource> source_;
  std::string program_;
};

TEST_F(VersionResourceTest, SharedReaderDescribesTheRunningProgramUntilItsFileNameIsSet) {
  TVersionResource* reader = VersionReader();
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->Owner(), nullptr);
  EXPECT_EQ(reader->FileName(), program_);
  EXPECT_FALSE(reader->StoresFileName());
  EXPECT_EQ(reader->Language(), lnUSEnglish);
  EXPECT_EQ(reader->CharacterSet(), csMultilingual);
  EXPECT_EQ(reader->VersionInfo()->FileVersion(), "4.0.1381.1");

  reader->SetFileName(FixturePath("driver.drv"));
  EXPECT_TRUE(reader->StoresFileName());
  EXPECT_EQ(reader->VersionInfo()->FileVersion(), "1.2.3.4");
  reader->SetFileName(program_);
  EXPECT_FALSE(reader->StoresFileName());
  EXPECT_EQ(reader->VersionInfo()->FileVersion(), "4.0.1381.1");
}

TEST_F(VersionResourceTest, ProgramFixedVersionWinsOverItsFileVersionString) {
  TVersionResource r(nullptr);
  const TVersionInfo& v = *r.VersionInfo();
  EXPECT_EQ(v.FileVersion(), "4.0.1381.1");  // the string table says "4.00"
  EXPECT_EQ(v.ProductVersion(), "4.0 Gold");  // the string replaces the fixed 4.0.0.0
  EXPECT_EQ(v.FileOS(), "Windows NT with 32 bit Windows");
  EXPECT_EQ(v.FileType(), "Application");
  EXPECT_EQ(v.FileSubType(), "");
  EXPECT_EQ(v.Comment(), "Fixture program");  // "Comment", not the usual "Comments"
  EXPECT_EQ(v.CompanyName(), "Kit Fixtures Ltd");
  EXPECT_EQ(v.FileDescription(), "Program with version 4.0.1381.1");
  EXPECT_EQ(v.InternalName(), "program");
  EXPECT_EQ(v.LegalCopyright(), "Copyright 1996 Kit Fixtures");
  EXPECT_EQ(v.LegalTradeMarks(), "Fixture(tm)");
  EXPECT_EQ(v.OriginalFileName(), "PROGRAM.EXE");
  EXPECT_EQ(v.PrivateBuild(), "private 7");
  EXPECT_EQ(v.ProductName(), "Fixture Suite");
  EXPECT_EQ(v.SpecialBuild(), "special 9");
}

TEST_F(VersionResourceTest, StringTableIsReadOnlyUnderTheChosenLanguageAndCodePage) {
  TVersionResource r(nullptr);
  r.SetFileName(FixturePath("library_de.dll"));
  const TVersionInfo& v = *r.VersionInfo();
  // Filed under 0407 / 04E4: the defaults (0409 / 04E4) see only the fixed part.
  EXPECT_EQ(v.FileVersion(), "2.10.300.4000");
  EXPECT_EQ(v.ProductVersion(), "2.10.0.0");
  EXPECT_EQ(v.FileOS(), "32 bit Windows");
  EXPECT_EQ(v.FileType(), "Dynamic-Link Library");
  EXPECT_EQ(v.CompanyName(), "");
  EXPECT_EQ(v.ProductName(), "");

  r.SetLanguage(lnGerman);
  EXPECT_EQ(v.CompanyName(), "Beispiel GmbH");
  EXPECT_EQ(v.ProductName(), "Testbibliothek");
  // U+00FC is 0xFC in every ANSI code page the tests run with.
  EXPECT_EQ(v.FileDescription().substr(0, 21), "Bibliothek f\xFCr Tests ");

  r.SetCharacterSet(csUnicode);
  EXPECT_EQ(v.CompanyName(), "");
  EXPECT_EQ(v.FileVersion(), "2.10.300.4000");
  r.SetCharacterSet(csMultilingual);
  EXPECT_EQ(v.CompanyName(), "Beispiel GmbH");
  r.SetLanguage(lnSwissGerman);
  EXPECT_EQ(v.CompanyName(), "");
}

TEST_F(VersionResourceTest, DriverAndFontSubtypes) {
  TVersionResource r(nullptr);
  r.SetFileName(FixturePath("driver.drv"));
  EXPECT_EQ(r.VersionInfo()->FileType(), "Device Driver");
  EXPECT_EQ(r.VersionInfo()->FileSubType(), "Keyboard");
  EXPECT_EQ(r.VersionInfo()->FileOS(), "32 bit Windows with MS-Dos");
  EXPECT_EQ(r.VersionInfo()->FileDescription(), "Keyboard driver");

  r.SetFileName(FixturePath("font.fon"));
  EXPECT_EQ(r.VersionInfo()->FileType(), "Font");
  EXPECT_EQ(r.VersionInfo()->FileSubType(), "TrueType");
  EXPECT_EQ(r.VersionInfo()->FileOS(), "Windows 3.0 or later");
  EXPECT_EQ(r.VersionInfo()->FileVersion(), "1.0.0.0");
}

TEST_F(VersionResourceTest, FilesWithoutASoundVersionResourceLeaveEverythingEmpty) {
  TVersionResource r(nullptr);
  ASSERT_EQ(r.VersionInfo()->FileVersion(), "4.0.1381.1");
  const std::string truncated = testing::BrokenFixture("truncated.exe");
  const std::string badsig = testing::BrokenFixture("badsig.exe");
  const std::string notype = testing::BrokenFixture("notype.exe");
  ASSERT_NE(truncated, "");
  ASSERT_NE(badsig, "");
  ASSERT_NE(notype, "");
  for (const std::string& path :
       {FixturePath("noversion.dll"), FixturePath("readme.txt"), FixturePath("missing.dll"),
        truncated, badsig, notype, std::string(KIT_FIXTURE_DIR), std::string()}) {
    r.SetFileName(program_);  // values from before must not survive
    r.SetFileName(path);
    ExpectAllEmpty(*r.VersionInfo(), path);
  }
}

TEST_F(VersionResourceTest, SettingTheSameFileNameReadsTheFileAgain) {
  const std::string copy = FixturePath("reread.dll");
  ASSERT_TRUE(testing::WriteHostFile(copy, testing::FixtureBytes("driver.drv")));
  TVersionResource r(nullptr);
  r.SetFileName(copy);
  EXPECT_EQ(r.VersionInfo()->FileVersion(), "1.2.3.4");
  ASSERT_TRUE(testing::WriteHostFile(copy, testing::FixtureBytes("selfreg.ocx")));
  r.SetFileName(copy);
  EXPECT_EQ(r.VersionInfo()->FileVersion(), "3.1.0.2");
  ASSERT_TRUE(testing::WriteHostFile(copy, "not a program"));
  r.SetLanguage(lnUSEnglish);  // unchanged language, read again all the same
  EXPECT_EQ(r.VersionInfo()->FileVersion(), "");
}

TEST_F(VersionResourceTest, WhileLoadingSettersOnlyStoreAndLoadedReads) {
  TVersionResource r(nullptr);
  r.SetLoading(true);
  r.SetFileName(FixturePath("library_de.dll"));
  r.SetLanguage(lnGerman);
  EXPECT_EQ(r.VersionInfo()->FileVersion(), "4.0.1381.1");
  r.Loaded();
  EXPECT_FALSE(r.IsLoading());
  EXPECT_EQ(r.VersionInfo()->FileVersion(), "2.10.300.4000");
  EXPECT_EQ(r.VersionInfo()->CompanyName(), "Beispiel GmbH");
}

TEST_F(VersionResourceTest, OwnedReaderAndReaderWithoutASource) {
  {
    TComponent owner(nullptr);
    auto* owned = new TVersionResource(&owner);
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owned->VersionInfo()->FileVersion(), "4.0.1381.1");
  }  // the owner frees it
  StopVersionResources();
  EXPECT_EQ(VersionReader(), nullptr);
  TVersionResource r(nullptr);
  EXPECT_EQ(r.FileName(), "");
  r.SetFileName(program_);
  ExpectAllEmpty(*r.VersionInfo(), "no source");
}

TEST(VersionTables, LanguagesAndCharacterSetsByNameAndNumber) {
  std::set<uint16_t> ids;
  for (int i = 0; i < kLanguageCount; ++i) {
    auto ln = static_cast<TLanguage>(i);
    ids.insert(LanguageId(ln));
    TLanguage back = lnArabic;
    ASSERT_TRUE(LanguageFromName(LanguageName(ln), &back)) << i;
    EXPECT_EQ(back, ln);
  }
  EXPECT_EQ(ids.size(), 45u);
  EXPECT_EQ(LanguageId(lnGerman), 0x0407);
  EXPECT_EQ(LanguageId(lnBahasa), 0x0421);
  EXPECT_EQ(LanguageId(lnSimplifiedChinese), 0x0804);
  EXPECT_EQ(LanguageId(lnSwissFrench), 0x100C);
  TLanguage ln = lnArabic;
  EXPECT_TRUE(LanguageFromName("LNTURKISH", &ln));
  EXPECT_EQ(ln, lnTurkish);
  EXPECT_FALSE(LanguageFromName("lnKlingon", &ln));
  EXPECT_FALSE(LanguageFromName("lnGerma", &ln));

  TCharacterSet cs = csASCII;
  EXPECT_TRUE(CharacterSetFromName("csTurkish", &cs));
  EXPECT_EQ(CodePage(cs), 1254);
  EXPECT_EQ(CodePage(csASCII), 0);
  EXPECT_EQ(CodePage(csArabic), 1256);
  EXPECT_STREQ(CharacterSetName(csMultilingual), "csMultilingual");
  EXPECT_EQ(StringFileInfoPath(LanguageId(lnCanadianFrench), CodePage(csJapan), "X"),
            "\\StringFileInfo\\0C0C03A4\\X");
}

TEST(VersionTables, TextsForUnknownValues) {
  EXPECT_EQ(FileOSText(0x00040004), "Windows NT with 32 bit Windows");
  EXPECT_EQ(FileOSText(0), "Unknown");
  EXPECT_EQ(FileOSText(0x00050004), "Unknown");
  EXPECT_EQ(FileTypeText(7), "Static-Link Library");
  EXPECT_EQ(FileTypeText(6), "Unknown");
  EXPECT_EQ(FileSubTypeText(3, 10), "Communications");
  EXPECT_EQ(FileSubTypeText(3, 11), "Unknown");
  EXPECT_EQ(FileSubTypeText(3, 0), "Unknown");
  EXPECT_EQ(FileSubTypeText(4, 1), "Raster");
  EXPECT_EQ(FileSubTypeText(4, 4), "Unknown");
  EXPECT_EQ(FileSubTypeText(1, 2), "");
  EXPECT_EQ(FileSubTypeText(5, 2), "");
}

}  // namespace
}  // namespace kit
