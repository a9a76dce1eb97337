#include "platform/win32/win32_file_system.h"

#include "platform/win32/win32_util.h"

namespace kit {
namespace {

using win32::Fail;
using win32::FailWith;

// The Windows 95 family rejects FILE_SHARE_DELETE (ERROR_INVALID_PARAMETER);
// there every open file is protected from deletion anyway.
DWORD ShareBits(uint32_t share_mode) {
  DWORD bits = share_mode & (FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
  if (!win32::IsNT()) bits &= ~static_cast<DWORD>(FILE_SHARE_DELETE);
  return bits;
}

class Win32File : public File {
 public:
  Win32File(HANDLE h, uint32_t* err) : h_(h), err_(err) {}
  ~Win32File() override { CloseHandle(h_); }

  bool Read(void* buffer, uint32_t n, uint32_t* got) override {
    DWORD done = 0;
    BOOL ok = ReadFile(h_, buffer, n, &done, nullptr);
    if (got) *got = done;
    return ok ? true : Fail(err_);
  }

  bool Write(const void* buffer, uint32_t n, uint32_t* written) override {
    DWORD done = 0;
    BOOL ok = WriteFile(h_, buffer, n, &done, nullptr);
    if (written) *written = done;
    if (!ok) return Fail(err_);
    if (done < n) return FailWith(err_, ERROR_DISK_FULL);
    return true;
  }

  // SetFilePointer with its high part rather than SetFilePointerEx, which
  // the Windows 95 family and NT 4 lack.
  bool Seek(int64_t offset, SeekOrigin origin, int64_t* position) override {
    LONG high = static_cast<LONG>(offset >> 32);
    SetLastError(NO_ERROR);
    DWORD low = SetFilePointer(h_, static_cast<LONG>(offset & 0xFFFFFFFF), &high,
                               static_cast<DWORD>(origin));
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return Fail(err_);
    if (position)
      *position = (static_cast<int64_t>(static_cast<uint32_t>(high)) << 32) | low;
    return true;
  }

  int64_t Size() override {
    DWORD high = 0;
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(h_, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
      Fail(err_);
      return -1;
    }
    return (static_cast<int64_t>(high) << 32) | low;
  }

  bool Truncate() override { return SetEndOfFile(h_) ? true : Fail(err_); }

  bool GetTime(uint32_t* dos_time) override {
    FILETIME write;
    if (!GetFileTime(h_, nullptr, nullptr, &write)) return Fail(err_);
    return win32::FileTimeToDos(write, dos_time) ? true : Fail(err_);
  }

  bool SetTime(uint32_t dos_time) override {
    FILETIME write;
    if (!win32::DosToFileTime(dos_time, &write)) return Fail(err_);
    return SetFileTime(h_, nullptr, nullptr, &write) ? true : Fail(err_);
  }

 private:
  HANDLE h_;
  uint32_t* err_;
};

// A read-only file refuses to be written, truncated or replaced. Windows
// checks that itself; Wine maps the attribute onto Unix permissions, which a
// process running as root passes, so the backend checks it too.
bool IsReadOnlyFile(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY) &&
         !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool HasWildcards(const std::string& path) {
  return path.find_first_of("*?") != std::string::npos;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  char last = dir.back();
  if (last == '\\' || last == '/' || last == ':') return dir + name;
  return dir + "\\" + name;
}

// "C:\Dir\Sub" -> "C:\", "\\server\share\dir" -> "\\server\share\".
std::string RootOf(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2) + "\\";
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    size_t server_end = path.find('\\', 2);
    if (server_end == std::string::npos) return path + "\\";
    size_t share_end = path.find('\\', server_end + 1);
    if (share_end == std::string::npos) return path + "\\";
    return path.substr(0, share_end + 1);
  }
  return std::string();  // the current drive
}

}  // namespace

std::unique_ptr<File> Win32FileSystem::Open(const std::string& path, FileAccess access,
                                            uint32_t share_mode, Disposition disposition) {
  DWORD desired = 0;
  if (static_cast<uint32_t>(access) & static_cast<uint32_t>(FileAccess::kRead))
    desired |= GENERIC_READ;
  if (static_cast<uint32_t>(access) & static_cast<uint32_t>(FileAccess::kWrite))
    desired |= GENERIC_WRITE;
  bool changes = (desired & GENERIC_WRITE) || disposition == Disposition::kCreateAlways ||
                 disposition == Disposition::kTruncateExisting;
  if (changes && disposition != Disposition::kCreateNew && IsReadOnlyFile(path)) {
    FailWith(err_, ERROR_ACCESS_DENIED);
    return nullptr;
  }
  HANDLE h = CreateFileA(path.c_str(), desired, ShareBits(share_mode), nullptr,
                         static_cast<DWORD>(disposition), FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    Fail(err_);
    return nullptr;
  }
  return std::make_unique<Win32File>(h, err_);
}

uint32_t Win32FileSystem::Attributes(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) {
    Fail(err_);
    return attr::kInvalid;
  }
  return a;
}

bool Win32FileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  return SetFileAttributesA(path.c_str(), attributes) ? true : Fail(err_);
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  return DeleteFileA(path.c_str()) ? true : Fail(err_);
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) ? true : Fail(err_);
}

bool Win32FileSystem::MoveEx(const std::string& from, const std::string& to, uint32_t flags) {
  if ((flags & MOVEFILE_REPLACE_EXISTING) && !(flags & MOVEFILE_DELAY_UNTIL_REBOOT) &&
      !to.empty() && IsReadOnlyFile(to))
    return FailWith(err_, ERROR_ACCESS_DENIED);
  if (MoveFileExA(from.c_str(), to.empty() ? nullptr : to.c_str(), flags)) return true;
  // The Windows 95 family has no MoveFileEx: an immediate move there is a
  // plain one, over a target that is deleted first only when the source is
  // still there to take its place.
  if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED || (flags & MOVEFILE_DELAY_UNTIL_REBOOT) || to.empty())
    return Fail(err_);
  if ((flags & MOVEFILE_REPLACE_EXISTING) && GetFileAttributesA(from.c_str()) != INVALID_FILE_ATTRIBUTES &&
      GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(to.c_str()))
    return Fail(err_);
  return MoveFileA(from.c_str(), to.c_str()) ? true : Fail(err_);
}

bool Win32FileSystem::Copy(const std::string& from, const std::string& to, bool fail_if_exists) {
  if (!fail_if_exists && IsReadOnlyFile(to) && Attributes(from) != attr::kInvalid)
    return FailWith(err_, ERROR_ACCESS_DENIED);
  return CopyFileA(from.c_str(), to.c_str(), fail_if_exists) ? true : Fail(err_);
}

bool Win32FileSystem::MakeDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) ? true : Fail(err_);
}

bool Win32FileSystem::RemoveDir(const std::string& path) {
  return RemoveDirectoryA(path.c_str()) ? true : Fail(err_);
}

bool Win32FileSystem::List(const std::string& dir, const std::string& pattern,
                           std::vector<FileEntry>* entries) {
  entries->clear();
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(JoinPath(dir, pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD e = GetLastError();
    // Nothing matches in an existing directory: an empty list.
    if (e == ERROR_FILE_NOT_FOUND || e == ERROR_NO_MORE_FILES) return true;
    return FailWith(err_, e);
  }
  DWORD e = ERROR_NO_MORE_FILES;
  do {
    std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    FileEntry entry;
    entry.name = name;
    entry.attributes = fd.dwFileAttributes;
    entry.size = (static_cast<int64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    win32::FileTimeToDos(fd.ftLastWriteTime, &entry.dos_time);
    entries->push_back(std::move(entry));
  } while (FindNextFileA(h, &fd));
  e = GetLastError();
  FindClose(h);
  if (e != ERROR_NO_MORE_FILES) return FailWith(err_, e);
  return true;
}

// By the directory entry, so a file that another program holds open without
// read sharing still tells its time.
bool Win32FileSystem::GetTime(const std::string& path, uint32_t* dos_time) {
  if (HasWildcards(path)) return FailWith(err_, ERROR_INVALID_NAME);
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(path.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return Fail(err_);
  FindClose(h);
  return win32::FileTimeToDos(fd.ftLastWriteTime, dos_time) ? true : Fail(err_);
}

bool Win32FileSystem::SetTime(const std::string& path, uint32_t dos_time) {
  // NT can change the time of a read-only file through FILE_WRITE_ATTRIBUTES;
  // the Windows 95 family needs write access.
  DWORD desired = win32::IsNT() ? FILE_WRITE_ATTRIBUTES : GENERIC_WRITE;
  HANDLE h = CreateFileA(path.c_str(), desired, ShareBits(share::kAll), nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Fail(err_);
  FILETIME write;
  bool ok = win32::DosToFileTime(dos_time, &write) && SetFileTime(h, nullptr, nullptr, &write);
  if (!ok) Fail(err_);
  CloseHandle(h);
  return ok;
}

bool Win32FileSystem::ShortPath(const std::string& path, std::string* short_path) {
  return win32::GrowingCall(
      [&](char* buf, DWORD n) { return GetShortPathNameA(path.c_str(), buf, n); }, short_path,
      err_);
}

bool Win32FileSystem::FullPath(const std::string& path, std::string* full_path) {
  return win32::GrowingCall(
      [&](char* buf, DWORD n) { return GetFullPathNameA(path.c_str(), n, buf, nullptr); },
      full_path, err_);
}

bool Win32FileSystem::TempDirectory(std::string* dir) {
  return win32::GrowingCall([&](char* buf, DWORD n) { return GetTempPathA(n, buf); }, dir, err_);
}

bool Win32FileSystem::TempFileName(const std::string& dir, const std::string& prefix,
                                   std::string* path) {
  char buf[MAX_PATH + 1];
  if (!GetTempFileNameA(dir.c_str(), prefix.c_str(), 0, buf)) return Fail(err_);
  *path = buf;
  return true;
}

std::string Win32FileSystem::CurrentDir() {
  std::string dir;
  win32::GrowingCall([&](char* buf, DWORD n) { return GetCurrentDirectoryA(n, buf); }, &dir, err_);
  return dir;
}

bool Win32FileSystem::SetCurrentDir(const std::string& dir) {
  return SetCurrentDirectoryA(dir.c_str()) ? true : Fail(err_);
}

bool Win32FileSystem::DiskSpace(const std::string& path, uint64_t* free_bytes,
                                uint64_t* total_bytes) {
  // GetDiskFreeSpaceExA appeared with Windows 95 OSR2; look it up.
  using ExFn = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
  static const ExFn ex = reinterpret_cast<ExFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));
  if (ex) {
    ULARGE_INTEGER caller_free, total, all_free;
    if (!ex(path.c_str(), &caller_free, &total, &all_free)) return Fail(err_);
    if (free_bytes) *free_bytes = caller_free.QuadPart;
    if (total_bytes) *total_bytes = total.QuadPart;
    return true;
  }
  std::string root = RootOf(path);
  DWORD sectors_per_cluster = 0, bytes_per_sector = 0, free_clusters = 0, clusters = 0;
  if (!GetDiskFreeSpaceA(root.empty() ? nullptr : root.c_str(), &sectors_per_cluster,
                         &bytes_per_sector, &free_clusters, &clusters))
    return Fail(err_);
  uint64_t cluster = static_cast<uint64_t>(sectors_per_cluster) * bytes_per_sector;
  if (free_bytes) *free_bytes = cluster * free_clusters;
  if (total_bytes) *total_bytes = cluster * clusters;
  return true;
}

}  // namespace kit
