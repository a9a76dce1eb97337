// Making a shell link file for an installation component: the link's folder
// is created with its parents, the link saved, and a failure raised with the
// component's name and the failing call's code.
#pragma once

#include <cstdint>
#include <string>

#include "platform/shell_link.h"

namespace kit {

// The text shown for a COM code of the link object.
std::string ShellLinkErrorDescription(uint32_t code);

// Raises Exception: "The TInstallShellLink <component> name could not be
// installed. ..." with the code, or the folder that could not be made.
void CreateShellLinkFile(const std::string& component, const std::string& link_file,
                         const ShellLinkData& link);

// Program Manager items are kept as the shell keeps them: a link file in the
// group's folder below the Programs folder. This is the link file of an item.
std::string ProgramGroupItemFile(const std::string& programs_folder, const std::string& group,
                                 const std::string& item);

}  // namespace kit
