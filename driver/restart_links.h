// The links the installer makes for itself at run time: the driver's restart
// link ("*ABOOT" after the reboot) and the Startup link of a replacement
// batch file. On platform classes 1 and 2 they are link files in the Startup
// folder; on the classes without the shell's link object they are the items
// of the "Startup" group, kept as link files in the Programs folder's
// "Startup" group folder (the form the shell gives a Program Manager item).
#pragma once

#include <string>

namespace kit {

// Fills the driver's link seams and the install file's batch link maker.
void InstallRestartLinks();

}  // namespace kit
