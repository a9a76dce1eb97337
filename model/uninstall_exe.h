// TUninstallEXE: the uninstaller's own file. Its log entry is the product's
// entry in the list of removable programs, "DisplayName" and
// "UninstallString" in the log key, instead of a "Files" entry, so the
// uninstaller never lists (and deletes) itself.
//
// It is an install file; until it derives from TInstallFile it carries the
// two things its log entry needs, DestName and the resolved destination
// directory (InstalledDir, the install file's GetDestDir).
#pragma once

#include <string>

#include "model/base_helper_component.h"

namespace kit {

class TUninstallEXE : public TBaseHelperComponent {
  KIT_COMPONENT_CLASS(TUninstallEXE)

 public:
  explicit TUninstallEXE(TComponent* owner);
  ~TUninstallEXE() override;

  const std::string& DestName() const { return dest_name_; }
  void SetDestName(const std::string& name) { dest_name_ = name; }

  // The uninstaller's path as the log records it: InstalledDir with a
  // trailing backslash, then DestName.
  std::string UninstallerPath() const;

  // Writes "DisplayName" = the driver's ProductName and "UninstallString"
  // (UninstallString of system/install_log.h) into `key`. Without a driver
  // raises "Cannot write installation information for <Name> because there
  // is no TInstall".
  void WriteUninstallLog(const std::string& key) override;

 protected:
  // The resolved destination directory.
  virtual std::string InstalledDir() const { return DestDir(); }

 private:
  std::string dest_name_;
};

}  // namespace kit
