// The main-folder convention: among every install component in existence,
// the last-created group of kind gkMainFolder is the main folder, the
// last-created one of kind gkMainSubFolder the main sub folder, and the
// last-created links of kinds lkMainExecutable and lkLinkToSubFolder the
// main executable link and the sub-folder link. Each look-up returns null
// when there is none.
#pragma once

#include <vector>

namespace kit {

class TShellLinkGroup;
class TInstallShellLink;

TShellLinkGroup* MainFolder();
TShellLinkGroup* MainSubFolder();
TInstallShellLink* MainExecutableLink();
TInstallShellLink* SubFolderLink();
// Every link of kind lkLinkInSubFolder, in creation order.
std::vector<TInstallShellLink*> LinksInSubFolder();

}  // namespace kit
