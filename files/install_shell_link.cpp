#include "files/install_shell_link.h"

#include "base/exception.h"
#include "base/paths.h"
#include "base/text.h"
#include "files/install_file.h"
#include "files/install_file_group.h"
#include "files/shell_link_group.h"
#include "files/shell_link_roles.h"
#include "files/uninstall_exe.h"
#include "model/install_driver.h"
#include "model/meta_variables.h"
#include "model/object_location.h"
#include "model/program_manager.h"
#include "model/program_manager_errors.h"
#include "system/system_errors.h"
#include "model/system_folders.h"
#include "platform/current_platform.h"
#include "system/install_log.h"
#include "system/shell_link_routine.h"
#include "system/translated_format.h"
#include "ui/handler_table.h"

namespace kit {

namespace {
const EnumType kShellLinkKindType("TShellLinkKind", {"lkCustom", "lkMainExecutable", "lkLinkToSubFolder",
                                                     "lkLinkInSubFolder", "lkLinkInMainFolder"});
const EnumType kMethodTypeType("TMethodType", {"mtAutoDetect", "mtShellLinkInterface", "mtProgramManager"});
}  // namespace

const PropertyTable& TInstallShellLink::Properties() {
  static const PropertyTable table =
      PropertyTable::Make<TInstallShellLink, TBaseHelperComponent>([](auto& p) {
        using L = TInstallShellLink;
        p.Int("HotKey", &L::SetHotKey, [](const L* l) { return static_cast<int64_t>(l->HotKey()); });
        p.Bool("Include", &L::SetInclude, &L::Include);
        p.Enum("LinkKind", &L::SetLinkKind, &L::LinkKind, kShellLinkKindType);
        p.Str("LinkName", &L::SetLinkName, &L::LinkName);
        p.Enum("Method", &L::SetMethod, &L::Method, kMethodTypeType);
        p.Ref("ObjectLink", &L::SetObjectLink, &L::ObjectLink);
        p.Str("ObjectLocation", &L::SetObjectLocation, &L::ObjectLocation);
        p.Enum("ObjectLocationType", &L::SetObjectLocationType, &L::ObjectLocationType, kPathSpecifiersType);
        p.Str("Parameters", &L::SetParameters, &L::Parameters);
        p.Event(
            "OnAfterProcess",
            [](L* l, const std::string& v) {
              TInstallContainerNotifyEvent handler;
              BindHandler(*l, "OnAfterProcess", v, &handler, &l->after_process_name_);
              l->SetOnAfterProcess(std::move(handler));
            },
            [](L* l) { return l->after_process_name_; });
        p.Event(
            "OnBeforeProcess",
            [](L* l, const std::string& v) {
              TInstallContainerNotifyEvent handler;
              BindHandler(*l, "OnBeforeProcess", v, &handler, &l->before_process_name_);
              l->SetOnBeforeProcess(std::move(handler));
            },
            [](L* l) { return l->before_process_name_; });
      });
  return table;
}

TInstallShellLink::TInstallShellLink(TComponent* owner) : TBaseHelperComponent(owner, rank::kShellLink) {
  WatchRemovals();
  SetAutoProcess(true);
  SetInclude(true);
}

TInstallShellLink::~TInstallShellLink() {
  releasing_ = true;
  AnnounceDestruction();
}

namespace {

bool NeedsFile(TShellLinkKind kind) {
  return kind == lkMainExecutable || kind == lkLinkInSubFolder || kind == lkLinkInMainFolder;
}

// The group kind a link kind's container must have.
TShellGroupKind FolderOf(TShellLinkKind kind) { return kind == lkLinkInSubFolder ? gkMainSubFolder : gkMainFolder; }

[[noreturn]] void Refuse(const char* message) { throw Exception(TranslateMessage(message)); }

}  // namespace

void TInstallShellLink::SetLinkKind(TShellLinkKind kind) {
  if (IsLoading() || kind == lkCustom) {
    link_kind_ = kind;
    return;
  }
  TShellLinkGroup* main = MainFolder();
  TShellLinkGroup* sub = MainSubFolder();
  TShellLinkGroup* folder = nullptr;
  switch (kind) {
    case lkMainExecutable:
      if (main == nullptr) Refuse("You must first specify a folder as the main folder");
      if (TInstallShellLink* current = MainExecutableLink()) current->FallBackToCustom();
      if (object_location_type_ != ddObjectLink) Refuse("You must the ObjectLocationType set to ddObjectLink");
      if (dynamic_cast<TInstallFile*>(object_link_) == nullptr)
        Refuse("You must be pointing to a TInstallFile component with the ObjectLink property");
      folder = main;
      break;
    case lkLinkToSubFolder:
      if (main == nullptr) Refuse("You must first specify a folder as the main folder");
      if (sub == nullptr) Refuse("You must first specify a folder as the main sub folder");
      if (TInstallShellLink* current = SubFolderLink()) current->FallBackToCustom();
      object_link_ = sub;
      object_location_type_ = ddObjectLink;
      object_location_.clear();
      folder = main;
      break;
    case lkLinkInSubFolder:
      if (sub == nullptr) Refuse("You must first specify a folder as the main sub folder");
      if (object_location_type_ != ddObjectLink) Refuse("You must set the ObjectLocationType to ddObjectLink");
      if (dynamic_cast<TInstallFile*>(object_link_) == nullptr)
        Refuse("You must be pointing to a TInstallFile component with the ObjectLink property");
      folder = sub;
      break;
    case lkLinkInMainFolder:
      if (main == nullptr) Refuse("You must first specify a folder as the main folder");
      if (object_location_type_ != ddObjectLink) Refuse("You must the ObjectLocationType set to ddObjectLink");
      if (dynamic_cast<TInstallFile*>(object_link_) == nullptr)
        Refuse("You must be pointing to a TInstallFile component with the ObjectLink property");
      folder = main;
      break;
    default:
      throw Exception(TranslatedFormat("The link kind %d of %s is not a TShellLinkKind",
                                       {static_cast<long long>(kind), Name()}));
  }
  link_kind_ = kind;
  SetContainer(folder);
  StoreDestDirType(ddContainerDestDir);
}

void TInstallShellLink::SetContainer(TInstallContainer* container) {
  TBaseHelperComponent::SetContainer(container);
  if (IsLoading() || link_kind_ == lkCustom) return;
  auto* group = dynamic_cast<TShellLinkGroup*>(Container());
  if (group == nullptr || group->GroupKind() != FolderOf(link_kind_)) link_kind_ = lkCustom;
}

void TInstallShellLink::SetDestDirType(TPathSpecifiers type) {
  if (!IsLoading() && link_kind_ != lkCustom) {
    StoreDestDirType(ddContainerDestDir);
    return;
  }
  TBaseHelperComponent::SetDestDirType(type);
}

void TInstallShellLink::InitializeCom() {
  if (com_initialized_) return;
  const uint32_t code = InitializeComForThread();
  if (code != hresult::kOk && code != hresult::kFalse)
    throw ESHELLCannotInitialize(static_cast<int32_t>(code));
  com_initialized_ = true;
}

void TInstallShellLink::ReleaseSelf() {
  if (releasing_ || Owner() == nullptr || IsLoading()) return;
  releasing_ = true;
  delete this;
}

namespace {

// A hot key is a virtual key (1 .. 254) in the low byte with the shift,
// control, alt and extended flags (0x01 .. 0x08) in the high byte; 0 is none.
bool IsHotKey(int64_t key) {
  if (key == 0) return true;
  if (key < 0 || key > 0xFFFF) return false;
  const int64_t vk = key & 0xFF, modifiers = key >> 8;
  return vk != 0 && vk != 0xFF && (modifiers & ~0x0F) == 0;
}

}  // namespace

void TInstallShellLink::SetHotKey(int64_t key) {
  if (key < 0 || key > 0xFFFF || (!IsLoading() && !IsHotKey(key)))
    throw Exception(TranslatedFormat("The hot key %d of %s is not a key with shift, control, alt or extended flags",
                                     {static_cast<long long>(key), Name()}));
  hot_key_ = static_cast<uint16_t>(key);
}

void TInstallShellLink::SetLinkName(const std::string& name) {
  link_name_ = IsLoading() ? name : ChangeFileExt(name, ".LNK");
}

void TInstallShellLink::SetObjectLocation(const std::string& location) {
  object_location_ = object_location_type_ == ddObjectLink ? std::string() : location;
  if (IsLoading()) return;
  const std::string trimmed = Trim(link_name_);
  if (trimmed.empty() || SameText(trimmed, ".LNK"))
    SetLinkName(ChangeFileExt(ExtractFileName(object_location_), ""));
}

void TInstallShellLink::SetObjectLocationType(TPathSpecifiers type) {
  const ObjectLocationTypeChange change = CheckObjectLocationType(*this, type, object_link_);
  object_location_type_ = type;
  if (change.clear_location) object_location_.clear();
  if (change.custom_link_kind) link_kind_ = lkCustom;
}

void TInstallShellLink::SetObjectLink(TInstallContainer* object) {
  if (IsLoading()) {
    object_link_ = object;
    return;
  }
  if (object == nullptr) {
    object_link_ = nullptr;
    object_location_type_ = ddAbsolute;
    if (NeedsFile(link_kind_)) link_kind_ = lkCustom;
    return;
  }
  if (NeedsFile(link_kind_) && dynamic_cast<TInstallFile*>(object) == nullptr)
    throw Exception(TranslateMessage(
        "For lkMainExecutable, lkLinkInSubFolder, or lkLinkMainFolder ObjectLink must be a TInstallFile"));
  if (link_kind_ == lkLinkToSubFolder) {
    auto* group = dynamic_cast<TShellLinkGroup*>(object);
    if (group == nullptr || group->GroupKind() != gkMainSubFolder)
      throw Exception(TranslateMessage(
          "For lkLinkToSubFolder, ObjectLink must be a ShellLinkGroup that is the main sub folder"));
  }
  object_location_type_ = ddObjectLink;
  object_location_.clear();
  if (auto* file = dynamic_cast<TInstallFile*>(object))
    link_name_ = ChangeFileExt(file->DestName(), ".lnk");
  else if (auto* group = dynamic_cast<TInstallFileGroup*>(object))
    link_name_ = group->GroupName() + ".lnk";
  else
    link_name_ = object->Name() + ".lnk";
  if (Container() == nullptr) SetContainer(object);
  object_link_ = object;
}

// A link goes with the object it points to and with its folder.
void TInstallShellLink::ContainerRemoved(TInstallContainer* component) {
  if (component == nullptr) return;
  const bool linked = component == object_link_;
  const bool contained = component == Container();
  if (linked) SetObjectLink(nullptr);
  TBaseHelperComponent::ContainerRemoved(component);
  if (linked || contained) ReleaseSelf();
}

std::string TInstallShellLink::GetObjectLocation() const {
  return kit::GetObjectLocation(*this, object_location_type_, object_location_, object_link_);
}

std::string TInstallShellLink::LinkFile() const { return AddTrailingBackslash(GetDestDir()) + link_name_; }

void TInstallShellLink::ProcessHelpers() {
  if (dynamic_cast<TUninstallEXE*>(object_link_) != nullptr) {
    InstallDriver* driver = Driver();
    if (driver == nullptr)
      throw Exception(TranslateMessage(
          "Cannot create a link to the uninstall program because there is no TInstall component"));
    parameters_ = driver->ProductName();
  }
  bool shell = method_ == mtShellLinkInterface;
  if (method_ == mtAutoDetect) {
    const int cls = PlatformClass(CurrentPlatform().System());
    shell = cls == 1 || cls == 2;
  }
  if (shell)
    MakeShellLink();
  else
    MakeProgramManagerItem();
  TBaseHelperComponent::ProcessHelpers();
}

void TInstallShellLink::MakeShellLink() {
  FileSystem& fs = CurrentPlatform().Files();
  if (auto* group = dynamic_cast<TShellLinkGroup*>(object_link_)) fs.MakeDirectories(group->GetDestDir());
  // "" is stored as ".LNK": a name that is only the extension is blank too.
  if (Trim(ChangeFileExt(Trim(link_name_), "")).empty())
    throw Exception(
        TranslatedFormat("The LinkName is blank for %s and therefore could not be installed", {Name()}));
  for (char c : link_name_)
    if (std::string("\\/:*?\"<>|").find(c) != std::string::npos || static_cast<unsigned char>(c) < 32)
      throw Exception(TranslatedFormat(
          "The TInstallShellLink %s name could not be installed. The following error was reported %s",
          {Name(), "the link name " + link_name_ + " holds a character Windows refuses in file names"}));
  if (!IsHotKey(hot_key_))  // a stored configuration is read as it stands
    throw Exception(TranslatedFormat(
        "The TInstallShellLink %s name could not be installed. The following error was reported %s",
        {Name(), "the hot key " + std::to_string(hot_key_) + " is not a key with shift, control, alt or extended flags"}));
  InitializeCom();
  ShellLinkData data;
  data.target = GetObjectLocation();
  data.arguments = ExpandMetaVariables(parameters_, this);
  const size_t slash = data.target.find_last_of('\\');
  data.working_directory = slash == std::string::npos ? std::string() : data.target.substr(0, slash);
  data.hot_key = hot_key_;
  CreateShellLinkFile(Name(), LinkFile(), data);
}

void TInstallShellLink::MakeProgramManagerItem() {
  if (link_kind_ != lkLinkInMainFolder && DestDirType() != ddProgramMenuDir) return;
  const std::string group = ExtractFileName(RemoveTrailingBackslash(GetDestDir()));
  if (Trim(group).empty()) throw Exception(Name() + " has a blank group");
  const std::string target = GetObjectLocation();
  const size_t slash = target.find_last_of('\\');
  const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash);
  AddProgramManagerItem(group, ChangeFileExt(link_name_, ""),
                        "\"" + target + "\" " + ExpandMetaVariables(parameters_, this), "\"" + dir + "\"");
}

void AddProgramManagerItem(const std::string& group, const std::string& item, const std::string& command_line,
                           const std::string& default_dir) {
  TProgramManager& pm = ProgramManager();
  // Refused before the group is made, so nothing is left half-made.
  const std::string text = TProgramManager::AddItemText(command_line, item, std::string(), 0, default_dir, std::string());
  if (!TProgramManager::IsSendable(text, TProgramManager::kAddItemFields))
    throw EAIPMCannotAddItem(group, item, text);
  if (!TProgramManager::IsSendable("[ShowGroup(" + group + ",8)]", 2)) throw EAIPMCannotOpenGroup(group);
  pm.CreateGroup(group);
  if (pm.FindItem(item) > 0) pm.ReplaceItem(item);
  pm.AddItem(command_line, item, std::string(), 0, default_dir, std::string());
}

void TInstallShellLink::WriteUninstallLog(const std::string& key) { WriteFilesLogEntry(key, LinkFile()); }

}  // namespace kit
