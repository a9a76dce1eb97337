#include "files/install_file.h"

#include <limits>

#include "archive/file_date.h"
#include "archive/kbln_compress.h"
#include "base/exception.h"
#include "base/paths.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "base/unattended.h"
#include "files/batch_link.h"
#include "files/cleanup.h"
#include "files/file_container.h"
#include "files/file_status_parameter.h"
#include "files/install_engine.h"
#include "model/disk_parameter.h"
#include "model/errors.h"
#include "model/install_driver.h"
#include "model/parameter_list.h"
#include "model/reboot_needed.h"
#include "platform/current_platform.h"
#include "system/activex_registration.h"
#include "system/file_replacer.h"
#include "system/help_file.h"
#include "system/install_log.h"
#include "system/new_disk_prompt.h"
#include "system/shared_dll.h"
#include "system/translated_format.h"
#include "ui/handler_table.h"
#include "ui/message_box.h"

namespace kit {
namespace {

std::string MakeSourcePath(const std::string& dir, const std::string& name) {
  return dir.empty() ? name : AddTrailingBackslash(dir) + name;
}

// An 8.3 name has at most 12 characters.
constexpr size_t kShortNameLength = 12;

}  // namespace

const EnumType kInstallFileTypeType("TInstallFileType",
                                    {"iftNormal", "iftJustADLL", "iftApplicationSpecificDLL",
                                     "iftVendorSharedDLL", "iftSystemWideDLL"});
const EnumType kInstallFileStateType("TInstallFileState",
                                     {"ifsNone", "ifsCompress", "ifsInstall", "ifsCopying"});
const EnumType kOverwriteTypeType("TOverwriteType",
                                  {"owAlways", "owNever", "owVersion", "owDate", "owVersionDate"});

const PropertyTable& TInstallFile::Properties() {
  static const PropertyTable table = PropertyTable::Make<TInstallFile, TFileRelated>([](auto& p) {
    using F = TInstallFile;
    p.Str("DestName", &F::SetDestName, &F::DestName);
    p.Str("FileName", &F::SetFileName, &F::FileName);
    p.Enum("FileType", &F::SetFileType, &F::FileType, kInstallFileTypeType);
    p.Bool("Include", &F::SetInclude, &F::Include);
    p.Str("IncludeFromDir", &F::SetIncludeFromDir, &F::IncludeFromDir);
    p.Set(
        "InstallTypes",
        [](F* f, uint8_t bits) { f->SetInstallTypesChecked(TInstallTypeSet::FromBits(bits)); },
        [](F* f) { return static_cast<uint8_t>(f->InstallTypes().Bits()); }, kInstallTypeType);
    p.Int("Order", &F::SetOrder, &F::Order);
    p.Enum("OverwriteMode", &F::SetOverwriteMode, &F::OverwriteMode, kOverwriteTypeType);
    p.Bool("RegisterAsActiveX_DLLStyle", &F::SetRegisterAsActiveX_DLLStyle,
           &F::RegisterAsActiveX_DLLStyle);
    p.Bool("RegisterAsActiveX_EXEStyle", &F::SetRegisterAsActiveX_EXEStyle,
           &F::RegisterAsActiveX_EXEStyle);
    p.Bool("RegisterAsHelp", &F::SetRegisterAsHelp, &F::RegisterAsHelp);
    p.Object("Repository", [](F* f) -> TRepository& { return f->Repository(); });
    p.Enum("State", &F::SetState, &F::State, kInstallFileStateType);
    p.Bool("UpdateDLLCounter", &F::SetUpdateDLLCounter, &F::UpdateDLLCounter);
    auto bind = [&p](const char* name, auto slot, std::string EventNames::*field) {
      PublishEvent(p, name, slot, &F::event_names_, field);
    };
    bind("OnAfterCompress", &F::on_after_compress, &EventNames::after_compress);
    bind("OnAfterCopy", &F::on_after_copy, &EventNames::after_copy);
    bind("OnAfterInstallFile", &F::on_after_install_file, &EventNames::after_install_file);
    bind("OnBeforeCompress", &F::on_before_compress, &EventNames::before_compress);
    bind("OnBeforeCopy", &F::on_before_copy, &EventNames::before_copy);
    bind("OnBeforeInstallFile", &F::on_before_install_file, &EventNames::before_install_file);
    bind("OnReplacing", &F::on_replacing, &EventNames::replacing);
    bind("OnStatus", &F::on_status, &EventNames::status);
    bind("OnNewDisk", &F::on_new_disk, &EventNames::new_disk);
  });
  return table;
}

TInstallFile::TInstallFile(TComponent* owner)
    : TFileRelated(owner, rank::kInstallFile), repository_(std::make_unique<TRepository>(this)) {
  SetAutoProcess(true);
  SetInclude(true);
}

TInstallFile::~TInstallFile() {
  ReleaseInstallEngineHandlers(this);
  repository_.reset();
  AnnounceDestruction();
}

void TInstallFile::Loaded() { TFileRelated::Loaded(); }

// ------------------------------------------------------------------ paths

std::string TInstallFile::DestPath() const { return AddTrailingBackslash(GetDestDir()) + dest_name_; }

std::string TInstallFile::SourcePath() const { return MakeSourcePath(include_from_dir_, file_name_); }

// ------------------------------------------------------------------ property rules

void TInstallFile::CheckDuplicate(TInstallContainer* container, const std::string& source_path) const {
  auto* files = dynamic_cast<TFileContainer*>(container);
  if (files == nullptr) return;
  for (int i = 0; i < files->HelperCount(); ++i) {
    auto* other = dynamic_cast<TInstallFile*>(files->Helpers(i));
    if (other != nullptr && other != this && SameText(other->SourcePath(), source_path))
      throw EAIIFDuplicateFileInGroup(source_path);
  }
}

void TInstallFile::SetFileName(const std::string& name) {
  if (IsLoading()) {
    file_name_ = name;
    return;
  }
  if (name == file_name_) return;
  CheckDuplicate(Container(), MakeSourcePath(include_from_dir_, name));
  file_name_ = name;
  SetDestName(name);
  DeriveFromExtension();
}

void TInstallFile::SetIncludeFromDir(const std::string& dir) {
  if (IsLoading()) {
    include_from_dir_ = dir;
    return;
  }
  if (dir == include_from_dir_) return;
  CheckDuplicate(Container(), MakeSourcePath(dir, file_name_));
  include_from_dir_ = dir;
  DeriveFromExtension();
}

void TInstallFile::DeriveFromExtension() {
  const std::string ext = UpperCase(ExtractFileExt(file_name_));
  register_as_help_ = ext == ".HLP" || ext == ".CNT";
  bool self_registering = false;
  try {
    self_registering = IsSelfRegistering();
  } catch (...) {
    self_registering = false;
  }
  if (ext == ".OCX")
    SetRegisterAsActiveX_DLLStyle(true);
  else if (ext == ".EXE" && self_registering)
    SetRegisterAsActiveX_EXEStyle(true);
  else
    SetRegisterAsActiveX_DLLStyle(self_registering);
  if (dll_style_ || exe_style_) update_dll_counter_ = true;
}

void TInstallFile::SetDestName(const std::string& name) {
  dest_name_ = name;
  if (IsLoading()) return;
  if (file_type_ != iftNormal && name.size() > kShortNameLength) {
    dest_name_ = kPlaceholderDllName;
    throw EAIIFDLLNameConflict(file_name_);
  }
}

void TInstallFile::SetFileType(TInstallFileType type) {
  if (IsLoading()) {
    file_type_ = type;
    return;
  }
  if (type != iftNormal && dest_name_.size() > kShortNameLength) {
    dest_name_ = kPlaceholderDllName;
    throw EAIIFDLLNameConflict(file_name_);
  }
  switch (type) {
    case iftApplicationSpecificDLL:
      StoreDestDirType(ddMainInstallDir);
      TFileRelated::SetDestDir("\\System");
      break;
    case iftVendorSharedDLL:
      StoreDestDirType(ddCommonFilesDir);
      TFileRelated::SetDestDir("\\System");
      update_dll_counter_ = true;
      break;
    case iftSystemWideDLL:
      StoreDestDirType(ddSystem);
      TFileRelated::SetDestDir(std::string());
      overwrite_mode_ = owVersionDate;
      update_dll_counter_ = true;
      break;
    case iftNormal:
    case iftJustADLL:
      break;
  }
  file_type_ = type;
}

void TInstallFile::SetDestDir(const std::string& dir) {
  if (IsLoading()) {
    TFileRelated::SetDestDir(dir);
    return;
  }
  switch (file_type_) {
    case iftApplicationSpecificDLL:
    case iftVendorSharedDLL: TFileRelated::SetDestDir("\\System"); break;
    case iftSystemWideDLL: TFileRelated::SetDestDir(std::string()); break;
    default: TFileRelated::SetDestDir(dir); break;
  }
}

void TInstallFile::SetDestDirType(TPathSpecifiers type) {
  if (!IsLoading()) {
    const char* message = nullptr;
    if (file_type_ == iftApplicationSpecificDLL && type != ddMainInstallDir)
      message = "DestDirType must be set to ddMainInstall for iftApplicationSpecificDLL files";
    else if (file_type_ == iftVendorSharedDLL && type != ddCommonFilesDir)
      message = "DestDirType must be set to ddCommonFiles for iftVendorSharedDLL";
    else if (file_type_ == iftSystemWideDLL && type != ddSystem)
      message = "DestDirType must be set to ddSystem for iftSystemWideDLL files";
    if (message != nullptr) throw Exception(TranslateMessage(message));
  }
  TFileRelated::SetDestDirType(type);
}

void TInstallFile::SetRegisterAsActiveX_DLLStyle(bool on) {
  dll_style_ = on;
  if (on && !IsLoading()) {
    exe_style_ = false;
    update_dll_counter_ = true;
  }
}

void TInstallFile::SetRegisterAsActiveX_EXEStyle(bool on) {
  exe_style_ = on;
  if (on && !IsLoading()) {
    dll_style_ = false;
    update_dll_counter_ = true;
  }
}

void TInstallFile::SetInstallTypesChecked(TInstallTypeSet types) {
  SetInstallTypes(IsLoading() ? types : InstallTypesAfterSetting(InstallTypes(), types));
}

void TInstallFile::SetContainer(TInstallContainer* container) {
  if (container != Container() && !IsLoading() && container != nullptr) {
    if (dynamic_cast<TFileContainer*>(container) == nullptr) throw EAIIFNotFileContainer(Name());
    CheckDuplicate(container, SourcePath());
  }
  TFileRelated::SetContainer(container);
}

void TInstallFile::SetState(TInstallFileState state) {
  if (IsLoading()) return;  // an action, never a stored value
  try {
    switch (state) {
      case ifsCompress: Compress(); break;
      case ifsInstall: Process(); break;
      case ifsCopying: Copy(); break;
      case ifsNone: break;
    }
  } catch (...) {
    state_ = ifsNone;
    throw;
  }
  state_ = ifsNone;
}

// ------------------------------------------------------------------ information

void TInstallFile::ReadArchiveInfo() {
  const std::string archive = GetArchiveFile();
  if (Trim(archive).empty()) throw EAIIFBlankArchiveFile(file_name_);
  TKblnCompress& engine = InstallEngine();
  engine.SetCompressedFile(archive);
  const int index = engine.IndexOfFile(SourcePath());
  if (index < 0) return;
  const TFileHeader& h = *engine.Headers().FileHeaders(index);
  compressed_size_ = h.CompressedSize;
  file_date_ = h.FileDate;
  file_size_ = h.FileSize;
  file_version_ = h.FileVersion();
}

void TInstallFile::ReadSourceInfo() {
  const std::string source = SourcePath();
  FileSystem& fs = CurrentPlatform().Files();
  auto file = fs.Open(source, FileAccess::kRead, share::kRead | share::kWrite, Disposition::kOpenExisting);
  if (!file) throw EAIIFCouldNotOpenFileImage(source);
  uint32_t dos_time = 0;
  const bool dated = file->GetTime(&dos_time);
  if (dated) file_date_ = DosToFileDate(dos_time);
  const int64_t size = file->Size();
  if (size < 0) throw EAIIFCouldNotOpenFileImage(source);
  file_size_ = size > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                          : static_cast<int32_t>(size);
  file.reset();
  // Each container above the file reads it again: its version is read once.
  file_version_ = dated ? SourceFileVersion(source, size, dos_time) : SharedFileVersion(source);
}

bool TInstallFile::IsSelfRegistering() const { return kit::IsSelfRegistering(SourcePath()); }

bool TInstallFile::UpdateSharedDLLCount() { return kit::UpdateSharedDLLCount(DestPath(), Name()); }

// ------------------------------------------------------------------ engine hooks

void TInstallFile::HookEngine(TKblnCompress& engine) {
  ClaimInstallEngineHandlers(this);
  engine.OnAborted = [this](TKblnCompress&) { RaiseUserAbort(); };
  engine.OnNewDisk = [this](TKblnCompress& e, int disk, std::string& path) { NewDiskHandler(e, disk, path); };
  engine.OnReplace = [this](TKblnCompress&, const TlzhFileStats&) { ReplaceFile(); };
  engine.OnStatus = [this](TKblnCompress&, const TlzhFileStats& stats) { StatusHandler(stats); };
}

void TInstallFile::RaiseUserAbort() { throw EAIUserAbort(); }

void TInstallFile::ReportUp(const char* event_name, TParameterObject* parameter) {
  if (Container() != nullptr) Container()->DoInformationEventControl(this, event_name, parameter);
}

void TInstallFile::StatusHandler(const TlzhFileStats& stats) {
  TFileStatusParameter status;
  status.BytesProcessed = stats.BytesProcessed;
  status.FilePercentDone = stats.PercentDone;
  status.FileName = file_name_;
  status.FileStats = stats;
  status.TotalBytesProcessed = stats.TotalBytesProcessed;
  status.TotalPercentDone = stats.TotalPercentDone;
  TParameterList list{this, &status};
  if (on_status) {
    TInstallFileStatusEvent handler = on_status;
    handler(this, stats.PercentDone, stats.TotalPercentDone);
  }
  NotifyDialogs(this, event::kCopyingFile, &status);
  const char* name = nullptr;
  switch (state_) {
    case ifsCompress: name = event::kCompressingFile; break;
    case ifsInstall: name = event::kInstallingFile; break;
    case ifsCopying: name = event::kCopyingFileReport; break;
    case ifsNone: break;
  }
  if (name != nullptr) ReportUp(name, &list);
}

void TInstallFile::NewDiskHandler(TKblnCompress& engine, int32_t disk_number, std::string& path) {
  SetTag(0);
  TDiskParameter disk(disk_number, RemoveTrailingBackslash(ExtractFilePath(GetArchiveFile())));
  TParameterList list{this, &disk};
  try {
    if (on_new_disk) {
      std::string answer = disk.Path();
      TInstallFileNewDiskEvent handler = on_new_disk;
      handler(this, disk_number, answer);
      disk.SetPath(answer);
    }
    NotifyDialogs(this, event::kChangeDisk, &list);
    ReportUp(event::kChangeDiskReport, &list);
    if (Unattended::Active()) {
      FindVolumeUnattended(disk);
    } else if (!on_new_disk && Tag() == 0) {
      const int answer = ShowMessageBox(NewDiskPromptText(disk_number), "",
                                        mb::kOkCancel | mb::kIconInformation);
      engine.SetAbort(answer == id::kCancel);
    }
    path = RemoveTrailingBackslash(disk.Path());
  } catch (...) {
    SetTag(0);
    throw;
  }
  SetTag(0);
}

void TInstallFile::FindVolumeUnattended(TDiskParameter& disk) {
  // Nobody can change the disk: the volume is looked for where the handlers
  // left the path, then in the source directory, and its absence ends the run.
  const std::string volume =
      ChangeFileExt(ExtractFileName(GetArchiveFile()), "." + std::to_string(disk.DiskNumber()));
  FileSystem& fs = CurrentPlatform().Files();
  std::vector<std::string> places{RemoveTrailingBackslash(disk.Path())};
  if (InstallDriver* driver = Driver(); driver != nullptr && !driver->SourceDirectory().empty())
    places.push_back(RemoveTrailingBackslash(driver->SourceDirectory()));
  for (const std::string& dir : places) {
    if (fs.Exists(dir + "\\" + volume)) {
      LogStep("disk", "disk " + std::to_string(disk.DiskNumber()) + ": " + dir + "\\" + volume);
      disk.SetPath(dir);
      return;
    }
  }
  throw Exception("Disk " + std::to_string(disk.DiskNumber()) + " of the installation is needed for " +
                  Name() + ", but its volume " + volume + " is not in " + places.back() +
                  ". An unattended installation cannot ask for it");
}

void TInstallFile::ReplaceFile() {
  if (on_replacing) {
    TInstallFileNotifyEvent handler = on_replacing;
    handler(this);
  }
  NotifyDialogs(this, event::kReplacingFile, this);
  ReportUp(event::kReplaceInstallFile, this);

  InstallDriver* driver = Driver();
  const FileReplacement r = ReplaceFileInUse(GetDestDir(), dest_name_, driver != nullptr);
  if (!r.in_use) return;
  replaced_at_reboot_ = true;
  LogStep("restart", GetDestDir() + "\\" + dest_name_ + " is in use: " + r.temp_name +
                         " takes its place at the restart of Windows");
  InstallEngine().DestFileName = r.temp_name;
  if (r.reboot_needed) SetRebootNeeded(true);
  if (driver != nullptr)
    for (const UnfinishedEntry& entry : r.unfinished) driver->AddUnfinishedEntry(entry.subject, entry.kind);
  if (r.method == ReplaceMethod::kBatch) MakeBatchStartupLink(*this, r.batch_file, r.platform_class);
}

void TInstallFile::RegisterDLLServer() {
  kit::RegisterDLLServer(GetDestDir(), dest_name_, Name());
  LogStep("register", DestPath() + ": ActiveX server registered (DllRegisterServer)");
}

void TInstallFile::RegisterEXEServer() {
  kit::RegisterEXEServer(GetDestDir(), dest_name_, Name());
  LogStep("register", DestPath() + ": ActiveX server registered (/REGSERVER)");
}

void TInstallFile::FinishAfterReboot() {
  if (dll_style_) RegisterDLLServer();
  if (exe_style_) RegisterEXEServer();
}

void TInstallFile::WriteUninstallLog(const std::string& key) {
  WriteInstallFileLogEntry(key, DestPath(), dll_style_, exe_style_);
}

// ------------------------------------------------------------------ the steps

std::string TInstallFile::TrimmedDestDirOrRaise() const {
  std::string dir = GetDestDir();
  if (Trim(dir).empty())
    throw Exception(TranslatedFormat(
        "The GetDestDir returned a blank value for the TInstallFile %s. You need to set either the "
        "DestDir property or the DestDirType property or both",
        {Name()}));
  return dir;
}

namespace {

void MakeDestinationDirectory(const std::string& dir) {
  FileSystem& fs = CurrentPlatform().Files();
  if (fs.DirectoryExists(dir)) return;
  if (!fs.MakeDirectories(dir))
    throw Exception(TranslatedFormat("Cannot create the directory %s", {dir}));
}

}  // namespace

void TInstallFile::ProcessHelpers() {
  state_ = ifsInstall;
  replaced_at_reboot_ = false;
  TKblnCompress& engine = InstallEngine();
  auto finish = [&] {
    try {
      NotifyDialogs(this, event::kDoneCopyingFiles, nullptr);
    } catch (...) {
      engine.SetAbort(true);
      state_ = ifsNone;
      throw;
    }
    state_ = ifsNone;
  };
  RunWithCleanup([&] {
    ReportUp(event::kBeforeInstallFile, this);
    if (on_before_install_file) {
      TInstallFileNotifyEvent handler = on_before_install_file;
      handler(this);
    }
    const std::string dir = TrimmedDestDirOrRaise();
    MakeDestinationDirectory(dir);
    const std::string archive = GetArchiveFile();
    if (Trim(archive).empty()) throw EAIIFBlankArchiveFile(file_name_);

    engine.SetCompressedFile(archive);
    engine.SetExtractDirectory(dir);
    engine.DestFileName = dest_name_;
    engine.SetOverwrite(overwrite_mode_);
    HookEngine(engine);
    engine.SetFilesToProcess({SourcePath()});
    engine.ExtractFiles();

    if (register_as_help_) RegisterHelpFile(dir, dest_name_);
    if (update_dll_counter_ && !UpdateSharedDLLCount()) throw EAIIFCannotUpdateDLLCountInRegistry(file_name_);
    repository_->Register();
    InstallDriver* driver = Driver();
    if (replaced_at_reboot_ && driver != nullptr) {
      driver->AddUnfinishedEntry(Name(), 0);
    } else {
      if (dll_style_) RegisterDLLServer();
      if (exe_style_) RegisterEXEServer();
    }
    if (on_after_install_file) {
      TInstallFileNotifyEvent handler = on_after_install_file;
      handler(this);
    }
    ReportUp(event::kAfterInstallFile, this);
    TFileRelated::ProcessHelpers();
  }, finish);
}

void TInstallFile::Compress() {
  state_ = ifsCompress;
  TKblnCompress& engine = InstallEngine();
  auto finish = [&] {
    state_ = ifsNone;
    NotifyDialogs(this, event::kDoneCopyingFiles, nullptr);
    engine.SetAbort(true);
  };
  RunWithCleanup([&] {
    try {
      if (on_before_compress) {
        TInstallFileNotifyEvent handler = on_before_compress;
        handler(this);
      }
      ReportUp(event::kBeforeCompressFile, this);
      const std::string archive = GetArchiveFile();
      if (Trim(archive).empty()) throw EAIIFBlankArchiveFile(file_name_);
      if (!Include()) throw EAbort();
      const std::string archive_dir = ExtractFileDir(archive);
      if (!archive_dir.empty()) MakeDestinationDirectory(archive_dir);
      engine.SetCompressedFile(archive);
      HookEngine(engine);
      engine.SetFilesToProcess({SourcePath()});
      engine.AddFiles(AddToArchive() == lzcOnlyAdd);
      if (on_after_compress) {
        TInstallFileNotifyEvent handler = on_after_compress;
        handler(this);
      }
      ReportUp(event::kAfterCompressFile, this);
    } catch (const EAbort&) {
      // An excluded file ends its step quietly.
    }
  }, finish);
}

void TInstallFile::Copy() {
  state_ = ifsCopying;
  TKblnCompress& engine = InstallEngine();
  auto finish = [&] {
    state_ = ifsNone;
    NotifyDialogs(this, event::kDoneCopyingFiles, nullptr);
  };
  RunWithCleanup([&] {
    try {
      if (on_before_copy) {
        TInstallFileNotifyEvent handler = on_before_copy;
        handler(this);
      }
      ReportUp(event::kBeforeCopyFile, this);
      if (!Include()) throw EAbort();
      const std::string dir = TrimmedDestDirOrRaise();
      MakeDestinationDirectory(dir);
      HookEngine(engine);
      engine.CopyFile(SourcePath(), DestPath());
      if (on_after_copy) {
        TInstallFileNotifyEvent handler = on_after_copy;
        handler(this);
      }
      ReportUp(event::kAfterCopyFile, this);
    } catch (const EAbort&) {
      // An excluded file ends its step quietly.
    }
  }, finish);
}

}  // namespace kit
