// Meta-variables in texts such as a shell link's parameters: "%" and one
// letter (either case) stand for a directory, without a trailing backslash.
//
//   %a  the component's own GetDestDir      %b  GetProgramMenuDir
//   %c  its Container's GetDestDir          %d  GetDesktopDir
//   %f  GetCommonFilesDir                   %i  the driver's GetDestDir
//   %m  GetStartMenuDir                     %p  GetProgramFilesDir
//   %s  the system directory                %w  the Windows directory
//
// "%%" gives one "%"; "%" with any other character drops both, and a "%"
// at the very end is dropped.
#pragma once

#include <string>

namespace kit {

class TInstallContainer;

// Raises EAICannotExpandContainerDirMV for %a or %c without a component
// (or %c without a container) and EAICannotExpandInstallDirMV for %i
// without a driver; a text that uses none of them needs none.
std::string ExpandMetaVariables(const std::string& text, const TInstallContainer* component);

}  // namespace kit
