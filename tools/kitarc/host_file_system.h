// A FileSystem over the host's own files, for the command-line tools: paths
// are host paths (natively backslashes are taken as slashes). Letter case
// follows the host. A volume size can cap how large files in one directory
// may grow, so that a full "disk" is a short write.
//
// PLACEHOLDER for win32: once the win32 platform backend is merged the tool
// can use it there instead; this adapter works on both targets.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kit::tools {

class HostFileSystem : public FileSystem {
 public:
  HostFileSystem() = default;
  HostFileSystem(const HostFileSystem&) = delete;
  HostFileSystem& operator=(const HostFileSystem&) = delete;
  ~HostFileSystem() override;

  // Largest size a file at `path` may reach, or -1 for no limit.
  std::function<int64_t(const std::string& path)> size_cap;
  // Files created while set are readable by their owner only.
  bool private_files = false;

  uint32_t last_error() const { return last_error_; }
  void set_error(uint32_t code) { last_error_ = code; }
  std::string Host(const std::string& path) const;

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
  std::string CurrentDir() override;
  bool SetCurrentDir(const std::string& dir) override;
  bool DiskSpace(const std::string& path, uint64_t* free_bytes, uint64_t* total_bytes) override;

 private:
  bool Fail(uint32_t code) {
    last_error_ = code;
    return false;
  }
  bool FailErrno();
  // Temporary files of the kit's naming in `dir` whose run has ended.
  void RemoveStaleTemporaries(const std::string& dir, const std::string& prefix);
  void Release(const std::string& host_path);
  uint32_t last_error_ = 0;
  // Each temporary file made by this run is held (locked) until it is
  // moved or removed, which tells a later run that it is still in use.
  std::map<std::string, int> held_;
  std::set<std::string> swept_;
  uint32_t counter_ = 0;
};

}  // namespace kit::tools
