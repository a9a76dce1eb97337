// TUninstallEXE: the uninstaller's own file. It installs like any install
// file; its log entry is the product's entry in the list of removable
// programs, "DisplayName" and "UninstallString" in the log key, instead of a
// "Files" entry, so the uninstaller never lists (and deletes) itself.
#pragma once

#include <string>

#include "files/install_file.h"

namespace kit {

class TUninstallEXE : public TInstallFile {
  KIT_COMPONENT_CLASS(TUninstallEXE)

 public:
  explicit TUninstallEXE(TComponent* owner);
  ~TUninstallEXE() override;

  // The uninstaller's path as the log records it: DestPath.
  std::string UninstallerPath() const { return DestPath(); }

  // Writes "DisplayName" = the driver's ProductName and "UninstallString"
  // (UninstallString of system/install_log.h) into `key`. Without a driver
  // raises "Cannot write installation information for <Name> because there
  // is no TInstall".
  void WriteUninstallLog(const std::string& key) override;
};

}  // namespace kit
