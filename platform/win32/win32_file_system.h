// Files and directories through the Win32 API (ANSI functions).
#pragma once

#include "platform/platform.h"

namespace kit {

class Win32FileSystem : public FileSystem {
 public:
  // Failures leave their error code in *last_error.
  explicit Win32FileSystem(uint32_t* last_error) : err_(last_error) {}

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

 private:
  uint32_t* err_;
};

}  // namespace kit
