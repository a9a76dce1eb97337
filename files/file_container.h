// TFileContainer: an install component that holds install files and further
// file containers. Its three runs go over the files: the install run
// (ProcessHelpers, through Process), the compress run (CompressFiles) and
// the copy run (CopyFiles). Progress, disk changes and replacements of its
// files come in through DoInformationEventControl; every container on the
// way up computes its own share from its own totals, raises its own events
// and feeds its own dialogs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/property.h"
#include "files/file_events.h"
#include "files/file_status_parameter.h"
#include "model/disk_parameter.h"
#include "model/file_related.h"

namespace kit {

class TInstallFile;

enum TFileContainerState { fcsNone, fcsCompress, fcsInstall, fcsCopy };
extern const EnumType kFileContainerStateType;

// The rule of the InstallTypes setters of file groups, files and the driver:
// itAlways never stands together with another type (adding it clears the
// others, adding another type to [itAlways] drops it); empty is [itAlways].
TInstallTypeSet InstallTypesAfterSetting(TInstallTypeSet old_set, TInstallTypeSet value);

// The counting rule of TotalSize: Include, and the component's install type
// itAlways, or its set holds itAlways or its install type.
bool CountsInTotals(const TInstallContainer& component);

class TFileContainer : public TFileRelated {
  KIT_COMPONENT_CLASS(TFileContainer)

 public:
  explicit TFileContainer(TComponent* owner, int32_t processing_rank = rank::kNone);
  ~TFileContainer() override;

  // Publishes AddToArchive, the archive pair, InstallTypes, State and the
  // events; file groups and the driver add the rest.
  static const PropertyTable& Properties();

  // ---- properties
  int32_t TotalBytes() const { return total_bytes_; }
  int32_t BytesDone() const { return bytes_done_; }
  bool AllowChangeDir() const { return allow_change_dir_; }
  void SetAllowChangeDir(bool v) { allow_change_dir_ = v; }
  bool AllowChoice() const { return allow_choice_; }
  void SetAllowChoice(bool v) { allow_choice_ = v; }
  const std::vector<std::string>& Description() const { return description_; }
  void SetDescription(const std::vector<std::string>& lines) { description_ = lines; }
  const std::string& GroupName() const { return group_name_; }
  void SetGroupName(const std::string& name) { group_name_ = name; }
  // With the setter rule outside of loading.
  void SetInstallTypesChecked(TInstallTypeSet types);

  TFileContainerState State() const { return state_; }
  // An action: fcsCompress runs CompressFiles(false), fcsInstall Process,
  // fcsCopy CopyFiles. State reads fcsNone afterwards, whatever happened.
  virtual void SetState(TFileContainerState state);

  TInstallFileStatusEvent on_status;
  TInstallFileNewDiskEvent on_new_disk;
  TInstallFileNotifyEvent on_replacing;
  TAfterProcessFilesEvent on_close_copy_file_dlg;
  TInstallContainerNotifyEvent on_show_copy_file_dlg;

  // ---- the files
  int InstallFileCount() const;
  TInstallFile* InstallFiles(int index) const;
  int FileContainerCount() const;
  // The first direct install file whose source path equals `path` (without
  // regard to case), or null.
  virtual TInstallFile* FindInstallFile(const std::string& path) const;
  virtual void FreeInstallFiles();

  // ---- the runs
  // Puts every included file below into archives; Force writes all of
  // them into this container's archive.
  virtual void CompressFiles(bool force);
  // Copies the files uncompressed from their source to their destination.
  virtual void CopyFiles();
  // The install run, reached through Process.
  void ProcessHelpers() override;

  // Every install file reads its size, date and version from the archive,
  // then every sub-container does the same; under the hourglass.
  void ReadArchiveInfo() override;
  // The same from the source files.
  virtual void ReadSourceInfo();
  // Sums over the files and sub-containers that count (all with `all`).
  virtual int32_t TotalSize(bool all) const;
  virtual int32_t TotalCompressedSize(bool all) const;

  // ---- the reports of the files
  void DoInformationEventControl(TInstallContainer* sender, const std::string& event_name,
                                 TParameterObject* parameter) override;
  virtual void NewDisk(TInstallFile* file, TDiskParameter* disk);
  virtual void Replacing(TInstallFile* file);
  virtual void Status(TInstallFile* file, TFileStatusParameter* status);

 protected:
  // Binds the events of a stored form; used by the property tables.
  struct EventNames {
    std::string status, new_disk, replacing, close_copy_file_dlg, show_copy_file_dlg;
  } event_names_;

 private:
  int32_t SumOver(bool all, bool compressed) const;
  void Report(TInstallContainer* sender, const std::string& event_name, TParameterObject* parameter);

  int32_t total_bytes_ = 0;
  int32_t bytes_done_ = 0;
  bool allow_change_dir_ = true;
  bool allow_choice_ = true;
  std::vector<std::string> description_;
  std::string group_name_;
  TFileContainerState state_ = fcsNone;
};

// While it lives, the install engine deflates ahead, on the processors it has
// been given, the sources `first` and then those of the files below the
// container in the order they come. One set while another lives does
// nothing, so each container may set one and the outermost holds.
class TKblnCompress;

class ExpectedSources {
 public:
  ExpectedSources(TFileContainer& container, bool force, std::vector<std::string> first = {});
  ~ExpectedSources();
  ExpectedSources(const ExpectedSources&) = delete;
  ExpectedSources& operator=(const ExpectedSources&) = delete;

 private:
  TKblnCompress& engine_;
  bool owner_ = false;
};

}  // namespace kit
