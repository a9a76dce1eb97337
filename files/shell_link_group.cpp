#include "files/shell_link_group.h"

#include "base/exception.h"
#include "files/install_shell_link.h"
#include "files/shell_link_roles.h"
#include "model/install_driver.h"
#include "platform/current_platform.h"
#include "system/translated_format.h"
#include "ui/handler_table.h"

namespace kit {

namespace {
const EnumType kShellGroupKindType("TShellGroupKind", {"gkCustom", "gkMainFolder", "gkMainSubFolder"});
}  // namespace

const PropertyTable& TShellLinkGroup::Properties() {
  static const PropertyTable table =
      PropertyTable::Make<TShellLinkGroup, TBaseHelperComponent>([](auto& p) {
        using G = TShellLinkGroup;
        p.Bool("Include", &G::SetInclude, &G::Include);
        p.Enum("GroupKind", &G::SetGroupKind, &G::GroupKind, kShellGroupKindType);
        p.Event(
            "OnAfterProcess",
            [](G* g, const std::string& v) {
              TInstallContainerNotifyEvent handler;
              BindHandler(*g, "OnAfterProcess", v, &handler, &g->after_process_name_);
              g->SetOnAfterProcess(std::move(handler));
            },
            [](G* g) { return g->after_process_name_; });
        p.Event(
            "OnBeforeProcess",
            [](G* g, const std::string& v) {
              TInstallContainerNotifyEvent handler;
              BindHandler(*g, "OnBeforeProcess", v, &handler, &g->before_process_name_);
              g->SetOnBeforeProcess(std::move(handler));
            },
            [](G* g) { return g->before_process_name_; });
      });
  return table;
}

TShellLinkGroup::TShellLinkGroup(TComponent* owner) : TBaseHelperComponent(owner, rank::kShellLinkGroup) {
  WatchRemovals();
  SetAutoProcess(true);
  SetInclude(true);
}

TShellLinkGroup::~TShellLinkGroup() {
  releasing_ = true;
  AnnounceDestruction();
}

void TShellLinkGroup::DropRole() {
  if (MainFolder() == this) {
    if (TInstallShellLink* link = MainExecutableLink()) link->FallBackToCustom();
    if (TInstallShellLink* link = SubFolderLink()) link->FallBackToCustom();
  } else if (MainSubFolder() == this) {
    if (TInstallShellLink* link = SubFolderLink()) link->FallBackToCustom();
    for (TInstallShellLink* link : LinksInSubFolder()) link->FallBackToCustom();
  }
}

void TShellLinkGroup::SetGroupKind(TShellGroupKind kind) {
  if (IsLoading()) {
    group_kind_ = kind;
    return;
  }
  if (kind == gkCustom) {
    DropRole();
    group_kind_ = gkCustom;
    return;
  }
  if (kind != gkMainFolder && kind != gkMainSubFolder)
    throw Exception(TranslatedFormat("The group kind %d of %s is not a TShellGroupKind",
                                     {static_cast<long long>(kind), Name()}));
  InstallDriver* driver = Driver();
  if (driver == nullptr) throw Exception(TranslateMessage("Must first have a TInstall component"));
  if (group_kind_ != kind) DropRole();  // the other role goes first
  TShellLinkGroup* previous = kind == gkMainFolder ? MainFolder() : MainSubFolder();
  if (previous != nullptr && previous != this) previous->Demote();
  group_kind_ = kind;
  if (kind == gkMainFolder) {
    for (TInstallShellLink* link : {MainExecutableLink(), SubFolderLink()})
      if (link != nullptr) link->SetContainer(this);
  } else {
    if (TInstallShellLink* link = SubFolderLink()) link->SetObjectLink(this);
    for (TInstallShellLink* link : LinksInSubFolder()) link->SetContainer(this);
  }
  SetContainer(&driver->DriverComponent());
  StoreDestDirType(kind == gkMainFolder ? ddProgramMenuDir : ddContainerDestDir);
  if (IsDesigning() && DestDir().empty())
    SetDestDir(kind == gkMainFolder ? "\\" + driver->ProductName() : std::string("\\More stuff"));
}

void TShellLinkGroup::SetDestDirType(TPathSpecifiers type) {
  if (!IsLoading() && group_kind_ != gkCustom) {
    StoreDestDirType(group_kind_ == gkMainFolder ? ddProgramMenuDir : ddContainerDestDir);
    return;
  }
  TBaseHelperComponent::SetDestDirType(type);
}

void TShellLinkGroup::ContainerRemoved(TInstallContainer* component) {
  const bool contained = component != nullptr && component == Container();
  TBaseHelperComponent::ContainerRemoved(component);
  if (contained && !releasing_ && Owner() != nullptr && !IsLoading()) {
    releasing_ = true;
    delete this;
  }
}

void TShellLinkGroup::ProcessHelpers() {
  NotifyDialogs(this, "eccSelectFolder", nullptr);
  const std::string dir = GetDestDir();
  if (!CurrentPlatform().Files().MakeDirectories(dir))
    throw Exception(TranslatedFormat("Cannot create the folder %s of the link group %s", {dir, Name()}));
  TBaseHelperComponent::ProcessHelpers();
}

}  // namespace kit
