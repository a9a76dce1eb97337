// A whole Windows machine kept in one host directory, implementing Platform.
//
// Layout of a machine directory:
//   machine.ini     settings: version, language, code pages, directories,
//                   drive capacities (see machine_settings.h)
//   drives/c/...    drive C: (drives/a is the floppy A:, and so on); a drive
//                   listed in machine.ini without its folder has no medium
//   registry.reg    HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER and HKEY_USERS in
//                   REGEDIT4 text, as of the last compaction (closing or
//                   restarting the machine, or a long journal)
//   registry.log    the registry changes since, one self-checking record
//                   each, flushed to the disk before the call returns (see
//                   registry_journal.h). "kitvm regedit" shows both together.
//                   HKEY_CLASSES_ROOT is HKLM\SOFTWARE\Classes and
//                   HKEY_CURRENT_CONFIG is HKLM\SYSTEM\CurrentControlSet\Hardware
//                   Profiles\Current; HKEY_DYN_DATA exists, read-only
//                   and not persisted, on the Windows 95 family only
//   attributes.txt  file attributes other than the default (archive), one
//                   "hex<TAB>host-relative path" per line
//   journal.txt     one line per module, process and restart call
//   outcomes.ini    what those calls answer, set by a test:
//                     [C:\WINDOWS\SYSTEM\FOO.DLL]   (or just [FOO.DLL])
//                     Load=fail 193                 LoadLibrary fails so
//                     DllRegisterServer=0           export exists, returns 0
//                     DllUnregisterServer=missing   export does not exist
//                     [C:\TAVWIN\TINST.EXE]
//                     ExitCode=3                    RunAndWait's exit code
//                     Start=fail 2                  the program cannot start
//                     Exec=33                       WinExec's result
//                     Run=journal                   never run a native program
//                   Without an entry a module loads when it is a PE file (or
//                   any file when its section exists), its exports are those
//                   of its PE export table and return 0; a program exits
//                   with 0, and a host ELF program inside the machine is run
//                   for real by RunAndWait.
//   inuse.txt       files marked in use: "mode<TAB>Windows path" per line;
//                   mode "deny-all" (no other access) or "deny-write"
//                   (reading allowed)
//
// The machine's local time zone is UTC. Paths are compared without regard to
// letter case (ASCII folding) and resolve generated 8.3 names too. Sharing is
// enforced among the handles of this process and against marked files;
// another process using the machine at the same time sees its registry
// changes (the files are read again when they changed) but not its open
// handles.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/emulated/machine_settings.h"
#include "platform/platform.h"

namespace kit {

class EmulatedFileSystem;
class EmulatedRegistry;
class EmulatedIni;
class EmulatedSystemInfo;
class EmulatedProcesses;
class EmulatedRestart;
class EmulatedProgman;

enum class InUseMode { kDenyAll, kDenyWrite };

class EmulatedMachine : public Platform {
 public:
  // Creates a new machine in `host_dir` (which must not hold one yet; it is
  // created when missing) with its directories and a starting registry.
  static std::unique_ptr<EmulatedMachine> Create(const std::string& host_dir,
                                                 const MachineSettings& settings,
                                                 std::string* error);
  // Opens an existing machine; a missing or damaged machine fails with a
  // message naming the directory or file and what is wrong.
  static std::unique_ptr<EmulatedMachine> Open(const std::string& host_dir, std::string* error);
  static bool IsMachine(const std::string& host_dir);

  ~EmulatedMachine() override;

  FileSystem& Files() override;
  Registry& Reg() override;
  IniFiles& Ini() override;
  SystemInfo& System() override;
  Processes& Procs() override;
  kit::Restart& Reboot() override;
  DdeClient& Dde() override;
  uint32_t LastError() override { return last_error_; }
  void SetError(uint32_t code) override { last_error_ = code; }
  std::string ErrorText(uint32_t code) override;

  // ---- for tests and tools
  const std::string& HostDir() const { return host_dir_; }
  const MachineSettings& Settings() const { return settings_; }
  // The process the platform stands for: its Windows path and parameters.
  void SetProcess(const std::string& exe_path, const std::vector<std::string>& arguments);

  // The host path of a Windows path (which need not exist, but its parent
  // must); empty with *error when it cannot be resolved.
  std::string HostPath(const std::string& windows_path, std::string* error);

  // Marks a file in use as if another process held it open.
  bool MarkInUse(const std::string& windows_path, InUseMode mode, std::string* error);
  bool ClearInUse(const std::string& windows_path);
  // The marks as inuse.txt lists them (Windows paths, as marked).
  struct InUseMark {
    InUseMode mode = InUseMode::kDenyAll;
    std::string path;
  };
  std::vector<InUseMark> InUseMarks() const;

  // Outcomes (see the layout above), stored in outcomes.ini.
  bool SetOutcome(const std::string& file, const std::string& key, const std::string& value);
  bool SetExportResult(const std::string& module, const std::string& export_name, int32_t result);
  bool SetExportMissing(const std::string& module, const std::string& export_name);
  bool SetLoadFailure(const std::string& module, uint32_t error_code);
  bool SetExitCode(const std::string& program, uint32_t exit_code);

  std::vector<std::string> Journal() const;
  void ClearJournal();
  void AppendJournal(const std::string& line);

  // The next start of Windows: every process ends (open handles of this
  // process become invalid, marks are cleared), WININIT.INI [rename] is
  // carried out and renamed to WININIT.BAK, then PendingFileRenameOperations
  // is carried out and deleted. Each step is journaled.
  bool Restart(std::string* error);

  // The registry (or one key, "HKEY_LOCAL_MACHINE\SOFTWARE") as REGEDIT4.
  bool RegistryText(const std::string& key, std::string* text, std::string* error);
  // What opening the registry left out safely (a journal record cut short
  // by a crash, ...), one message naming the file each.
  const std::vector<std::string>& RegistryWarnings() const;

  // ---- used by the services
  EmulatedFileSystem& FilesImpl() { return *files_; }
  EmulatedRegistry& RegImpl() { return *reg_; }
  std::string ExePath() const { return exe_path_; }
  const std::vector<std::string>& Arguments() const { return arguments_; }
  std::string OutcomesFile() const;
  std::string InUseFile() const;

 private:
  EmulatedMachine(std::string host_dir, MachineSettings settings);
  bool Init(std::string* error);
  bool RunWininit();
  bool RunPendingRenames();
  bool SaveInUse(const std::vector<InUseMark>& marks, std::string* error);

  std::string host_dir_;
  MachineSettings settings_;
  uint32_t last_error_ = 0;
  std::string exe_path_;
  std::vector<std::string> arguments_;
  std::unique_ptr<EmulatedFileSystem> files_;
  std::unique_ptr<EmulatedRegistry> reg_;
  std::unique_ptr<EmulatedIni> ini_;
  std::unique_ptr<EmulatedSystemInfo> system_;
  std::unique_ptr<EmulatedProcesses> procs_;
  std::unique_ptr<EmulatedRestart> restart_;
  std::unique_ptr<EmulatedProgman> progman_;
};

}  // namespace kit
