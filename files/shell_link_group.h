// TShellLinkGroup: a folder for shortcuts, typically in the Start menu's
// Programs folder. Processing creates the folder and then makes the links
// inside it. Processing rank 7000.
#pragma once

#include <string>

#include "model/base_helper_component.h"

namespace kit {

enum TShellGroupKind { gkCustom = 0, gkMainFolder = 1, gkMainSubFolder = 2 };

class TShellLinkGroup : public TBaseHelperComponent {
  KIT_COMPONENT_CLASS(TShellLinkGroup)

 public:
  explicit TShellLinkGroup(TComponent* owner);
  ~TShellLinkGroup() override;

  // Adds DestDir, DestDirType, Include, GroupKind, OnAfterProcess,
  // OnBeforeProcess.
  static const PropertyTable& Properties();

  TShellGroupKind GroupKind() const { return group_kind_; }
  // Outside loading: takes or gives up the role of main folder or main sub
  // folder (a driver is needed), demotes the previous holder, and moves the
  // links of the role; a folder that loses its role makes them lkCustom.
  void SetGroupKind(TShellGroupKind kind);
  // The kind becomes gkCustom without the fall-backs of the links.
  void Demote() { group_kind_ = gkCustom; }
  // ddProgramMenuDir for the main folder, ddContainerDestDir for the main
  // sub folder, whatever is assigned.
  void SetDestDirType(TPathSpecifiers type) override;
  // A group goes with its container.
  void ContainerRemoved(TInstallContainer* component) override;

  // "eccSelectFolder", the folder with its parents, then the links.
  void ProcessHelpers() override;

 private:
  // The links of the role this group has are no longer of their kind.
  void DropRole();

  TShellGroupKind group_kind_ = gkCustom;
  bool releasing_ = false;
  std::string before_process_name_, after_process_name_;
};

}  // namespace kit
