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
  void SetGroupKind(TShellGroupKind kind) { group_kind_ = kind; }

  // "eccSelectFolder", the folder with its parents, then the links.
  void ProcessHelpers() override;

 private:
  TShellGroupKind group_kind_ = gkCustom;
  std::string before_process_name_, after_process_name_;
};

}  // namespace kit
