#include "tools/kitarc/host_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#else
#include <sys/file.h>
#endif

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace kit::tools {
namespace fsys = std::filesystem;

namespace {

uint32_t FromErrno(int e) {
  switch (e) {
    case ENOENT: return winerr::kFileNotFound;
    case ENOTDIR: return winerr::kPathNotFound;
    case EACCES: case EPERM: case EROFS: return winerr::kAccessDenied;
    case ENOSPC: return winerr::kDiskFull;
    case EEXIST: return winerr::kFileExists;
#ifdef ELOOP
    case ELOOP: return winerr::kAccessDenied;  // a link where none may be followed
#endif
    default: return winerr::kInvalidFunction;
  }
}

uint32_t ToDos(fsys::file_time_type t) {
  auto sys = std::chrono::time_point_cast<std::chrono::seconds>(
      std::chrono::file_clock::to_sys(t));
  std::time_t tt = std::chrono::system_clock::to_time_t(sys);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &tt);
#else
  localtime_r(&tt, &tm);
#endif
  if (tm.tm_year < 80) return (1u << 5 | 1u) << 16;
  uint32_t date = static_cast<uint32_t>((tm.tm_year - 80) << 9 | (tm.tm_mon + 1) << 5 | tm.tm_mday);
  uint32_t time = static_cast<uint32_t>(tm.tm_hour << 11 | tm.tm_min << 5 | tm.tm_sec / 2);
  return date << 16 | time;
}

fsys::file_time_type FromDos(uint32_t dos) {
  std::tm tm{};
  tm.tm_year = static_cast<int>((dos >> 25) + 80);
  tm.tm_mon = static_cast<int>(((dos >> 21) & 15)) - 1;
  tm.tm_mday = static_cast<int>((dos >> 16) & 31);
  tm.tm_hour = static_cast<int>((dos >> 11) & 31);
  tm.tm_min = static_cast<int>((dos >> 5) & 63);
  tm.tm_sec = static_cast<int>((dos & 31) * 2);
  tm.tm_isdst = -1;
  std::time_t tt = std::mktime(&tm);
  auto sys = std::chrono::system_clock::from_time_t(tt);
  return std::chrono::file_clock::from_sys(sys);
}

class HostFile : public File {
 public:
  HostFile(HostFileSystem& fs, std::FILE* f, std::string host, FileAccess access, int64_t cap)
      : fs_(fs), f_(f), host_(std::move(host)), access_(access), cap_(cap) {}
  ~HostFile() override { std::fclose(f_); }

  bool Read(void* buffer, uint32_t n, uint32_t* got) override {
    Switch(true);
    *got = static_cast<uint32_t>(std::fread(buffer, 1, n, f_));
    if (*got < n && std::ferror(f_)) {
      std::clearerr(f_);
      fs_.set_error(winerr::kReadFault);
      return false;
    }
    return true;
  }

  bool Write(const void* buffer, uint32_t n, uint32_t* written) override {
    Switch(false);
    uint32_t take = n;
    if (cap_ >= 0) {
      int64_t pos = Tell();
      take = pos >= cap_ ? 0 : static_cast<uint32_t>(std::min<int64_t>(n, cap_ - pos));
    }
    *written = static_cast<uint32_t>(std::fwrite(buffer, 1, take, f_));
    if (*written == take && take > 0 && std::fflush(f_) != 0) *written = 0;
    if (*written < n) {
      std::clearerr(f_);
      fs_.set_error(winerr::kDiskFull);
      return false;
    }
    return true;
  }

  bool Seek(int64_t offset, SeekOrigin origin, int64_t* position) override {
    int whence = origin == SeekOrigin::kBegin ? SEEK_SET : origin == SeekOrigin::kCurrent ? SEEK_CUR : SEEK_END;
    last_read_ = -1;
#ifdef _WIN32
    int r = _fseeki64(f_, offset, whence);
#else
    int r = fseeko(f_, offset, whence);
#endif
    if (r != 0) {
      fs_.set_error(winerr::kInvalidParameter);
      return false;
    }
    if (position) *position = Tell();
    return true;
  }

  int64_t Size() override {
    std::fflush(f_);
    std::error_code ec;
    auto s = fsys::file_size(host_, ec);
    return ec ? -1 : static_cast<int64_t>(s);
  }

  bool Truncate() override {
    std::fflush(f_);
    int64_t pos = Tell();
    if (ftruncate(fileno(f_), pos) != 0) {
      fs_.set_error(FromErrno(errno));
      return false;
    }
    return true;
  }

  bool GetTime(uint32_t* dos_time) override {
    std::fflush(f_);
    return fs_.GetTime(host_, dos_time);
  }

  bool SetTime(uint32_t dos_time) override {
    std::fflush(f_);
    return fs_.SetTime(host_, dos_time);
  }

 private:
  int64_t Tell() {
#ifdef _WIN32
    return _ftelli64(f_);
#else
    return ftello(f_);
#endif
  }
  // C streams need a seek between reading and writing.
  void Switch(bool reading) {
    if (last_read_ != -1 && last_read_ != (reading ? 1 : 0)) {
#ifdef _WIN32
      _fseeki64(f_, 0, SEEK_CUR);
#else
      fseeko(f_, 0, SEEK_CUR);
#endif
    }
    last_read_ = reading ? 1 : 0;
  }

  HostFileSystem& fs_;
  std::FILE* f_;
  std::string host_;
  FileAccess access_;
  int64_t cap_;
  int last_read_ = -1;
};

}  // namespace

std::string HostFileSystem::Host(const std::string& path) const {
#ifdef _WIN32
  return path;
#else
  std::string p = path;
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
#endif
}

bool HostFileSystem::FailErrno() { return Fail(FromErrno(errno)); }

HostFileSystem::~HostFileSystem() {
  for (const auto& [path, fd] : held_) ::close(fd);
}

void HostFileSystem::Release(const std::string& host_path) {
  auto it = held_.find(host_path);
  if (it == held_.end()) return;
  ::close(it->second);
  held_.erase(it);
}

namespace {

// PREFIX + 1 to 4 upper-case hex digits + ".TMP": the names TempFileName gives.
bool IsTemporaryName(const std::string& name, const std::string& prefix) {
  if (name.size() < prefix.size() + 5 || name.size() > prefix.size() + 8) return false;
  if (name.compare(0, prefix.size(), prefix) != 0 || name.compare(name.size() - 4, 4, ".TMP") != 0)
    return false;
  for (size_t i = prefix.size(); i < name.size() - 4; ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i])) && (name[i] < 'A' || name[i] > 'F')) return false;
  return true;
}

}  // namespace

void HostFileSystem::RemoveStaleTemporaries(const std::string& dir, const std::string& prefix) {
  if (!swept_.insert(dir + "|" + prefix).second) return;
  std::error_code ec;
  fsys::directory_iterator it(dir.empty() ? "." : dir, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (!IsTemporaryName(name, prefix)) continue;
    std::string p = it->path().string();
    if (held_.count(p)) continue;
#ifdef _WIN32
    // A file still open in a run cannot be removed; one a day old is left over.
    auto age = fsys::file_time_type::clock::now() - fsys::last_write_time(p, ec);
    if (!ec && fsys::is_regular_file(fsys::symlink_status(p, ec)) && age > std::chrono::hours(24))
      fsys::remove(p, ec);
#else
    // Only a plain file of this user, untouched for a minute, that no
    // running kit holds.
    struct stat st;
    if (::lstat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
        st.st_mtime > std::time(nullptr) - 60)
      continue;
    int fd = ::open(p.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat now;
    if (::fstat(fd, &now) == 0 && now.st_ino == st.st_ino && now.st_dev == st.st_dev &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0)
      ::unlink(p.c_str());
    ::close(fd);
#endif
  }
}

std::unique_ptr<File> HostFileSystem::Open(const std::string& path, FileAccess access, uint32_t,
                                           Disposition disposition) {
  std::string h = Host(path);
  std::error_code ec;
  bool exists = fsys::exists(fsys::symlink_status(h, ec));
  if (exists && fsys::is_directory(h, ec)) {
    Fail(winerr::kAccessDenied);
    return nullptr;
  }
  bool read_only = access == FileAccess::kRead;
#ifdef _WIN32
  const int kNoFollow = 0;
  int flags = _O_BINARY | (read_only ? _O_RDONLY : _O_RDWR);
  const int kCreate = _O_CREAT, kExclusive = _O_EXCL, kTruncate = _O_TRUNC;
#else
  // Whatever the kit creates or truncates is never reached through a link:
  // a link planted under that name makes the open fail.
  const int kNoFollow = O_NOFOLLOW;
  int flags = O_CLOEXEC | (read_only ? O_RDONLY : O_RDWR);
  const int kCreate = O_CREAT, kExclusive = O_EXCL, kTruncate = O_TRUNC;
#endif
  switch (disposition) {
    case Disposition::kCreateNew:
      flags |= kCreate | kExclusive | kNoFollow;
      break;
    case Disposition::kCreateAlways:
      flags |= kCreate | kTruncate | kNoFollow;
      break;
    case Disposition::kOpenExisting:
      if (!exists) {
        Fail(winerr::kFileNotFound);
        return nullptr;
      }
      break;
    case Disposition::kOpenAlways:
      if (!exists) flags |= kCreate | kExclusive | kNoFollow;
      break;
    case Disposition::kTruncateExisting:
      if (!exists) {
        Fail(winerr::kFileNotFound);
        return nullptr;
      }
      flags |= kTruncate | kNoFollow;
      break;
  }
  bool writes = !read_only;
#ifdef _WIN32
  int fd = _open(h.c_str(), flags, _S_IREAD | _S_IWRITE);
  std::FILE* f = fd < 0 ? nullptr : _fdopen(fd, writes ? "r+b" : "rb");
  if (fd >= 0 && f == nullptr) _close(fd);
#else
  int fd = ::open(h.c_str(), flags, private_files ? 0600 : 0666);
  std::FILE* f = fd < 0 ? nullptr : fdopen(fd, writes ? "r+b" : "rb");
  if (fd >= 0 && f == nullptr) ::close(fd);
#endif
  if (f == nullptr) {
    FailErrno();
    return nullptr;
  }
  int64_t cap = size_cap ? size_cap(path) : -1;
  return std::make_unique<HostFile>(*this, f, h, access, cap);
}

uint32_t HostFileSystem::Attributes(const std::string& path) {
  std::error_code ec;
  auto st = fsys::status(Host(path), ec);
  if (ec || !fsys::exists(st)) {
    last_error_ = winerr::kFileNotFound;
    return attr::kInvalid;
  }
  if (fsys::is_directory(st)) return attr::kDirectory;
  bool writable = (st.permissions() & fsys::perms::owner_write) != fsys::perms::none;
  return writable ? attr::kArchive : (attr::kArchive | attr::kReadOnly);
}

bool HostFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  std::error_code ec;
  fsys::permissions(Host(path), fsys::perms::owner_write,
                    (attributes & attr::kReadOnly) ? fsys::perm_options::remove : fsys::perm_options::add, ec);
  return ec ? Fail(winerr::kAccessDenied) : true;
}

bool HostFileSystem::RemoveFile(const std::string& path) {
  Release(Host(path));
  std::error_code ec;
  if (!fsys::remove(Host(path), ec)) return Fail(ec ? FromErrno(ec.value()) : winerr::kFileNotFound);
  return true;
}

bool HostFileSystem::Rename(const std::string& from, const std::string& to) {
  std::error_code ec;
  if (fsys::exists(Host(to), ec)) return Fail(winerr::kAlreadyExists);
  return MoveEx(from, to, movefile::kReplaceExisting);
}

bool HostFileSystem::MoveEx(const std::string& from, const std::string& to, uint32_t flags) {
  if (flags & movefile::kDelayUntilReboot) return Fail(winerr::kNotSupported);
  std::error_code ec;
  std::string t = Host(to);
  if (fsys::exists(t, ec)) {
    if (!(flags & movefile::kReplaceExisting)) return Fail(winerr::kAlreadyExists);
#ifdef _WIN32
    fsys::remove(t, ec);
#endif
  }
  fsys::rename(Host(from), t, ec);
  if (ec) return Fail(FromErrno(ec.value()));
  Release(Host(from));
  return true;
}

bool HostFileSystem::Copy(const std::string& from, const std::string& to, bool fail_if_exists) {
  std::error_code ec;
  fsys::copy_file(Host(from), Host(to),
                  fail_if_exists ? fsys::copy_options::none : fsys::copy_options::overwrite_existing, ec);
  return ec ? Fail(FromErrno(ec.value())) : true;
}

bool HostFileSystem::MakeDirectory(const std::string& path) {
  std::error_code ec;
  if (!fsys::create_directory(Host(path), ec)) return Fail(ec ? FromErrno(ec.value()) : winerr::kAlreadyExists);
  return true;
}

bool HostFileSystem::RemoveDir(const std::string& path) {
  std::error_code ec;
  if (!fsys::is_directory(Host(path), ec)) return Fail(winerr::kFileNotFound);
  if (!fsys::remove(Host(path), ec)) return Fail(winerr::kDirNotEmpty);
  return true;
}

bool HostFileSystem::List(const std::string& dir, const std::string& pattern,
                          std::vector<FileEntry>* entries) {
  entries->clear();
  std::error_code ec;
  for (auto& e : fsys::directory_iterator(Host(dir), ec)) {
    FileEntry fe;
    fe.name = e.path().filename().string();
    if (pattern != "*" && pattern != "*.*" && fe.name != pattern) continue;
    fe.attributes = e.is_directory() ? attr::kDirectory : attr::kArchive;
    fe.size = e.is_directory() ? 0 : static_cast<int64_t>(e.file_size(ec));
    fe.dos_time = ToDos(e.last_write_time(ec));
    entries->push_back(fe);
  }
  return ec ? Fail(winerr::kPathNotFound) : true;
}

bool HostFileSystem::GetTime(const std::string& path, uint32_t* dos_time) {
  std::error_code ec;
  auto t = fsys::last_write_time(Host(path), ec);
  if (ec) return Fail(FromErrno(ec.value()));
  *dos_time = ToDos(t);
  return true;
}

bool HostFileSystem::SetTime(const std::string& path, uint32_t dos_time) {
  std::error_code ec;
  fsys::last_write_time(Host(path), FromDos(dos_time), ec);
  return ec ? Fail(FromErrno(ec.value())) : true;
}

bool HostFileSystem::ShortPath(const std::string& path, std::string* short_path) {
  *short_path = path;
  return true;
}

bool HostFileSystem::FullPath(const std::string& path, std::string* full_path) {
  std::error_code ec;
  *full_path = fsys::absolute(Host(path), ec).lexically_normal().string();
  return ec ? Fail(winerr::kInvalidName) : true;
}

bool HostFileSystem::TempDirectory(std::string* dir) {
  std::error_code ec;
  std::string d = fsys::temp_directory_path(ec).string();
  if (ec) return Fail(winerr::kPathNotFound);
#ifdef _WIN32
  if (d.empty() || d.back() != '\\') d += '\\';
#else
  if (d.empty() || d.back() != '/') d += '/';
#endif
  *dir = d;
  return true;
}

bool HostFileSystem::TempFileName(const std::string& dir, const std::string& prefix, std::string* path) {
  std::string d = dir;
  if (!d.empty() && d.back() != '\\' && d.back() != '/') d += '/';
  // The name is taken by creating the file exclusively, so a name planted by
  // someone else (a file or a link) is passed over, never opened.
  RemoveStaleTemporaries(Host(d), prefix.substr(0, 3));
  bool was_private = private_files;
  private_files = true;
  struct Restore {
    bool& flag;
    bool value;
    ~Restore() { flag = value; }
  } restore{private_files, was_private};
  for (int tries = 0; tries < 65535; ++tries) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%X.TMP", prefix.substr(0, 3).c_str(),
                  (static_cast<unsigned>(getpid()) * 7919u + ++counter_) & 0xFFFF);
    std::string p = d + name;
    if (auto f = Open(p, FileAccess::kWrite, share::kNone, Disposition::kCreateNew)) {
      *path = p;
#ifndef _WIN32
      int fd = ::open(Host(p).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
      if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) held_[Host(p)] = fd;
      else if (fd >= 0) ::close(fd);
#endif
      return true;
    }
    if (last_error_ != winerr::kFileExists) return false;
  }
  return Fail(winerr::kFileExists);
}

std::string HostFileSystem::CurrentDir() {
  std::error_code ec;
  return fsys::current_path(ec).string();
}

bool HostFileSystem::SetCurrentDir(const std::string& dir) {
  std::error_code ec;
  fsys::current_path(Host(dir), ec);
  return ec ? Fail(winerr::kPathNotFound) : true;
}

bool HostFileSystem::DiskSpace(const std::string& path, uint64_t* free_bytes, uint64_t* total_bytes) {
  std::error_code ec;
  auto s = fsys::space(Host(path), ec);
  if (ec) return Fail(winerr::kPathNotFound);
  *free_bytes = s.available;
  *total_bytes = s.capacity;
  return true;
}

}  // namespace kit::tools
