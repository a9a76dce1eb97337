#include "files/install_file_group.h"

#include "ui/handler_table.h"

namespace kit {

const PropertyTable& TInstallFileGroup::Properties() {
  static const PropertyTable table =
      PropertyTable::Make<TInstallFileGroup, TFileContainer>([](auto& p) {
        using G = TInstallFileGroup;
        p.Bool("AllowChoice", &G::SetAllowChoice, &G::AllowChoice);
        p.Bool("AllowChangeDir", &G::SetAllowChangeDir, &G::AllowChangeDir);
        p.Strings("Description", &G::SetDescription, &G::Description);
        p.Bool("Include", &G::SetInclude, &G::Include);
        p.Str("GroupName", &G::SetGroupName, &G::GroupName);
        p.Int("Order", &G::SetOrder, &G::Order);
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

TInstallFileGroup::TInstallFileGroup(TComponent* owner) : TFileContainer(owner, rank::kFileGroup) {
  SetAutoProcess(true);
  SetInclude(true);
  if (auto* container = dynamic_cast<TFileContainer*>(Container()); container != nullptr && AutoAttached())
    SetGroupName("Group #" + std::to_string(container->FileContainerCount()));
  else
    SetGroupName("Unnamed File Group");
}

TInstallFileGroup::~TInstallFileGroup() { AnnounceDestruction(); }

}  // namespace kit
