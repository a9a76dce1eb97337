#include "files/shell_link_roles.h"

#include "files/install_shell_link.h"
#include "files/shell_link_group.h"
#include "model/component_list.h"

namespace kit {
namespace {

template <class T, class Pred>
T* LastOf(Pred pred) {
  const auto& all = ComponentList::All();
  for (auto it = all.rbegin(); it != all.rend(); ++it)
    if (auto* c = dynamic_cast<T*>(*it); c != nullptr && pred(*c)) return c;
  return nullptr;
}

}  // namespace

TShellLinkGroup* MainFolder() {
  return LastOf<TShellLinkGroup>([](const TShellLinkGroup& g) { return g.GroupKind() == gkMainFolder; });
}

TShellLinkGroup* MainSubFolder() {
  return LastOf<TShellLinkGroup>([](const TShellLinkGroup& g) { return g.GroupKind() == gkMainSubFolder; });
}

TInstallShellLink* MainExecutableLink() {
  return LastOf<TInstallShellLink>([](const TInstallShellLink& l) { return l.LinkKind() == lkMainExecutable; });
}

TInstallShellLink* SubFolderLink() {
  return LastOf<TInstallShellLink>([](const TInstallShellLink& l) { return l.LinkKind() == lkLinkToSubFolder; });
}

std::vector<TInstallShellLink*> LinksInSubFolder() {
  std::vector<TInstallShellLink*> links;
  for (TInstallContainer* c : ComponentList::All())
    if (auto* l = dynamic_cast<TInstallShellLink*>(c); l != nullptr && l->LinkKind() == lkLinkInSubFolder)
      links.push_back(l);
  return links;
}

}  // namespace kit
