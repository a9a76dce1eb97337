#include "model/object_repository_entry.h"

#include <optional>

#include "base/codepage.h"
#include "base/exception.h"
#include "base/paths.h"
#include "base/string_list.h"
#include "base/text.h"
#include "model/repository_file.h"
#include "platform/current_platform.h"
#include "system/registry_routines.h"
#include "system/translated_format.h"

namespace kit {
namespace {

constexpr const char* kPagesSection = "Repository Pages";

// INI writes of the repository raise naming the file.

void WriteIni(const std::string& path, const std::string& section, const std::string& key,
              const std::string& value) {
  if (!CurrentPlatform().Ini().Write(path, section, key, value))
    throw Exception(TranslatedFormat("Could not write the entry %s of section [%s] into %s",
                                     {key, section, path}));
}

void EraseIniSection(const std::string& path, const std::string& section) {
  if (!CurrentPlatform().Ini().EraseSection(path, section))
    throw Exception(
        TranslatedFormat("Could not erase the section [%s] of %s", {section, path}));
}

RepositoryFile* AsRepositoryFile(TComponent* component) {
  return dynamic_cast<RepositoryFile*>(component);
}

std::string InstalledPathOf(const RepositoryFile& file) {
  return IncludeTrailingBackslash(file.InstalledDir()) + file.InstalledName();
}

}  // namespace

// Drops the entry's references to files that are freed.
class TCustomObjectRepositoryEntry::Watch : public TComponent {
 public:
  explicit Watch(TCustomObjectRepositoryEntry& entry) : TComponent(nullptr), entry_(entry) {}

 protected:
  void Notification(TComponent* component, Operation operation) override {
    TComponent::Notification(component, operation);
    if (operation == Operation::kRemove) entry_.Forget(component);
  }

 private:
  TCustomObjectRepositoryEntry& entry_;
};

const char* RepositoryProductKey(RepositoryEnvironment environment) {
  switch (environment) {
    case RepositoryEnvironment::kDelphi3: return "\\Delphi\\3.0";
    case RepositoryEnvironment::kDelphi2: return "\\Delphi\\2.0";
    case RepositoryEnvironment::kCBuilder: return "\\C++Builder\\1.0";
  }
  return "";
}

const char* RepositoryFileName(RepositoryEnvironment environment) {
  return environment == RepositoryEnvironment::kCBuilder ? "BCB.DRO" : "DELPHI32.DRO";
}

std::string LocateRepositoryFile(RepositoryEnvironment environment) {
  const std::string product = RepositoryProductKey(environment);
  const std::string file = RepositoryFileName(environment);
  std::string path;
  const std::string base_dir = ReadRegistryString(
      rootcode::kCurrentUser, "\\Software\\Borland" + product + "\\repository", "BaseDir", "");
  if (!base_dir.empty()) {
    path = IncludeTrailingBackslash(base_dir) + file;
  } else {
    const std::string root_dir = ReadRegistryString(
        rootcode::kLocalMachine, "\\Software\\Borland" + product, "RootDir", "");
    if (root_dir.empty())
      throw Exception(TranslatedFormat(
          "Could find the object repository because the HKEY_LOCAL_MACHINE\\Software\\Borland%s "
          "| RootDir entry was blank in the registry",
          {product}));
    path = IncludeTrailingBackslash(root_dir) + "Bin\\" + file;
  }
  if (!CurrentPlatform().Files().Exists(path))
    throw Exception(TranslatedFormat("Could not find the Object Repository file %s", {path}));
  return path;
}

TCustomObjectRepositoryEntry::TCustomObjectRepositoryEntry(RepositoryFile* file,
                                                           RepositoryEnvironment environment)
    : file_(file), environment_(environment) {
  if (file == nullptr)
    throw Exception(TranslatedFormat(
        "Cannot create the TObjectRepositoryEntry because the file component passed to the "
        "contructor was NIL",
        {}));
  watch_ = std::make_unique<Watch>(*this);
}

TCustomObjectRepositoryEntry::~TCustomObjectRepositoryEntry() = default;

void TCustomObjectRepositoryEntry::Refer(TComponent*& slot, TComponent* file,
                                         const char* property) {
  if (file != nullptr && AsRepositoryFile(file) == nullptr)
    throw Exception(TranslatedFormat("%s must name an install file, not the %s %s",
                                     {property, file->ClassName(), file->Name()}));
  if (slot == file) return;
  TComponent* old = slot;
  slot = file;
  if (old != nullptr && old != ancestor_ && old != icon_file_) watch_->RemoveFreeNotification(old);
  if (file != nullptr) watch_->FreeNotification(file);
}

void TCustomObjectRepositoryEntry::SetAncestor(TComponent* file) {
  Refer(ancestor_, file, "Ancestor");
}

void TCustomObjectRepositoryEntry::SetIconFile(TComponent* file) {
  Refer(icon_file_, file, "IconFile");
}

void TCustomObjectRepositoryEntry::Forget(TComponent* component) {
  if (ancestor_ == component) ancestor_ = nullptr;
  if (icon_file_ == component) icon_file_ = nullptr;
}

void TCustomObjectRepositoryEntry::Register() {
  if (!register_it_) return;
  try {
    WriteEntry();
  } catch (const Exception&) {
    if (raise_exception_on_failure_) throw;
  }
}

void TCustomObjectRepositoryEntry::WriteEntry() {
  const std::string path = LocateRepositoryFile(environment_);
  const std::string stem = ChangeFileExt(file_->InstalledName(), "");
  if (overwrite_same_file_name_) {
    const std::string upper_stem = AnsiUpperCase(stem);
    TStringList sections;
    ReadIniSectionNames(path, &sections);
    if (sections.Count() >= 2 && !upper_stem.empty()) {
      for (int i = 0; i < sections.Count(); ++i) {
        const std::string& name = sections[i];
        if (AnsiSameText(Trim(name), kPagesSection)) continue;
        if (AnsiUpperCase(name).find(upper_stem) != std::string::npos) EraseIniSection(path, name);
      }
    }
  }
  if (!page_.empty()) WriteIni(path, kPagesSection, page_, "");
  const std::string section = IncludeTrailingBackslash(file_->InstalledDir()) + stem;
  WriteIni(path, section, "Name", entry_name_);
  WriteIni(path, section, "Page", page_);
  WriteIni(path, section, "Type", entry_type_);
  WriteIni(path, section, "Description", description_);
  WriteIni(path, section, "Author", author_);
  if (RepositoryFile* icon = AsRepositoryFile(icon_file_))
    WriteIni(path, section, "Icon", InstalledPathOf(*icon));
  if (RepositoryFile* ancestor = AsRepositoryFile(ancestor_))
    WriteIni(path, section, "Ancestor", InstalledPathOf(*ancestor));
}

const PropertyTable& TObjectRepositoryEntry::Properties() {
  using E = TObjectRepositoryEntry;
  static const PropertyTable table = PropertyTable::Make<E>([](auto& p) {
    p.Ref("Ancestor", &E::SetAncestor, &E::Ancestor);
    p.Str("Author", &E::SetAuthor, &E::Author);
    p.Str("Description", &E::SetDescription, &E::Description);
    p.Str("EntryName", &E::SetEntryName, &E::EntryName);
    p.Str("EntryType", &E::SetEntryType, &E::EntryType);
    p.Ref("IconFile", &E::SetIconFile, &E::IconFile);
    p.Str("Page", &E::SetPage, &E::Page);
    p.Bool("RegisterIt", &E::SetRegisterIt, &E::RegisterIt);
    p.Bool("RaiseExceptionOnFailure", &E::SetRaiseExceptionOnFailure,
           &E::RaiseExceptionOnFailure);
    p.Bool("OverwriteSameFileName", &E::SetOverwriteSameFileName, &E::OverwriteSameFileName);
  });
  return table;
}

}  // namespace kit
