#include "files/shell_link_group.h"

#include "base/exception.h"
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
  SetAutoProcess(true);
  SetInclude(true);
}

TShellLinkGroup::~TShellLinkGroup() { AnnounceDestruction(); }

void TShellLinkGroup::ProcessHelpers() {
  NotifyDialogs(this, "eccSelectFolder", nullptr);
  const std::string dir = GetDestDir();
  if (!CurrentPlatform().Files().MakeDirectories(dir))
    throw Exception(TranslatedFormat("Cannot create the folder %s of the link group %s", {dir, Name()}));
  TBaseHelperComponent::ProcessHelpers();
}

}  // namespace kit
