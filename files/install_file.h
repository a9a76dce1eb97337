// TInstallFile: one file of an installation. At build time it names the
// source file that goes into the archive (IncludeFromDir + FileName); at
// installation time its install step extracts that member into GetDestDir
// + DestName under its overwrite rule and then does what the file needs on
// the target system: the help-file value, the shared-DLL counter, object
// repository entries, ActiveX self-registration, and, after the step, its
// entry in the installation log. A destination in use is replaced at the
// next start of Windows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "archive/archive_types.h"
#include "base/property.h"
#include "files/file_events.h"
#include "model/file_related.h"
#include "model/repository.h"
#include "model/repository_file.h"

namespace kit {

class TKblnCompress;
class TFileContainer;
class TDiskParameter;

enum TInstallFileType {
  iftNormal,
  iftJustADLL,
  iftApplicationSpecificDLL,
  iftVendorSharedDLL,
  iftSystemWideDLL
};
enum TInstallFileState { ifsNone, ifsCompress, ifsInstall, ifsCopying };
extern const EnumType kInstallFileTypeType;
extern const EnumType kInstallFileStateType;
extern const EnumType kOverwriteTypeType;

// The placeholder an over-long DLL name is replaced by.
inline constexpr const char* kPlaceholderDllName = "12345678.DLL";

class TInstallFile : public TFileRelated, public RepositoryFile {
  KIT_COMPONENT_CLASS(TInstallFile)

 public:
  explicit TInstallFile(TComponent* owner);
  ~TInstallFile() override;
  static const PropertyTable& Properties();

  // ---- properties
  bool ReplacedAtReboot() const { return replaced_at_reboot_; }
  int32_t CompressedSize() const { return compressed_size_; }
  double FileDate() const { return file_date_; }
  int32_t FileSize() const { return file_size_; }
  const std::string& FileVersion() const { return file_version_; }

  const std::string& DestName() const { return dest_name_; }
  virtual void SetDestName(const std::string& name);
  const std::string& FileName() const { return file_name_; }
  virtual void SetFileName(const std::string& name);
  TInstallFileType FileType() const { return file_type_; }
  virtual void SetFileType(TInstallFileType type);
  const std::string& IncludeFromDir() const { return include_from_dir_; }
  virtual void SetIncludeFromDir(const std::string& dir);
  TOverwriteType OverwriteMode() const { return overwrite_mode_; }
  void SetOverwriteMode(TOverwriteType mode) { overwrite_mode_ = mode; }
  bool RegisterAsActiveX_DLLStyle() const { return dll_style_; }
  virtual void SetRegisterAsActiveX_DLLStyle(bool on);
  bool RegisterAsActiveX_EXEStyle() const { return exe_style_; }
  virtual void SetRegisterAsActiveX_EXEStyle(bool on);
  bool RegisterAsHelp() const { return register_as_help_; }
  void SetRegisterAsHelp(bool on) { register_as_help_ = on; }
  bool UpdateDLLCounter() const { return update_dll_counter_; }
  void SetUpdateDLLCounter(bool on) { update_dll_counter_ = on; }
  TRepository& Repository() const { return *repository_; }
  void SetInstallTypesChecked(TInstallTypeSet types);

  TInstallFileState State() const { return state_; }
  // An action: ifsCompress runs Compress, ifsInstall Process, ifsCopying
  // Copy; State reads ifsNone afterwards.
  virtual void SetState(TInstallFileState state);

  void SetDestDir(const std::string& dir) override;
  void SetDestDirType(TPathSpecifiers type) override;
  void SetContainer(TInstallContainer* container) override;

  TInstallFileNotifyEvent on_after_compress, on_after_copy, on_after_install_file,
      on_before_compress, on_before_copy, on_before_install_file, on_replacing;
  TInstallFileStatusEvent on_status;
  TInstallFileNewDiskEvent on_new_disk;

  // ---- paths
  // GetDestDir with a trailing backslash, then DestName.
  std::string DestPath() const;
  // IncludeFromDir with a trailing backslash when it has none, then
  // FileName; also the member's name in the archive.
  std::string SourcePath() const;
  std::string LinkedObjectPath() const override { return DestPath(); }
  // RepositoryFile
  std::string InstalledDir() const override { return GetDestDir(); }
  std::string InstalledName() const override { return dest_name_; }

  // ---- the steps
  // The install step, reached through Process.
  void ProcessHelpers() override;
  // The compress and copy steps of the containers' runs.
  virtual void Compress();
  virtual void Copy();
  // Size, date and version from the archive header of the member (nothing
  // changes when the archive has no such member) or from the source file.
  void ReadArchiveInfo() override;
  virtual void ReadSourceInfo();

  virtual void RaiseUserAbort();
  // The engine's replace hook: deletes the old file, or, when it is in
  // use, writes the new one beside it and schedules the swap.
  virtual void ReplaceFile();
  virtual void RegisterDLLServer();
  virtual void RegisterEXEServer();
  virtual bool IsSelfRegistering() const;
  virtual bool UpdateSharedDLLCount();
  void FinishAfterReboot() override;
  void WriteUninstallLog(const std::string& key) override;

  void Loaded() override;

 protected:
  struct EventNames {
    std::string after_compress, after_copy, after_install_file, before_compress, before_copy,
        before_install_file, replacing, status, new_disk;
  } event_names_;

 private:
  // Sets the engine's handlers for this file's step.
  void HookEngine(TKblnCompress& engine);
  void NewDiskHandler(TKblnCompress& engine, int32_t disk_number, std::string& path);
  // The volume of a disk change in an unattended run, or the failure naming it.
  void FindVolumeUnattended(TDiskParameter& disk);
  void StatusHandler(const TlzhFileStats& stats);
  void ReportUp(const char* event_name, TParameterObject* parameter);
  // The duplicate check of FileName and IncludeFromDir against `container`.
  void CheckDuplicate(TInstallContainer* container, const std::string& source_path) const;
  // The extension rules after FileName or IncludeFromDir changed.
  void DeriveFromExtension();
  std::string TrimmedDestDirOrRaise() const;

  bool replaced_at_reboot_ = false;
  int32_t compressed_size_ = 0;
  double file_date_ = 0;
  std::string dest_name_;
  std::string file_name_;
  TInstallFileType file_type_ = iftNormal;
  std::string include_from_dir_;
  TOverwriteType overwrite_mode_ = owAlways;
  bool dll_style_ = false;
  bool exe_style_ = false;
  bool register_as_help_ = false;
  std::unique_ptr<TRepository> repository_;
  int32_t file_size_ = 0;
  TInstallFileState state_ = ifsNone;
  bool update_dll_counter_ = false;
  std::string file_version_;
};

}  // namespace kit
