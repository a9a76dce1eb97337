#include "system/version_resource.h"

#include <cstdio>

#include "base/codepage.h"
#include "platform/platform.h"
#include "platform/version_source.h"

namespace kit {

namespace version {
namespace {

struct LanguageEntry {
  const char* name;
  uint16_t id;
};

constexpr LanguageEntry kLanguages[kLanguageCount] = {
    {"lnArabic", 0x0401},           {"lnBulgarian", 0x0402},
    {"lnCatalan", 0x0403},          {"lnTraditionalChinese", 0x0404},
    {"lnCzech", 0x0405},            {"lnDanish", 0x0406},
    {"lnGerman", 0x0407},           {"lnGreek", 0x0408},
    {"lnUSEnglish", 0x0409},        {"lnCastilianSpanish", 0x040A},
    {"lnFinnish", 0x040B},          {"lnFrench", 0x040C},
    {"lnHebrew", 0x040D},           {"lnHungarian", 0x040E},
    {"lnIcelandic", 0x040F},        {"lnItalian", 0x0410},
    {"lnJapanese", 0x0411},         {"lnKorean", 0x0412},
    {"lnDutch", 0x0413},            {"lnNorwegianBokmal", 0x0414},
    {"lnPolish", 0x0415},           {"lnBrazilianPortuguese", 0x0416},
    {"lnRhaetoRomanic", 0x0417},    {"lnRomanian", 0x0418},
    {"lnRussian", 0x0419},          {"lnCroatoSerbian", 0x041A},
    {"lnSlovak", 0x041B},           {"lnAlbanian", 0x041C},
    {"lnSwedish", 0x041D},          {"lnThai", 0x041E},
    {"lnTurkish", 0x041F},          {"lnUrdu", 0x0420},
    {"lnBahasa", 0x0421},           {"lnSimplifiedChinese", 0x0804},
    {"lnSwissGerman", 0x0807},      {"lnUKEnglish", 0x0809},
    {"lnMexicanSpanish", 0x080A},   {"lnBelgianFrench", 0x080C},
    {"lnSwissItalian", 0x0810},     {"lnBelgianDutch", 0x0813},
    {"lnNorwegianNynorsk", 0x0814}, {"lnPortuguese", 0x0816},
    {"lnSerboCroatian", 0x081A},    {"lnCanadianFrench", 0x0C0C},
    {"lnSwissFrench", 0x100C},
};

constexpr LanguageEntry kCharacterSets[kCharacterSetCount] = {
    {"csASCII", 0},          {"csJapan", 932},   {"csKorea", 949},    {"csTaiwan", 950},
    {"csUnicode", 1200},     {"csLatin2", 1250}, {"csCyrillic", 1251}, {"csMultilingual", 1252},
    {"csGreek", 1253},       {"csTurkish", 1254}, {"csHebrew", 1255},  {"csArabic", 1256},
};

bool SameText(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return i == a.size() && b[i] == '\0';
}

}  // namespace

uint16_t LanguageId(TLanguage language) { return kLanguages[language].id; }
uint16_t CodePage(TCharacterSet character_set) { return kCharacterSets[character_set].id; }
const char* LanguageName(TLanguage language) { return kLanguages[language].name; }
const char* CharacterSetName(TCharacterSet character_set) {
  return kCharacterSets[character_set].name;
}

bool LanguageFromName(const std::string& name, TLanguage* language) {
  for (int i = 0; i < kLanguageCount; ++i) {
    if (SameText(name, kLanguages[i].name)) {
      *language = static_cast<TLanguage>(i);
      return true;
    }
  }
  return false;
}

bool CharacterSetFromName(const std::string& name, TCharacterSet* character_set) {
  for (int i = 0; i < kCharacterSetCount; ++i) {
    if (SameText(name, kCharacterSets[i].name)) {
      *character_set = static_cast<TCharacterSet>(i);
      return true;
    }
  }
  return false;
}

std::string FileOSText(uint32_t os) {
  switch (os) {
    case 0x00000001: return "Windows 3.0 or later";
    case 0x00000002: return "16 bit OS/2 Presentation Manager";
    case 0x00000003: return "32 bit OS/2 Presentation Manager";
    case 0x00000004: return "32 bit Windows";
    case 0x00010000: return "MS-Dos";
    case 0x00010001: return "Windows 3.0 or later with MS-Dos";
    case 0x00010004: return "32 bit Windows with MS-Dos";
    case 0x00020000: return "16 bit OS/2";
    case 0x00020002: return "16 bit OS/2 with Presentation Manager";
    case 0x00030000: return "32 bit OS/2";
    case 0x00030003: return "32 bit OS/2 with Presentation Manager";
    case 0x00040000: return "Windows NT";
    case 0x00040004: return "Windows NT with 32 bit Windows";
    default: return "Unknown";
  }
}

std::string FileTypeText(uint32_t type) {
  switch (type) {
    case 1: return "Application";
    case 2: return "Dynamic-Link Library";
    case 3: return "Device Driver";
    case 4: return "Font";
    case 5: return "Virtual Device Driver";
    case 7: return "Static-Link Library";
    default: return "Unknown";
  }
}

std::string FileSubTypeText(uint32_t type, uint32_t subtype) {
  static const char* const kDrivers[] = {"Printer", "Keyboard",  "Language", "Display",
                                         "Mouse",   "Network",   "System",   "Installable",
                                         "Sound",   "Communications"};
  static const char* const kFonts[] = {"Raster", "Vector", "TrueType"};
  if (type == 3) return subtype >= 1 && subtype <= 10 ? kDrivers[subtype - 1] : "Unknown";
  if (type == 4) return subtype >= 1 && subtype <= 3 ? kFonts[subtype - 1] : "Unknown";
  return "";
}

}  // namespace version

namespace {

VersionSource* g_source = nullptr;
std::string g_running_program;
TVersionResource* g_reader = nullptr;

std::string DottedVersion(uint32_t ms, uint32_t ls) {
  char text[32];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF);
  return text;
}

}  // namespace

void TVersionInfo::Clear() { *this = TVersionInfo(); }

TVersionResource::TVersionResource(TComponent* owner)
    : TComponent(owner), file_name_(g_running_program), info_(std::make_unique<TVersionInfo>()) {
  ReadVersion();
}

TVersionResource::~TVersionResource() {
  if (g_reader == this) g_reader = nullptr;
}

void TVersionResource::SetFileName(const std::string& file_name) {
  file_name_ = file_name;
  store_file_name_ = file_name_ != g_running_program;
  if (!IsLoading()) ReadVersion();
}

void TVersionResource::SetLanguage(version::TLanguage language) {
  language_ = language;
  if (!IsLoading()) ReadVersion();
}

void TVersionResource::SetCharacterSet(version::TCharacterSet character_set) {
  character_set_ = character_set;
  if (!IsLoading()) ReadVersion();
}

void TVersionResource::Loaded() {
  TComponent::Loaded();
  ReadVersion();
}

void TVersionResource::ReadVersion() {
  TVersionInfo& info = *info_;
  info.Clear();
  if (g_source == nullptr || file_name_.empty()) return;
  std::string block;
  if (!g_source->Read(file_name_, &block) || block.empty()) return;

  std::string bytes;
  FixedFileInfo fixed;
  if (g_source->Query(block, "\\", &bytes) && DecodeFixedFileInfo(bytes, &fixed)) {
    info.file_version_ = DottedVersion(fixed.file_version_ms, fixed.file_version_ls);
    info.product_version_ = DottedVersion(fixed.product_version_ms, fixed.product_version_ls);
    info.file_os_ = version::FileOSText(fixed.os);
    info.file_type_ = version::FileTypeText(fixed.type);
    info.file_sub_type_ = version::FileSubTypeText(fixed.type, fixed.subtype);
  }

  const uint16_t language = version::LanguageId(language_);
  const uint16_t code_page = version::CodePage(character_set_);
  struct Key {
    const char* name;
    std::string TVersionInfo::*field;
  };
  static const Key kKeys[] = {
      {"Comment", &TVersionInfo::comment_},
      {"CompanyName", &TVersionInfo::company_name_},
      {"FileDescription", &TVersionInfo::file_description_},
      {"InternalName", &TVersionInfo::internal_name_},
      {"LegalCopyright", &TVersionInfo::legal_copyright_},
      {"LegalTradeMarks", &TVersionInfo::legal_trade_marks_},
      {"OriginalFileName", &TVersionInfo::original_file_name_},
      {"PrivateBuild", &TVersionInfo::private_build_},
      {"ProductName", &TVersionInfo::product_name_},
      {"ProductVersion", &TVersionInfo::product_version_},
      {"SpecialBuild", &TVersionInfo::special_build_},
  };
  for (const Key& key : kKeys) {
    std::string value;
    if (g_source->Query(block, StringFileInfoPath(language, code_page, key.name), &value))
      info.*key.field = value;
  }
}

void StartVersionResources(VersionSource* source, const std::string& running_program) {
  StopVersionResources();
  g_source = source;
  g_running_program = running_program;
  g_reader = new TVersionResource(nullptr);
}

void StopVersionResources() {
  delete g_reader;
  g_reader = nullptr;
  g_source = nullptr;
  g_running_program.clear();
}

std::unique_ptr<VersionSource> OpenHostVersionSource(Platform& platform) {
#ifdef _WIN32
  (void)platform;
  return MakeWin32VersionSource();
#else
  return MakePeVersionSource(platform.Files(), [](std::u16string_view text) {
    return FromUtf16(std::u16string(text), AnsiCodePage());
  });
#endif
}

TVersionResource* VersionReader() { return g_reader; }

std::string ReaderFileVersion(const std::string& path) {
  if (g_reader == nullptr) return {};
  g_reader->SetFileName(path);
  return g_reader->VersionInfo()->FileVersion();
}

VersionSource* VersionResourceSource() { return g_source; }

}  // namespace kit
