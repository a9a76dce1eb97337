// An in-memory FileSystem for tests: Windows paths ("C:\Dir\File"), names
// compared without regard to ASCII letter case and kept with the case they
// were created with, drives C: (with C:\TEMP) and any other letter on first
// use, an optional capacity per drive (a full drive gives short writes with
// kDiskFull), and a hook that makes chosen operations fail.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kit::testing {

class MemoryFileSystem : public FileSystem {
 public:
  MemoryFileSystem();

  // Bytes of file data the drive holds at most (0: no limit).
  void SetCapacity(char drive, uint64_t bytes);
  // Called before each operation with its name ("open", "write", "rename",
  // "settime", "tempfile", ...) and path; returning true makes it fail with
  // kAccessDenied (kDiskFull for "write").
  std::function<bool(const std::string& op, const std::string& path)> fault;

  uint32_t last_error() const { return last_error_; }

  // Test conveniences (no faults, no capacity checks).
  void PutFile(const std::string& path, const std::string& data, uint32_t dos_time = 0x58210000);
  bool GetFile(const std::string& path, std::string* data);
  std::string FileData(const std::string& path);  // empty when missing
  // Every file path below `dir` (recursively), with its case.
  std::vector<std::string> AllFiles(const std::string& dir = "");
  uint64_t Used(char drive);

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
  bool TempFileName(const std::string& dir, const std::string& prefix, std::string* path) override;
  std::string CurrentDir() override { return current_; }
  bool SetCurrentDir(const std::string& dir) override;
  bool DiskSpace(const std::string& path, uint64_t* free_bytes, uint64_t* total_bytes) override;

  // Moves recorded for the next start of Windows.
  std::vector<std::pair<std::string, std::string>> delayed_moves;

  struct Node {
    std::string path;  // full path with its case
    bool directory = false;
    uint32_t attributes = attr::kArchive;
    uint32_t dos_time = 0x58210000;
    std::string data;
    int open_count = 0;
  };

 private:
  friend class MemoryFile;
  // Absolute, normalised path; empty when it cannot be one.
  std::string Normal(const std::string& path) const;
  static std::string Key(const std::string& normal);
  // The path with the case its existing parent directory was created with.
  std::string Stored(const std::string& normal);
  static std::string Parent(const std::string& normal);
  Node* Find(const std::string& normal);
  bool Fail(uint32_t code) {
    last_error_ = code;
    return false;
  }
  bool Faulty(const std::string& op, const std::string& path);
  bool ParentIsDirectory(const std::string& normal);
  uint64_t Room(char drive);
  char DriveOf(const std::string& normal) const { return normal.empty() ? 'C' : normal[0]; }

  std::map<std::string, std::shared_ptr<Node>> nodes_;  // by upper-case path
  std::map<char, uint64_t> capacity_;
  std::string current_ = "C:\\";
  uint32_t last_error_ = 0;
  uint32_t temp_counter_ = 0;
};

}  // namespace kit::testing
