#include "files/file_classes.h"

#include "base/class_registry.h"
#include "files/install_file.h"
#include "files/install_file_group.h"
#include "files/install_shell_link.h"
#include "files/shell_link_group.h"
#include "files/uninstall_exe.h"

namespace kit {

void RegisterFileClasses(ClassRegistry& registry) {
  registry.Register<TInstallFileGroup>();
  registry.Register<TInstallFile>();
  registry.Register<TUninstallEXE>();
  registry.Register<TShellLinkGroup>();
  registry.Register<TInstallShellLink>();
}

}  // namespace kit
