// The links the installer makes for itself at run time: the driver's restart
// link ("*ABOOT" after the reboot) and the Startup link of a replacement
// batch file. On platform classes 1 and 2 they are link files in the Startup
// folder; on the classes without the shell's link object they are items of
// Program Manager's "Startup" group, made and deleted over DDE.
#pragma once

#include <string>

namespace kit {

// Fills the driver's link seams and the install file's batch link maker.
void InstallRestartLinks();

}  // namespace kit
