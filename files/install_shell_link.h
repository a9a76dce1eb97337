// TInstallShellLink: one shortcut, a link file whose target is an installed
// file, a folder or any path. Processing rank 8000. Its log entry is a
// "Files" entry for the link file, so the uninstaller deletes it.
#pragma once

#include <cstdint>
#include <string>

#include "model/base_helper_component.h"

namespace kit {

enum TShellLinkKind {
  lkCustom = 0,
  lkMainExecutable = 1,
  lkLinkToSubFolder = 2,
  lkLinkInSubFolder = 3,
  lkLinkInMainFolder = 4
};
enum TMethodType { mtAutoDetect = 0, mtShellLinkInterface = 1, mtProgramManager = 2 };

class TInstallShellLink : public TBaseHelperComponent {
  KIT_COMPONENT_CLASS(TInstallShellLink)

 public:
  explicit TInstallShellLink(TComponent* owner);
  ~TInstallShellLink() override;

  static const PropertyTable& Properties();

  uint16_t HotKey() const { return hot_key_; }
  void SetHotKey(int64_t key);
  TShellLinkKind LinkKind() const { return link_kind_; }
  // Outside loading: the checks and moves of the main-folder convention
  // (the container becomes the folder the kind requires); a failed check
  // raises and leaves the kind as it was.
  void SetLinkKind(TShellLinkKind kind);
  // The kind becomes lkCustom without checks (a folder lost its role).
  void FallBackToCustom() { link_kind_ = lkCustom; }
  const std::string& LinkName() const { return link_name_; }
  // Stored with its extension replaced by ".LNK" (appended if it has none).
  void SetLinkName(const std::string& name);
  TMethodType Method() const { return method_; }
  void SetMethod(TMethodType method) { method_ = method; }
  TInstallContainer* ObjectLink() const { return object_link_; }
  // Outside loading: checked against the kind; the link then points to the
  // object (ddObjectLink), is named after it and, without a container,
  // goes into it. None: ddAbsolute, and the file kinds fall back to lkCustom.
  void SetObjectLink(TInstallContainer* object);
  const std::string& ObjectLocation() const { return object_location_; }
  // A blank LinkName (or one that is just ".LNK") follows the location's file name.
  void SetObjectLocation(const std::string& location);
  TPathSpecifiers ObjectLocationType() const { return object_location_type_; }
  void SetObjectLocationType(TPathSpecifiers type);
  const std::string& Parameters() const { return parameters_; }
  void SetParameters(const std::string& p) { parameters_ = p; }

  // A new container that is not a folder of the kind's role makes the kind
  // lkCustom.
  void SetContainer(TInstallContainer* container) override;
  // For kinds other than lkCustom always ddContainerDestDir.
  void SetDestDirType(TPathSpecifiers type) override;

  // Initialises COM for the thread unless this link did already; raises
  // ESHELLCannotInitialize with the code when that fails.
  void InitializeCom();
  bool ComInitialized() const { return com_initialized_; }

  std::string GetObjectLocation() const;
  // GetDestDir with a trailing backslash + LinkName.
  std::string LinkFile() const;

  void ProcessHelpers() override;
  void WriteUninstallLog(const std::string& key) override;
  void ContainerRemoved(TInstallContainer* component) override;

 private:
  void MakeShellLink();
  // Frees a link its owner holds; one without owner belongs to its creator,
  // and one being loaded is freed by the reader.
  void ReleaseSelf();
  void MakeProgramManagerItem();

  uint16_t hot_key_ = 0;
  TShellLinkKind link_kind_ = lkCustom;
  std::string link_name_;
  TMethodType method_ = mtAutoDetect;
  TInstallContainer* object_link_ = nullptr;  // not owned
  std::string object_location_;
  TPathSpecifiers object_location_type_ = ddAbsolute;
  std::string parameters_;
  bool com_initialized_ = false;
  bool releasing_ = false;
  std::string before_process_name_, after_process_name_;
};

// Adds an item to a Program Manager group, replacing one of the same name:
// the group is created (or loaded), then the item added.
void AddProgramManagerItem(const std::string& group, const std::string& item, const std::string& command_line,
                           const std::string& default_dir);

}  // namespace kit
