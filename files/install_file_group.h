// TInstallFileGroup: the file container a configuration uses to bundle files
// the user may choose or leave out. Processing rank 1000.
#pragma once

#include "files/file_container.h"

namespace kit {

class TInstallFileGroup : public TFileContainer {
  KIT_COMPONENT_CLASS(TInstallFileGroup)

 public:
  // Named "Unnamed File Group"; created in the design state next to a
  // driver, "Group #" and its container's FileContainerCount.
  explicit TInstallFileGroup(TComponent* owner);
  ~TInstallFileGroup() override;

  // Adds AllowChoice, AllowChangeDir, Description, DestDir, DestDirType,
  // Include, GroupName, Order, OnAfterProcess, OnBeforeProcess.
  static const PropertyTable& Properties();

 private:
  std::string before_process_name_, after_process_name_;
};

}  // namespace kit
