#include "files/uninstall_exe.h"

#include "base/exception.h"
#include "model/install_driver.h"
#include "system/install_log.h"

namespace kit {

TUninstallEXE::TUninstallEXE(TComponent* owner) : TInstallFile(owner) {}

TUninstallEXE::~TUninstallEXE() { AnnounceDestruction(); }

void TUninstallEXE::WriteUninstallLog(const std::string& key) {
  InstallDriver* driver = Driver();
  if (driver == nullptr)
    throw Exception("Cannot write installation information for " + Name() +
                    " because there is no TInstall");
  WriteUninstallRegistration(key, driver->ProductName(), UninstallerPath());
}

}  // namespace kit
