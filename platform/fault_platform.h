// A Platform that wraps another one and injects failures for tests: refused
// registry writes, a disk that fills up, files in use, and the failure of the
// Nth call of any operation. It also counts every call, by operation name:
//
//   Files.Open Files.Attributes Files.SetAttributes Files.RemoveFile
//   Files.Rename Files.MoveEx Files.Copy Files.MakeDirectory Files.RemoveDir
//   Files.List Files.GetTime Files.SetTime Files.ShortPath Files.FullPath
//   Files.TempDirectory Files.TempFileName Files.SetCurrentDir Files.DiskSpace
//   File.Read File.Write File.Seek File.Truncate File.GetTime File.SetTime
//   Reg.Open Key.Query Key.Set Key.DeleteValue Key.ValueNames Key.SubkeyNames
//   Key.DeleteTree Ini.Read Ini.Write Ini.DeleteKey Ini.ReadSection
//   Ini.EraseSection System.Version System.WindowsDirectory
//   System.SystemDirectory Procs.RunAndWait Procs.Exec Procs.LoadModule
//   Procs.HasExport Procs.Call Procs.UnloadModule Procs.OleInitialize
//   Reboot.EnableShutdownPrivilege Reboot.ExitSystem
//
// A failed operation leaves its error code in LastError(), as the wrapped
// platform's own failures do.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kit {

class FaultPlatform : public Platform {
 public:
  explicit FaultPlatform(Platform& inner);
  ~FaultPlatform() override;

  // ---- faults
  // Registry writes (Set, DeleteValue, DeleteTree, Open with create) fail
  // with kAccessDenied for keys at or below `key_prefix` ("" = every key) of
  // `root` (every root when not given).
  void RefuseRegistryWrites(const std::string& key_prefix = "",
                            std::optional<RegRoot> root = std::nullopt);
  // The keys at or below `key_prefix` may be read but not written, as keys
  // whose access list grants reading only: besides the refused writes,
  // opening them with RegAccess::kAll fails with kAccessDenied; opening
  // them for reading works.
  void MakeRegistryKeysReadOnly(const std::string& key_prefix,
                                std::optional<RegRoot> root = std::nullopt);
  // After `bytes` more bytes written through File::Write (and Copy), writes
  // fail with kDiskFull; the write that crosses the limit is partial.
  void DiskFullAfter(uint64_t bytes);
  // The file behaves as held open by another process: opening it for
  // writing, deleting, renaming or replacing it, setting its time and
  // writing it as an INI file fail with kSharingViolation. Reading works.
  void MarkInUse(const std::string& path);
  void ClearInUse(const std::string& path);
  // The nth call from now (1 = the next) of `operation` fails with `error`;
  // with `and_later`, every call after it fails too.
  void FailNth(const std::string& operation, int n, uint32_t error, bool and_later = false);
  // MoveEx with movefile::kDelayUntilReboot fails with kAccessDenied, as for
  // a user who may not schedule renames at the next start.
  void RefuseDelayedMoves(bool on = true) { delayed_moves_refused_ = on; }
  bool delayed_moves_refused() const { return delayed_moves_refused_; }
  // Removes every fault (the counters stay).
  void ClearFaults();

  // ---- counters
  int Calls(const std::string& operation) const;
  uint64_t BytesWritten() const { return bytes_written_; }
  void ResetCounters();

  // ---- Platform
  FileSystem& Files() override;
  Registry& Reg() override;
  IniFiles& Ini() override;
  SystemInfo& System() override;
  Processes& Procs() override;
  kit::Restart& Reboot() override;
  DdeClient& Dde() override { return inner_.Dde(); }
  uint32_t LastError() override { return inner_.LastError(); }
  void SetError(uint32_t code) override { inner_.SetError(code); }
  std::string ErrorText(uint32_t code) override { return inner_.ErrorText(code); }

  // ---- used by the wrappers
  Platform& inner() { return inner_; }
  // Counts the call; true (with the error set) when it must fail.
  bool Inject(const char* operation);
  bool RegistryRefused(RegRoot root, const std::string& key_path);
  bool RegistryReadOnly(RegRoot root, const std::string& key_path);
  bool InUse(const std::string& path);
  // How many of `n` bytes may still be written.
  uint64_t WriteBudget(uint64_t n) const;
  void Written(uint64_t n) { bytes_written_ += n; }
  bool Fail(uint32_t code) {
    inner_.SetError(code);
    return false;
  }

 private:
  struct Nth {
    std::string operation;
    int remaining;
    uint32_t error;
    bool and_later;
  };
  struct RegFault {
    std::optional<RegRoot> root;
    std::string prefix;
    bool read_only = false;  // also refuses opening with full access
  };
  bool RegistryMatch(RegRoot root, const std::string& key_path, bool read_only_only) const;

  Platform& inner_;
  std::map<std::string, int> calls_;
  std::vector<Nth> nth_;
  std::vector<RegFault> reg_faults_;
  std::vector<std::string> in_use_;  // full paths
  bool delayed_moves_refused_ = false;
  std::optional<uint64_t> disk_budget_;
  uint64_t bytes_written_ = 0;

  class Fs;
  class Reg_;
  class Ini_;
  class Sys;
  class Proc;
  class Boot;
  std::unique_ptr<Fs> fs_;
  std::unique_ptr<Reg_> reg_;
  std::unique_ptr<Ini_> ini_;
  std::unique_ptr<Sys> sys_;
  std::unique_ptr<Proc> procs_;
  std::unique_ptr<Boot> boot_;
};

}  // namespace kit
