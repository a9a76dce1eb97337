// TVersionResource: reads the version resource of a program, library, driver
// or font and presents it as the text properties of a TVersionInfo.
//
// Where the data comes from: every reader reads through the process-wide
// VersionSource given to StartVersionResources() at program start (on win32
// the version API, natively the PE reader on the emulated machine), together
// with the running program's own path, which is the default FileName:
//
//   kit::StartVersionResources(&platform.Versions(), platform.System().ExePath());
//   ...
//   kit::VersionReader()->SetFileName(path);
//   std::string v = kit::VersionReader()->VersionInfo()->FileVersion();
//
// StartVersionResources also creates the shared reader (VersionReader(),
// without an owner, describing the running program until its FileName is
// set); StopVersionResources frees it. Before the start, or after the stop, a
// reader finds nothing and all its properties are empty.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/component.h"

namespace kit {

class Platform;
class VersionSource;

// The version resources of the program's machine: the Win32 version API on
// win32, the PE files of the emulated machine natively, their strings in the
// process's ANSI code page. `platform` must outlive the source.
std::unique_ptr<VersionSource> OpenHostVersionSource(Platform& platform);

namespace version {

// Languages of the version resource's string-table key (the Windows language
// identifiers of the same names).
enum TLanguage {
  lnArabic, lnBulgarian, lnCatalan, lnTraditionalChinese, lnCzech, lnDanish, lnGerman,
  lnGreek, lnUSEnglish, lnCastilianSpanish, lnFinnish, lnFrench, lnHebrew, lnHungarian,
  lnIcelandic, lnItalian, lnJapanese, lnKorean, lnDutch, lnNorwegianBokmal, lnPolish,
  lnBrazilianPortuguese, lnRhaetoRomanic, lnRomanian, lnRussian, lnCroatoSerbian, lnSlovak,
  lnAlbanian, lnSwedish, lnThai, lnTurkish, lnUrdu, lnBahasa, lnSimplifiedChinese,
  lnSwissGerman, lnUKEnglish, lnMexicanSpanish, lnBelgianFrench, lnSwissItalian,
  lnBelgianDutch, lnNorwegianNynorsk, lnPortuguese, lnSerboCroatian, lnCanadianFrench,
  lnSwissFrench,
};
constexpr int kLanguageCount = lnSwissFrench + 1;

// Code pages of the string-table key.
enum TCharacterSet {
  csASCII, csJapan, csKorea, csTaiwan, csUnicode, csLatin2, csCyrillic, csMultilingual,
  csGreek, csTurkish, csHebrew, csArabic,
};
constexpr int kCharacterSetCount = csArabic + 1;

uint16_t LanguageId(TLanguage language);      // lnGerman: 0x0407
uint16_t CodePage(TCharacterSet character_set);  // csMultilingual: 1252
// The identifiers as written in stored forms ("lnGerman", "csMultilingual");
// the look-ups compare without regard to case and fail on unknown names.
const char* LanguageName(TLanguage language);
const char* CharacterSetName(TCharacterSet character_set);
bool LanguageFromName(const std::string& name, TLanguage* language);
bool CharacterSetFromName(const std::string& name, TCharacterSet* character_set);

// Texts of the fixed part's operating system, file type and subtype.
// FileSubTypeText is empty for types other than drivers (3) and fonts (4).
std::string FileOSText(uint32_t os);
std::string FileTypeText(uint32_t type);
std::string FileSubTypeText(uint32_t type, uint32_t subtype);

}  // namespace version

// The values read from one file; owned by its TVersionResource. Every
// property is empty when the file does not have it.
class TVersionInfo {
 public:
  const std::string& FileVersion() const { return file_version_; }
  const std::string& ProductVersion() const { return product_version_; }
  const std::string& FileOS() const { return file_os_; }
  const std::string& FileType() const { return file_type_; }
  const std::string& FileSubType() const { return file_sub_type_; }
  const std::string& Comment() const { return comment_; }
  const std::string& CompanyName() const { return company_name_; }
  const std::string& FileDescription() const { return file_description_; }
  const std::string& InternalName() const { return internal_name_; }
  const std::string& LegalCopyright() const { return legal_copyright_; }
  const std::string& LegalTradeMarks() const { return legal_trade_marks_; }
  const std::string& OriginalFileName() const { return original_file_name_; }
  const std::string& PrivateBuild() const { return private_build_; }
  const std::string& ProductName() const { return product_name_; }
  const std::string& SpecialBuild() const { return special_build_; }

 private:
  friend class TVersionResource;
  void Clear();

  std::string file_version_, product_version_, file_os_, file_type_, file_sub_type_;
  std::string comment_, company_name_, file_description_, internal_name_, legal_copyright_,
      legal_trade_marks_, original_file_name_, private_build_, product_name_, special_build_;
};

class TVersionResource : public TComponent {
  KIT_COMPONENT_CLASS(TVersionResource)

 public:
  // Reads the running program's version resource at once.
  explicit TVersionResource(TComponent* owner);
  ~TVersionResource() override;

  // Each setter stores the value and reads the file again (also when the
  // value did not change); while loading it only stores, and Loaded reads.
  const std::string& FileName() const { return file_name_; }
  void SetFileName(const std::string& file_name);
  version::TLanguage Language() const { return language_; }
  void SetLanguage(version::TLanguage language);
  version::TCharacterSet CharacterSet() const { return character_set_; }
  void SetCharacterSet(version::TCharacterSet character_set);

  TVersionInfo* VersionInfo() const { return info_.get(); }

  // FileName belongs in a stored form only when it differs from the running
  // program's path (exactly, as set).
  bool StoresFileName() const { return store_file_name_; }

  // Reads FileName again with the current language and character set.
  void ReadVersion();

  void Loaded() override;

 private:
  std::string file_name_;
  version::TLanguage language_ = version::lnUSEnglish;
  version::TCharacterSet character_set_ = version::csMultilingual;
  bool store_file_name_ = false;
  std::unique_ptr<TVersionInfo> info_;
};

// Sets the source every reader reads through and the running program's path,
// and creates the shared reader. `source` must live until StopVersionResources.
// Starting again replaces both and creates a fresh shared reader.
void StartVersionResources(VersionSource* source, const std::string& running_program);
// Frees the shared reader and forgets the source.
void StopVersionResources();
// The shared reader; null before the start.
TVersionResource* VersionReader();
// The FileVersion of a file through the shared reader; empty before the start
// or when the file has no version. Programs hand it to the archive engine
// (SetSharedVersionLookup).
std::string ReaderFileVersion(const std::string& path);
// The source every reader reads through; null before the start.
VersionSource* VersionResourceSource();

}  // namespace kit
