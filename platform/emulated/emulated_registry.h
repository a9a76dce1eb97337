// The registry of the emulated machine: a tree per persisted root, kept in
// registry.reg (REGEDIT4) and registry.log (the changes since, see
// registry_journal.h). A change is one record appended to registry.log and
// flushed to the disk before it is reported done, so its cost does not grow
// with the registry. Loading reads registry.reg and replays registry.log;
// compacting writes the whole registry to registry.reg (atomically) and
// starts an empty journal: when the machine closes or restarts, and when the
// journal has grown past the size of registry.reg (at least 1 MiB).
//
// Another process (or another EmulatedMachine of the same directory) may use
// the registry at the same time: changes are made under an exclusive lock of
// the machine directory, reading takes a shared one, and every call first
// takes in what the others have appended or rewritten.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/emulated/regedit4.h"
#include "platform/platform.h"

namespace kit {
namespace emu {
struct JournalScan;
}

class EmulatedMachine;

class EmulatedRegistry : public Registry {
 public:
  explicit EmulatedRegistry(EmulatedMachine& machine);
  ~EmulatedRegistry() override;  // compacts

  // Reads registry.reg and replays registry.log. A malformed registry.reg
  // fails with the file, line and what is wrong; a damaged end of the
  // journal is left unused and reported in Warnings().
  bool Load(std::string* error);
  // Writes the whole registry to registry.reg and empties the journal (when
  // it holds anything).
  bool Compact(std::string* error);

  std::unique_ptr<RegKey> Open(RegRoot root, const std::string& path, RegAccess access,
                               bool create) override;

  // The REGEDIT4 text of everything, or of one key by its full name.
  bool Export(const std::string& key, std::string* text, std::string* error);

  // What loading found wrong but could leave out safely (a record cut short
  // by a crash, a damaged record, a journal of another registry.reg).
  const std::vector<std::string>& Warnings() const { return warnings_; }

  // Used by the key handles.
  struct Location {
    emu::RegNode* base = nullptr;           // null: the root does not exist here
    std::vector<std::string> parts;    // below base
    bool read_only = false;
  };
  uint32_t Locate(RegRoot root, const std::string& path, Location* out);
  emu::RegNode* Find(const Location& loc);
  // The full REGEDIT4 name of a location ("HKEY_LOCAL_MACHINE\SOFTWARE\X").
  static std::string FullName(const Location& loc);
  // Makes one change: under the lock and up to date, `make` checks the tree
  // and gives the change's REGEDIT4 lines (or a Windows error code; nothing
  // for no change). The lines are made durable, then applied. False with
  // the machine's last error set when the change cannot be made or kept.
  bool Change(const std::function<uint32_t(std::string* lines)>& make);
  bool Refresh();  // takes in what other processes changed
  EmulatedMachine& machine() { return machine_; }

 private:
  class Lock;
  struct FileId {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    struct timespec mtime = {};
  };
  static FileId IdOf(const struct stat& st);
  static bool Same(const FileId& id, const struct stat& st);

  std::string File() const;
  std::string LogFile() const;
  int DirFd();
  bool LoadLocked(std::string* error);
  bool RefreshLocked();
  bool CompactLocked(std::string* error);
  bool StartJournalLocked(std::string* error);
  void Warn(const std::string& what);
  void RemoveStaleTemporariesLocked();
  void SortForeignJournal(const std::string& log, const std::string& text, uint32_t crc,
                          const emu::RegTrees& trees, emu::JournalScan* scan);

  EmulatedMachine& machine_;
  emu::RegTrees trees_;
  emu::RegNode dyn_data_{"HKEY_DYN_DATA"};
  int dir_fd_ = -1;
  bool loaded_ = false;
  // registry.reg as last read or written.
  FileId base_id_;
  uint32_t base_crc_ = 0;
  uint64_t base_size_ = 0;
  // registry.log: it belongs to that registry.reg, the offset after the
  // last record taken in, the size last looked at, the records since the base.
  FileId log_id_;
  bool log_ok_ = false;
  bool fold_pending_ = false;  // records of a journal with a damaged header, not yet in registry.reg
  bool changed_ = false;       // this machine wrote a change
  uint64_t log_end_ = 0;
  uint64_t log_seen_ = 0;
  uint64_t log_records_ = 0;
  uint64_t compact_at_ = 0;
  std::vector<std::string> warnings_;
  std::string load_error_;  // why reading the files again failed
};

}  // namespace kit
