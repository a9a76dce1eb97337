// The file system of the emulated machine: Windows paths mapped onto the
// machine's drive folders, share modes among this process's handles and
// against files marked in use, attributes, DOS times (UTC is the machine's
// local time), generated 8.3 names, drive capacities, and delayed renames
// recorded in the registry as Windows NT records them.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/emulated/win_path.h"
#include "platform/platform.h"

namespace kit {

class EmulatedMachine;

class EmulatedFileSystem : public FileSystem {
 public:
  explicit EmulatedFileSystem(EmulatedMachine& machine);
  ~EmulatedFileSystem() override;

  bool Load(std::string* error);

  std::unique_ptr<File> Open(const std::string& path, FileAccess access, uint32_t share_mode,
                             Disposition disposition) override;
  uint32_t Attributes(const std::string& path) override;
  bool SetAttributes(const std::string& path, uint32_t attributes) override;
  bool RemoveFile(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool MoveEx(const std::string& from, const std::string& to, uint32_t flags) override;
  bool Copy(const std::string& from, const std::string& to, bool fail_if_exists) override;
  bool MakeDirectory(const std::string& path) override;
  bool RemoveDir(const std::string& path) override;
  bool List(const std::string& dir, const std::string& pattern,
            std::vector<FileEntry>* entries) override;
  bool GetTime(const std::string& path, uint32_t* dos_time) override;
  bool SetTime(const std::string& path, uint32_t dos_time) override;
  bool ShortPath(const std::string& path, std::string* short_path) override;
  bool FullPath(const std::string& path, std::string* full_path) override;
  bool TempDirectory(std::string* dir) override;
  bool TempFileName(const std::string& dir, const std::string& prefix,
                    std::string* path) override;
  std::string CurrentDir() override;
  bool SetCurrentDir(const std::string& dir) override;
  bool DiskSpace(const std::string& path, uint64_t* free_bytes, uint64_t* total_bytes) override;

  // A path resolved against the host folders.
  struct Resolved {
    emu::WinPath path;
    std::string host;       // host path (the last component as given when missing)
    bool exists = false;
    bool is_dir = false;
    std::string LongText() const;  // the Windows path as stored: upper-case drive, the names' own case
    std::vector<std::string> long_parts;
  };
  // 0 or the Windows error code (kPathNotFound for a missing parent,
  // kNotReady for a drive without medium).
  uint32_t Resolve(const std::string& path, Resolved* out);

  // Every handle of this process becomes invalid (a restart ends it).
  void InvalidateHandles();
  // The host folder of a drive letter.
  std::string DriveHost(char letter) const;

  // Implementation details shared with the file handles.
  struct OpenRecord {
    std::string host;
    uint32_t access = 0;
    uint32_t share = 0;
  };
  struct Mark {
    std::string host;
    bool deny_read = true;
  };
  std::vector<Mark> LoadMarks();
  // Bytes in use on a drive: measured once, then kept by this process's own
  // changes, and measured afresh once another process of the machine has
  // changed a file (see NoteSizeChange).
  uint64_t Used(char drive);
  void AdjustUsed(char drive, int64_t delta);
  // Tells the machine's other processes that a size on a drive changed;
  // call after AdjustUsed (or after a change that clears the measure).
  void NoteSizeChange();
  uint64_t Capacity(char drive) const;
  uint32_t generation() const { return generation_; }
  void Unregister(OpenRecord* record);
  EmulatedMachine& machine() { return machine_; }

 private:
  bool Fail(uint32_t code);
  uint32_t StoredAttributes(const Resolved& r);
  void StoreAttributes(const std::string& host, uint32_t attributes);
  void MoveAttributes(const std::string& from_host, const std::string& to_host);
  void DropAttributes(const std::string& host);
  bool SaveAttributes();
  std::string Rel(const std::string& host) const;
  // kSharingViolation (or 0) for opening `host` with access and share.
  uint32_t OpenConflict(const std::string& host, uint32_t access, uint32_t share);
  bool BlocksDelete(const std::string& host);
  bool AnyOpenBelow(const std::string& host_dir);
  bool MoveNow(const Resolved& from, const Resolved& to, uint32_t flags);
  bool RecordPendingRename(const std::string& from, const std::string& to, uint32_t flags);
  std::map<std::string, std::string> ShortNames(const std::string& host_dir);

  EmulatedMachine& machine_;
  std::string current_dir_ = "C:\\";
  std::vector<OpenRecord*> open_;
  uint32_t generation_ = 1;
  std::map<std::string, uint32_t> attributes_;  // host-relative path -> attributes
  std::map<char, uint64_t> used_;               // bytes in use per drive, while valid
  // A counter shared by every process of the machine (machine dir
  // "fs-changes", mapped), raised at each change of a size on a drive; a
  // value other than the one seen last means another process changed one.
  bool MapChanges();
  void CheckChanges();
  uint64_t* changes_ = nullptr;
  bool changes_tried_ = false;
  uint64_t changes_seen_ = 0;
};

}  // namespace kit
