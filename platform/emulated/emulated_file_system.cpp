#include "platform/emulated/emulated_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <set>

#include "platform/emulated/emulated_machine.h"
#include "platform/emulated/host_ini.h"

namespace kit {

using emu::EqualNoCase;
using emu::Upper;

namespace {

constexpr uint32_t kNotSameDevice = 17;        // ERROR_NOT_SAME_DEVICE
constexpr uint32_t kCallNotImplemented = 120;  // ERROR_CALL_NOT_IMPLEMENTED
constexpr uint32_t kNegativeSeek = 131;        // ERROR_NEGATIVE_SEEK
constexpr uint32_t kDirectoryName = 267;       // ERROR_DIRECTORY

constexpr uint32_t kSettableAttributes =
    attr::kReadOnly | attr::kHidden | attr::kSystem | attr::kArchive;

uint32_t DosFromTime(time_t t) {
  struct tm tm {};
  gmtime_r(&t, &tm);
  if (tm.tm_year < 80) return (1u << 5 | 1u) << 16;  // 1980-01-01 00:00:00
  if (tm.tm_year > 207) tm.tm_year = 207;
  uint32_t date = static_cast<uint32_t>(((tm.tm_year - 80) << 9) | ((tm.tm_mon + 1) << 5) | tm.tm_mday);
  uint32_t time = static_cast<uint32_t>((tm.tm_hour << 11) | (tm.tm_min << 5) | (tm.tm_sec / 2));
  return date << 16 | time;
}

bool TimeFromDos(uint32_t dos, time_t* out) {
  uint32_t date = dos >> 16, time = dos & 0xFFFF;
  struct tm tm {};
  tm.tm_year = static_cast<int>((date >> 9) & 0x7F) + 80;
  tm.tm_mon = static_cast<int>((date >> 5) & 0x0F) - 1;
  tm.tm_mday = static_cast<int>(date & 0x1F);
  tm.tm_hour = static_cast<int>((time >> 11) & 0x1F);
  tm.tm_min = static_cast<int>((time >> 5) & 0x3F);
  tm.tm_sec = static_cast<int>((time & 0x1F) * 2);
  if (tm.tm_mon < 0 || tm.tm_mon > 11 || tm.tm_mday < 1 || tm.tm_mday > 31 || tm.tm_hour > 23 ||
      tm.tm_min > 59 || tm.tm_sec > 59)
    return false;
  *out = timegm(&tm);
  return true;
}

bool IsHostDir(const std::string& p) {
  struct stat st;
  return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> HostNames(const std::string& dir) {
  std::vector<std::string> names;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return names;
  while (struct dirent* e = ::readdir(d)) {
    std::string n = e->d_name;
    if (n != "." && n != "..") names.push_back(n);
  }
  ::closedir(d);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return Upper(a) < Upper(b); });
  return names;
}

bool IsBelow(const std::string& host, const std::string& dir) {
  return host.size() > dir.size() && host.compare(0, dir.size(), dir) == 0 && host[dir.size()] == '/';
}

bool HostCopy(const std::string& from, const std::string& to) {
  int in = ::open(from.c_str(), O_RDONLY);
  if (in < 0) return false;
  int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out < 0) {
    ::close(in);
    return false;
  }
  char buf[65536];
  bool ok = true;
  for (;;) {
    ssize_t n = ::read(in, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    ssize_t done = 0;
    while (done < n) {
      ssize_t w = ::write(out, buf + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) {
        ok = false;
        break;
      }
      done += w;
    }
    if (!ok) break;
  }
  struct stat st;
  if (ok && ::fstat(in, &st) == 0) {
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out, times);
  }
  ::close(in);
  if (::close(out) != 0) ok = false;
  return ok;
}

// ---------------------------------------------------------------- handles

class EmulatedFile : public File {
 public:
  EmulatedFile(EmulatedFileSystem* fs, int fd, EmulatedFileSystem::OpenRecord* record,
               char drive)
      : fs_(fs), fd_(fd), record_(record), drive_(drive), generation_(fs->generation()) {}
  ~EmulatedFile() override {
    ::close(fd_);
    if (Valid()) fs_->Unregister(record_);
  }

  bool Read(void* buffer, uint32_t n, uint32_t* got) override {
    if (got) *got = 0;
    if (!Check()) return false;
    if (!(record_->access & static_cast<uint32_t>(FileAccess::kRead))) return Fail(winerr::kAccessDenied);
    uint32_t total = 0;
    while (total < n) {
      ssize_t r = ::read(fd_, static_cast<char*>(buffer) + total, n - total);
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) return Fail(winerr::kReadFault);
      if (r == 0) break;
      total += static_cast<uint32_t>(r);
    }
    if (got) *got = total;
    return true;
  }

  bool Write(const void* buffer, uint32_t n, uint32_t* written) override {
    if (written) *written = 0;
    if (!Check()) return false;
    if (!(record_->access & static_cast<uint32_t>(FileAccess::kWrite))) return Fail(winerr::kAccessDenied);
    off_t pos = ::lseek(fd_, 0, SEEK_CUR);
    struct stat st;
    if (pos < 0 || ::fstat(fd_, &st) != 0) return Fail(winerr::kWriteFault);
    uint64_t size = static_cast<uint64_t>(st.st_size);
    uint64_t end = static_cast<uint64_t>(pos) + n;
    uint64_t growth = end > size ? end - size : 0;
    uint64_t used = fs_->Used(drive_), cap = fs_->Capacity(drive_);
    uint64_t free_bytes = cap > used ? cap - used : 0;
    uint32_t allowed = n;
    if (growth > free_bytes) {
      uint64_t cut = growth - free_bytes;
      allowed = cut >= n ? 0 : static_cast<uint32_t>(n - cut);
    }
    uint32_t total = 0;
    while (total < allowed) {
      ssize_t w = ::write(fd_, static_cast<const char*>(buffer) + total, allowed - total);
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) break;
      total += static_cast<uint32_t>(w);
    }
    uint64_t new_end = static_cast<uint64_t>(pos) + total;
    if (new_end > size) {
      fs_->AdjustUsed(drive_, static_cast<int64_t>(new_end - size));
      fs_->NoteSizeChange();
    }
    if (written) *written = total;
    if (total < n) return Fail(total < allowed ? winerr::kWriteFault : winerr::kDiskFull);
    return true;
  }

  bool Seek(int64_t offset, SeekOrigin origin, int64_t* position) override {
    if (!Check()) return false;
    off_t base = 0;
    if (origin == SeekOrigin::kCurrent) base = ::lseek(fd_, 0, SEEK_CUR);
    if (origin == SeekOrigin::kEnd) {
      struct stat st;
      if (::fstat(fd_, &st) != 0) return Fail(winerr::kReadFault);
      base = st.st_size;
    }
    int64_t target = static_cast<int64_t>(base) + offset;
    if (target < 0) return Fail(kNegativeSeek);
    if (::lseek(fd_, static_cast<off_t>(target), SEEK_SET) < 0) return Fail(winerr::kInvalidParameter);
    if (position) *position = target;
    return true;
  }

  int64_t Size() override {
    if (!Check()) return -1;
    struct stat st;
    if (::fstat(fd_, &st) != 0) return -1;
    return st.st_size;
  }

  bool Truncate() override {
    if (!Check()) return false;
    if (!(record_->access & static_cast<uint32_t>(FileAccess::kWrite))) return Fail(winerr::kAccessDenied);
    off_t pos = ::lseek(fd_, 0, SEEK_CUR);
    struct stat st;
    if (pos < 0 || ::fstat(fd_, &st) != 0) return Fail(winerr::kWriteFault);
    int64_t delta = static_cast<int64_t>(pos) - st.st_size;
    if (delta > 0) {
      uint64_t used = fs_->Used(drive_), cap = fs_->Capacity(drive_);
      if (used + static_cast<uint64_t>(delta) > cap) return Fail(winerr::kDiskFull);
    }
    if (::ftruncate(fd_, pos) != 0) return Fail(winerr::kWriteFault);
    fs_->AdjustUsed(drive_, delta);
    if (delta != 0) fs_->NoteSizeChange();
    return true;
  }

  bool GetTime(uint32_t* dos_time) override {
    if (!Check()) return false;
    struct stat st;
    if (::fstat(fd_, &st) != 0) return Fail(winerr::kReadFault);
    *dos_time = DosFromTime(st.st_mtime);
    return true;
  }

  bool SetTime(uint32_t dos_time) override {
    if (!Check()) return false;
    if (!(record_->access & static_cast<uint32_t>(FileAccess::kWrite))) return Fail(winerr::kAccessDenied);
    time_t t;
    if (!TimeFromDos(dos_time, &t)) return Fail(winerr::kInvalidParameter);
    struct timespec times[2] = {{t, 0}, {t, 0}};
    if (::futimens(fd_, times) != 0) return Fail(winerr::kWriteFault);
    return true;
  }

 private:
  bool Valid() const { return generation_ == fs_->generation(); }
  bool Check() { return Valid() || Fail(winerr::kInvalidHandle); }
  bool Fail(uint32_t code) {
    fs_->machine().SetError(code);
    return false;
  }

  EmulatedFileSystem* fs_;
  int fd_;
  EmulatedFileSystem::OpenRecord* record_;
  char drive_;
  uint32_t generation_;
};

}  // namespace

// ---------------------------------------------------------------- basics

EmulatedFileSystem::EmulatedFileSystem(EmulatedMachine& machine) : machine_(machine) {}

EmulatedFileSystem::~EmulatedFileSystem() {
  for (OpenRecord* r : open_) delete r;
  if (changes_) ::munmap(changes_, sizeof(uint64_t));
}

bool EmulatedFileSystem::Fail(uint32_t code) {
  machine_.SetError(code);
  return false;
}

std::string EmulatedFileSystem::DriveHost(char letter) const {
  return machine_.HostDir() + "/drives/" + std::string(1, static_cast<char>(letter | 0x20));
}

std::string EmulatedFileSystem::Resolved::LongText() const {
  emu::WinPath p = path;
  p.parts = long_parts;
  p.drive_as_given = p.drive;
  return p.Text();
}

std::string EmulatedFileSystem::Rel(const std::string& host) const {
  const std::string& base = machine_.HostDir();
  return host.size() > base.size() ? host.substr(base.size() + 1) : std::string();
}

bool EmulatedFileSystem::Load(std::string* error) {
  attributes_.clear();
  std::string data;
  if (!emu::ReadHostFile(machine_.HostDir() + "/attributes.txt", &data)) return true;
  size_t pos = 0;
  int line_no = 0;
  while (pos < data.size()) {
    size_t nl = data.find('\n', pos);
    if (nl == std::string::npos) nl = data.size();
    std::string line = data.substr(pos, nl - pos);
    pos = nl + 1;
    ++line_no;
    if (line.empty()) continue;
    size_t tab = line.find('\t');
    std::string hex = tab == std::string::npos ? std::string() : line.substr(0, tab);
    char* end = nullptr;
    unsigned long v = std::strtoul(hex.c_str(), &end, 16);
    if (hex.empty() || *end != 0) {
      *error = machine_.HostDir() + "/attributes.txt:" + std::to_string(line_no) +
               ": expected hex attributes, a tab and a path";
      return false;
    }
    attributes_[line.substr(tab + 1)] = static_cast<uint32_t>(v);
  }
  return true;
}

bool EmulatedFileSystem::SaveAttributes() {
  std::string out;
  char buf[16];
  for (const auto& [path, a] : attributes_) {
    std::snprintf(buf, sizeof buf, "%02x\t", a);
    out += buf + path + "\n";
  }
  return emu::WriteFileAtomic(machine_.HostDir() + "/attributes.txt", out, nullptr);
}

uint32_t EmulatedFileSystem::StoredAttributes(const Resolved& r) {
  if (r.path.IsRoot()) return attr::kDirectory;
  auto it = attributes_.find(Rel(r.host));
  uint32_t a = it != attributes_.end() ? it->second : (r.is_dir ? 0 : attr::kArchive);
  if (r.is_dir) a |= attr::kDirectory;
  return a;
}

void EmulatedFileSystem::StoreAttributes(const std::string& host, uint32_t a) {
  attributes_[Rel(host)] = a & kSettableAttributes;
  SaveAttributes();
}

void EmulatedFileSystem::DropAttributes(const std::string& host) {
  std::string rel = Rel(host);
  bool changed = attributes_.erase(rel) > 0;
  for (auto it = attributes_.lower_bound(rel + "/");
       it != attributes_.end() && it->first.compare(0, rel.size() + 1, rel + "/") == 0;) {
    it = attributes_.erase(it);
    changed = true;
  }
  if (changed) SaveAttributes();
}

void EmulatedFileSystem::MoveAttributes(const std::string& from_host, const std::string& to_host) {
  std::string from = Rel(from_host), to = Rel(to_host);
  std::map<std::string, uint32_t> moved;
  for (auto it = attributes_.begin(); it != attributes_.end();) {
    if (it->first == from || it->first.compare(0, from.size() + 1, from + "/") == 0) {
      moved[to + it->first.substr(from.size())] = it->second;
      it = attributes_.erase(it);
    } else if (it->first == to) {
      it = attributes_.erase(it);  // the replaced target's own attributes
    } else {
      ++it;
    }
  }
  attributes_.insert(moved.begin(), moved.end());
  SaveAttributes();
}

// ---------------------------------------------------------------- resolution

std::map<std::string, std::string> EmulatedFileSystem::ShortNames(const std::string& host_dir) {
  std::vector<std::string> names = HostNames(host_dir);
  std::map<std::string, std::string> result;  // host name -> short name
  std::set<std::string> taken;
  for (const auto& n : names)
    if (emu::IsShortName(n)) {
      taken.insert(Upper(n));
      result[n] = n;
    }
  for (const auto& n : names) {
    if (emu::IsShortName(n)) continue;
    std::string base, ext;
    emu::ShortNameParts(n, &base, &ext);
    for (int k = 1; k < 1000000; ++k) {
      std::string suffix = "~" + std::to_string(k);
      std::string cand = base.substr(0, 8 - suffix.size()) + suffix + (ext.empty() ? "" : "." + ext);
      if (taken.insert(cand).second) {
        result[n] = cand;
        break;
      }
    }
  }
  return result;
}

uint32_t EmulatedFileSystem::Resolve(const std::string& path, Resolved* out) {
  Resolved r;
  if (uint32_t e = emu::ParseWinPath(path, current_dir_, &r.path)) return e;
  if (!machine_.Settings().Drive(r.path.drive)) return winerr::kPathNotFound;
  std::string host = DriveHost(r.path.drive);
  // The whole path as given is the usual case: one look-up.
  if (!r.path.parts.empty()) {
    std::string whole = host;
    for (const std::string& comp : r.path.parts) whole += "/" + comp;
    struct stat st;
    if (::lstat(whole.c_str(), &st) == 0) {
      r.long_parts = r.path.parts;
      r.host = std::move(whole);
      r.exists = true;
      r.is_dir = S_ISLNK(st.st_mode) ? IsHostDir(r.host) : S_ISDIR(st.st_mode);
      *out = std::move(r);
      return 0;
    }
  }
  if (!IsHostDir(host)) return winerr::kNotReady;
  for (size_t i = 0; i < r.path.parts.size(); ++i) {
    const std::string& comp = r.path.parts[i];
    bool last = i + 1 == r.path.parts.size();
    // The name as given is the usual case; only a miss scans the directory.
    std::string match;
    struct stat st;
    int kind = 0;  // what lstat found: 1 a folder, 2 something else, 0 not known
    if (::lstat((host + "/" + comp).c_str(), &st) == 0) {
      match = comp;
      if (!S_ISLNK(st.st_mode)) kind = S_ISDIR(st.st_mode) ? 1 : 2;
    }
    if (match.empty()) {
      if (DIR* d = ::opendir(host.c_str())) {
        while (struct dirent* e = ::readdir(d)) {
          std::string n = e->d_name;
          if (n != "." && n != ".." && EqualNoCase(n, comp)) {
            match = n;
            break;
          }
        }
        ::closedir(d);
      }
    }
    if (match.empty() && comp.find('~') != std::string::npos) {
      for (const auto& [n, s] : ShortNames(host))
        if (EqualNoCase(s, comp)) {
          match = n;
          break;
        }
    }
    if (match.empty()) {
      if (!last) return winerr::kPathNotFound;
      r.host = host + "/" + comp;
      r.long_parts.push_back(comp);
      r.exists = false;
      *out = std::move(r);
      return 0;
    }
    host += "/" + match;
    r.long_parts.push_back(match);
    const bool is_dir = kind != 0 ? kind == 1 : IsHostDir(host);
    if (!last && !is_dir) return winerr::kPathNotFound;
    if (last) r.is_dir = is_dir;
  }
  r.host = host;
  r.exists = true;
  if (r.path.parts.empty()) r.is_dir = IsHostDir(host);
  *out = std::move(r);
  return 0;
}

// ---------------------------------------------------------------- sharing

std::vector<EmulatedFileSystem::Mark> EmulatedFileSystem::LoadMarks() {
  std::vector<Mark> marks;
  for (const auto& m : machine_.InUseMarks()) {
    Resolved r;
    if (Resolve(m.path, &r) != 0 || !r.exists) continue;
    marks.push_back({r.host, m.mode == InUseMode::kDenyAll});
  }
  return marks;
}

uint32_t EmulatedFileSystem::OpenConflict(const std::string& host, uint32_t access, uint32_t share) {
  const uint32_t kR = static_cast<uint32_t>(FileAccess::kRead);
  const uint32_t kW = static_cast<uint32_t>(FileAccess::kWrite);
  for (const OpenRecord* o : open_) {
    if (o->host != host) continue;
    if ((access & kR) && !(o->share & share::kRead)) return winerr::kSharingViolation;
    if ((access & kW) && !(o->share & share::kWrite)) return winerr::kSharingViolation;
    if ((o->access & kR) && !(share & share::kRead)) return winerr::kSharingViolation;
    if ((o->access & kW) && !(share & share::kWrite)) return winerr::kSharingViolation;
  }
  for (const Mark& m : LoadMarks()) {
    if (m.host != host) continue;
    if (access & kW) return winerr::kSharingViolation;
    if ((access & kR) && m.deny_read) return winerr::kSharingViolation;
  }
  return 0;
}

bool EmulatedFileSystem::BlocksDelete(const std::string& host) {
  for (const OpenRecord* o : open_)
    if (o->host == host && !(o->share & share::kDelete)) return true;
  for (const Mark& m : LoadMarks())
    if (m.host == host) return true;
  return false;
}

bool EmulatedFileSystem::AnyOpenBelow(const std::string& dir) {
  for (const OpenRecord* o : open_)
    if (IsBelow(o->host, dir)) return true;
  for (const Mark& m : LoadMarks())
    if (IsBelow(m.host, dir)) return true;
  return false;
}

void EmulatedFileSystem::Unregister(OpenRecord* record) {
  auto it = std::find(open_.begin(), open_.end(), record);
  if (it != open_.end()) {
    delete *it;
    open_.erase(it);
  }
}

void EmulatedFileSystem::InvalidateHandles() {
  for (OpenRecord* r : open_) delete r;
  open_.clear();
  ++generation_;
  used_.clear();
}

// ---------------------------------------------------------------- capacity

uint64_t EmulatedFileSystem::Capacity(char drive) const {
  const DriveSetting* d = machine_.Settings().Drive(drive);
  return d ? d->capacity : 0;
}

bool EmulatedFileSystem::MapChanges() {
  if (changes_tried_) return changes_ != nullptr;
  changes_tried_ = true;
  const std::string file = machine_.HostDir() + "/fs-changes";
  int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  struct stat st;
  void* p = MAP_FAILED;
  if (::fstat(fd, &st) == 0 &&
      (st.st_size >= static_cast<off_t>(sizeof(uint64_t)) || ::ftruncate(fd, sizeof(uint64_t)) == 0))
    p = ::mmap(nullptr, sizeof(uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  ::close(fd);
  if (p == MAP_FAILED) return false;
  changes_ = static_cast<uint64_t*>(p);
  changes_seen_ = std::atomic_ref<uint64_t>(*changes_).load();
  return true;
}

void EmulatedFileSystem::CheckChanges() {
  // Without the shared counter every measure is taken afresh.
  if (!MapChanges()) {
    used_.clear();
    return;
  }
  const uint64_t now = std::atomic_ref<uint64_t>(*changes_).load();
  if (now != changes_seen_) {
    used_.clear();
    changes_seen_ = now;
  }
}

void EmulatedFileSystem::NoteSizeChange() {
  if (!MapChanges()) {
    used_.clear();
    return;
  }
  const uint64_t before = std::atomic_ref<uint64_t>(*changes_).fetch_add(1);
  if (before != changes_seen_) used_.clear();  // another process's change came first
  changes_seen_ = before + 1;
}

uint64_t EmulatedFileSystem::Used(char drive) {
  drive = emu::UpperChar(drive);
  CheckChanges();
  auto it = used_.find(drive);
  if (it != used_.end()) return it->second;
  uint64_t total = 0;
  std::vector<std::string> stack{DriveHost(drive)};
  while (!stack.empty()) {
    std::string dir = stack.back();
    stack.pop_back();
    DIR* d = ::opendir(dir.c_str());
    if (!d) continue;
    while (struct dirent* e = ::readdir(d)) {
      if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
      struct stat st;
      if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
      if (S_ISDIR(st.st_mode)) stack.push_back(dir + "/" + e->d_name);
      else if (S_ISREG(st.st_mode)) total += static_cast<uint64_t>(st.st_size);
    }
    ::closedir(d);
  }
  used_[drive] = total;
  return total;
}

void EmulatedFileSystem::AdjustUsed(char drive, int64_t delta) {
  drive = emu::UpperChar(drive);
  auto it = used_.find(drive);
  if (it == used_.end()) return;  // computed afresh when next needed
  if (delta < 0 && static_cast<uint64_t>(-delta) > it->second) it->second = 0;
  else it->second = static_cast<uint64_t>(static_cast<int64_t>(it->second) + delta);
}

// ---------------------------------------------------------------- files

std::unique_ptr<File> EmulatedFileSystem::Open(const std::string& path, FileAccess access,
                                               uint32_t share_mode, Disposition disposition) {
  Resolved r;
  if (uint32_t e = Resolve(path, &r)) {
    Fail(e);
    return nullptr;
  }
  uint32_t acc = static_cast<uint32_t>(access);
  if (r.path.IsRoot() || (r.exists && r.is_dir)) {
    Fail(winerr::kAccessDenied);
    return nullptr;
  }
  bool truncate = false;
  switch (disposition) {
    case Disposition::kCreateNew:
      if (r.exists) {
        Fail(winerr::kFileExists);
        return nullptr;
      }
      break;
    case Disposition::kCreateAlways:
      truncate = r.exists;
      break;
    case Disposition::kOpenAlways:
      break;
    case Disposition::kOpenExisting:
    case Disposition::kTruncateExisting:
      if (!r.exists) {
        Fail(winerr::kFileNotFound);
        return nullptr;
      }
      if (disposition == Disposition::kTruncateExisting) {
        if (!(acc & static_cast<uint32_t>(FileAccess::kWrite))) {
          Fail(winerr::kInvalidParameter);
          return nullptr;
        }
        truncate = true;
      }
      break;
    default:
      Fail(winerr::kInvalidParameter);
      return nullptr;
  }
  if (r.exists) {
    if ((StoredAttributes(r) & attr::kReadOnly) &&
        ((acc & static_cast<uint32_t>(FileAccess::kWrite)) || truncate)) {
      Fail(winerr::kAccessDenied);
      return nullptr;
    }
    if (uint32_t e = OpenConflict(r.host, acc, share_mode)) {
      Fail(e);
      return nullptr;
    }
  }
  int flags = (acc & static_cast<uint32_t>(FileAccess::kWrite)) ? O_RDWR : O_RDONLY;
  if (!r.exists) flags |= O_CREAT | O_EXCL;
  int fd = ::open(r.host.c_str(), flags, 0644);
  if (fd < 0) {
    Fail(errno == EACCES ? winerr::kAccessDenied : winerr::kPathNotFound);
    return nullptr;
  }
  if (truncate) {
    // An empty file only takes the time of the change: a host truncation
    // to nothing would have the host write the new contents out at close.
    struct stat st;
    const bool known = ::fstat(fd, &st) == 0;
    if (known && st.st_size == 0) {
      struct timespec now[2] = {{0, UTIME_OMIT}, {0, UTIME_NOW}};
      ::futimens(fd, now);
    } else if (::ftruncate(fd, 0) == 0) {
      if (known) AdjustUsed(r.path.drive, -static_cast<int64_t>(st.st_size));
      else used_.clear();
      NoteSizeChange();
    }
  }
  if (!r.exists) {
    attributes_.erase(Rel(r.host));  // a stale entry of an earlier file
  }
  auto* record = new OpenRecord{r.host, acc, share_mode};
  open_.push_back(record);
  // Like CreateFile: success on an existing file leaves ERROR_ALREADY_EXISTS
  // for the "always" dispositions.
  machine_.SetError(r.exists && (disposition == Disposition::kCreateAlways ||
                                 disposition == Disposition::kOpenAlways)
                        ? winerr::kAlreadyExists
                        : winerr::kSuccess);
  return std::make_unique<EmulatedFile>(this, fd, record, r.path.drive);
}

uint32_t EmulatedFileSystem::Attributes(const std::string& path) {
  Resolved r;
  if (uint32_t e = Resolve(path, &r)) {
    Fail(e == winerr::kPathNotFound ? e : e);
    return attr::kInvalid;
  }
  if (!r.exists) {
    Fail(winerr::kFileNotFound);
    return attr::kInvalid;
  }
  uint32_t a = StoredAttributes(r);
  return a == 0 ? attr::kNormal : a;
}

bool EmulatedFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  Resolved r;
  if (uint32_t e = Resolve(path, &r)) return Fail(e);
  if (!r.exists) return Fail(winerr::kFileNotFound);
  if (r.path.IsRoot()) return Fail(winerr::kAccessDenied);
  StoreAttributes(r.host, attributes);
  return true;
}

bool EmulatedFileSystem::RemoveFile(const std::string& path) {
  Resolved r;
  if (uint32_t e = Resolve(path, &r)) return Fail(e);
  if (!r.exists) return Fail(winerr::kFileNotFound);
  if (r.is_dir || r.path.IsRoot()) return Fail(winerr::kAccessDenied);
  if (StoredAttributes(r) & attr::kReadOnly) return Fail(winerr::kAccessDenied);
  if (BlocksDelete(r.host)) return Fail(winerr::kSharingViolation);
  struct stat st;
  const int64_t size = ::lstat(r.host.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? st.st_size : 0;
  if (::unlink(r.host.c_str()) != 0) return Fail(winerr::kAccessDenied);
  AdjustUsed(r.path.drive, -size);
  NoteSizeChange();
  DropAttributes(r.host);
  return true;
}

bool EmulatedFileSystem::Rename(const std::string& from, const std::string& to) {
  return MoveEx(from, to, movefile::kCopyAllowed);
}

bool EmulatedFileSystem::MoveNow(const Resolved& from, const Resolved& to, uint32_t flags) {
  if (!from.exists) return Fail(winerr::kFileNotFound);
  if (from.path.IsRoot() || to.path.IsRoot()) return Fail(winerr::kAccessDenied);
  bool same_entry = from.host == to.host ||
                    (to.exists && from.path.drive == to.path.drive && EqualNoCase(from.host, to.host));
  if (same_entry) {
    // Only the letter case changes (or nothing at all).
    std::string target = to.host.substr(0, to.host.rfind('/') + 1) + to.path.Leaf();
    if (target == from.host) return true;
    if (from.is_dir ? AnyOpenBelow(from.host) : BlocksDelete(from.host))
      return Fail(from.is_dir ? winerr::kAccessDenied : winerr::kSharingViolation);
    if (::rename(from.host.c_str(), target.c_str()) != 0) return Fail(winerr::kAccessDenied);
    MoveAttributes(from.host, target);
    return true;
  }
  bool cross = from.path.drive != to.path.drive;
  if (from.is_dir) {
    if (cross) return Fail(kNotSameDevice);
    if (IsBelow(to.host, from.host)) return Fail(winerr::kSharingViolation);
    if (AnyOpenBelow(from.host)) return Fail(winerr::kAccessDenied);
  } else if (BlocksDelete(from.host)) {
    return Fail(winerr::kSharingViolation);
  }
  if (cross && !(flags & movefile::kCopyAllowed)) return Fail(kNotSameDevice);
  uint64_t replaced = 0;
  if (to.exists) {
    if (!(flags & movefile::kReplaceExisting)) return Fail(winerr::kAlreadyExists);
    if (to.is_dir || from.is_dir) return Fail(winerr::kAccessDenied);
    if (StoredAttributes(to) & attr::kReadOnly) return Fail(winerr::kAccessDenied);
    if (BlocksDelete(to.host)) return Fail(winerr::kSharingViolation);
    struct stat st;
    if (::stat(to.host.c_str(), &st) == 0) replaced = static_cast<uint64_t>(st.st_size);
  }
  uint64_t size = 0;
  if (cross) {
    struct stat st;
    size = ::stat(from.host.c_str(), &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
    uint64_t used = Used(to.path.drive), cap = Capacity(to.path.drive);
    if (size > replaced && used + (size - replaced) > cap) return Fail(winerr::kDiskFull);
  }
  if (::rename(from.host.c_str(), to.host.c_str()) != 0) return Fail(winerr::kAccessDenied);
  MoveAttributes(from.host, to.host);
  if (cross || replaced != 0) {
    AdjustUsed(from.path.drive, -static_cast<int64_t>(size));
    AdjustUsed(to.path.drive, static_cast<int64_t>(size) - static_cast<int64_t>(replaced));
    NoteSizeChange();
  }
  return true;
}

bool EmulatedFileSystem::MoveEx(const std::string& from, const std::string& to, uint32_t flags) {
  if (flags & movefile::kDelayUntilReboot) return RecordPendingRename(from, to, flags);
  if (to.empty()) return Fail(winerr::kInvalidParameter);
  Resolved f, t;
  if (uint32_t e = Resolve(from, &f)) return Fail(e);
  if (uint32_t e = Resolve(to, &t)) return Fail(e);
  return MoveNow(f, t, flags);
}

bool EmulatedFileSystem::RecordPendingRename(const std::string& from, const std::string& to,
                                             uint32_t flags) {
  const MachineSettings& s = machine_.Settings();
  if (!s.IsNT()) return Fail(kCallNotImplemented);
  if (flags & movefile::kCopyAllowed) return Fail(winerr::kInvalidParameter);
  std::string full_from, full_to;
  if (!FullPath(from, &full_from)) return false;
  if (!to.empty() && !FullPath(to, &full_to)) return false;
  std::string entry_from = "\\??\\" + full_from;
  std::string entry_to;
  if (!to.empty())
    entry_to = ((flags & movefile::kReplaceExisting) ? "!\\??\\" : "\\??\\") + full_to;
  auto key = machine_.Reg().Open(RegRoot::kLocalMachine,
                                 "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                                 RegAccess::kAll, true);
  if (!key) return false;
  RegValue old;
  std::string data;
  if (key->Query("PendingFileRenameOperations", &old) && old.type == regtype::kMultiSz) {
    data = old.data;
    if (!data.empty() && data.back() == '\0') data.pop_back();  // the list's final zero
    if (data.size() == 1 && data[0] == '\0') data.clear();
  }
  data += entry_from;
  data.push_back('\0');
  data += entry_to;
  data.push_back('\0');
  data.push_back('\0');
  RegValue v;
  v.type = regtype::kMultiSz;
  v.data = data;
  return key->Set("PendingFileRenameOperations", v);
}

bool EmulatedFileSystem::Copy(const std::string& from, const std::string& to, bool fail_if_exists) {
  Resolved f, t;
  if (uint32_t e = Resolve(from, &f)) return Fail(e);
  if (!f.exists) return Fail(winerr::kFileNotFound);
  if (f.is_dir) return Fail(winerr::kAccessDenied);
  if (uint32_t e = OpenConflict(f.host, static_cast<uint32_t>(FileAccess::kRead), share::kRead))
    return Fail(e);
  if (uint32_t e = Resolve(to, &t)) return Fail(e);
  if (t.path.IsRoot() || (t.exists && t.is_dir)) return Fail(winerr::kAccessDenied);
  if (t.host == f.host) return Fail(fail_if_exists ? winerr::kFileExists : winerr::kSharingViolation);
  uint64_t replaced = 0;
  if (t.exists) {
    if (fail_if_exists) return Fail(winerr::kFileExists);
    if (StoredAttributes(t) & attr::kReadOnly) return Fail(winerr::kAccessDenied);
    if (uint32_t e = OpenConflict(t.host, static_cast<uint32_t>(FileAccess::kWrite), share::kNone))
      return Fail(e);
    struct stat st;
    if (::stat(t.host.c_str(), &st) == 0) replaced = static_cast<uint64_t>(st.st_size);
  }
  struct stat st;
  if (::stat(f.host.c_str(), &st) != 0) return Fail(winerr::kFileNotFound);
  uint64_t size = static_cast<uint64_t>(st.st_size);
  if (size > replaced && Used(t.path.drive) + (size - replaced) > Capacity(t.path.drive))
    return Fail(winerr::kDiskFull);
  // Copy beside the target first, so a failure leaves an existing target intact.
  std::string tmp = t.host + ".kitcopy";
  if (!HostCopy(f.host, tmp) || ::rename(tmp.c_str(), t.host.c_str()) != 0) {
    ::unlink(tmp.c_str());
    return Fail(winerr::kWriteFault);
  }
  AdjustUsed(t.path.drive, static_cast<int64_t>(size) - static_cast<int64_t>(replaced));
  NoteSizeChange();
  StoreAttributes(t.host, StoredAttributes(f) | attr::kArchive);
  return true;
}

// ---------------------------------------------------------------- directories

bool EmulatedFileSystem::MakeDirectory(const std::string& path) {
  Resolved r;
  if (uint32_t e = Resolve(path, &r)) return Fail(e);
  if (r.path.IsRoot()) return Fail(winerr::kAccessDenied);
  if (r.exists) return Fail(winerr::kAlreadyExists);
  if (::mkdir(r.host.c_str(), 0755) != 0) return Fail(winerr::kAccessDenied);
  attributes_.erase(Rel(r.host));
  return true;
}

bool EmulatedFileSystem::RemoveDir(const std::string& path) {
  Resolved r;
  if (uint32_t e = Resolve(path, &r)) return Fail(e);
  if (!r.exists) return Fail(winerr::kFileNotFound);
  if (r.path.IsRoot()) return Fail(winerr::kAccessDenied);
  if (!r.is_dir) return Fail(kDirectoryName);
  if (!HostNames(r.host).empty()) return Fail(winerr::kDirNotEmpty);
  Resolved cur;
  if (Resolve(current_dir_, &cur) == 0 && cur.host == r.host) return Fail(winerr::kSharingViolation);
  if (StoredAttributes(r) & attr::kReadOnly) return Fail(winerr::kAccessDenied);
  if (::rmdir(r.host.c_str()) != 0) return Fail(winerr::kAccessDenied);
  DropAttributes(r.host);
  return true;
}

bool EmulatedFileSystem::List(const std::string& dir, const std::string& pattern,
                              std::vector<FileEntry>* entries) {
  entries->clear();
  Resolved r;
  if (uint32_t e = Resolve(dir, &r)) return Fail(e);
  if (!r.exists || !r.is_dir) return Fail(winerr::kPathNotFound);
  for (const auto& n : HostNames(r.host)) {
    if (!emu::WildcardMatch(pattern, n)) continue;
    Resolved child = r;
    child.host = r.host + "/" + n;
    child.path.parts.push_back(n);
    struct stat st;
    if (::stat(child.host.c_str(), &st) != 0) continue;
    child.is_dir = S_ISDIR(st.st_mode);
    FileEntry fe;
    fe.name = n;
    fe.attributes = StoredAttributes(child);
    if (fe.attributes == 0) fe.attributes = attr::kNormal;
    fe.size = child.is_dir ? 0 : st.st_size;
    fe.dos_time = DosFromTime(st.st_mtime);
    entries->push_back(fe);
  }
  return true;
}

bool EmulatedFileSystem::GetTime(const std::string& path, uint32_t* dos_time) {
  Resolved r;
  if (uint32_t e = Resolve(path, &r)) return Fail(e);
  if (!r.exists) return Fail(winerr::kFileNotFound);
  struct stat st;
  if (::stat(r.host.c_str(), &st) != 0) return Fail(winerr::kFileNotFound);
  *dos_time = DosFromTime(st.st_mtime);
  return true;
}

bool EmulatedFileSystem::SetTime(const std::string& path, uint32_t dos_time) {
  Resolved r;
  if (uint32_t e = Resolve(path, &r)) return Fail(e);
  if (!r.exists) return Fail(winerr::kFileNotFound);
  if (!r.is_dir && (StoredAttributes(r) & attr::kReadOnly)) return Fail(winerr::kAccessDenied);
  if (!r.is_dir)
    if (uint32_t e = OpenConflict(r.host, static_cast<uint32_t>(FileAccess::kWrite), share::kAll))
      return Fail(e);
  time_t t;
  if (!TimeFromDos(dos_time, &t)) return Fail(winerr::kInvalidParameter);
  struct timespec times[2] = {{t, 0}, {t, 0}};
  if (::utimensat(AT_FDCWD, r.host.c_str(), times, 0) != 0) return Fail(winerr::kAccessDenied);
  return true;
}

// ---------------------------------------------------------------- names

bool EmulatedFileSystem::ShortPath(const std::string& path, std::string* short_path) {
  Resolved r;
  if (uint32_t e = Resolve(path, &r)) return Fail(e);
  if (!r.exists) return Fail(winerr::kFileNotFound);
  std::string out = std::string(1, r.path.drive_as_given) + ":\\";
  std::string host = DriveHost(r.path.drive);
  for (size_t i = 0; i < r.long_parts.size(); ++i) {
    auto names = ShortNames(host);
    if (i) out.push_back('\\');
    out += names[r.long_parts[i]];
    host += "/" + r.long_parts[i];
  }
  if (r.path.trailing_separator && !r.path.IsRoot()) out.push_back('\\');
  *short_path = out;
  return true;
}

bool EmulatedFileSystem::FullPath(const std::string& path, std::string* full_path) {
  emu::WinPath p;
  if (uint32_t e = emu::ParseWinPath(path, current_dir_, &p)) return Fail(e);
  std::string out = p.Text();
  if (p.trailing_separator && !p.IsRoot()) out.push_back('\\');
  *full_path = out;
  return true;
}

bool EmulatedFileSystem::TempDirectory(std::string* dir) {
  *dir = machine_.Settings().temp_dir;
  if (dir->empty() || dir->back() != '\\') dir->push_back('\\');
  return true;
}

bool EmulatedFileSystem::TempFileName(const std::string& dir, const std::string& prefix,
                                      std::string* path) {
  Resolved r;
  if (uint32_t e = Resolve(dir, &r)) return Fail(e == winerr::kPathNotFound ? kDirectoryName : e);
  if (!r.exists || !r.is_dir) return Fail(kDirectoryName);
  std::string base = dir;
  if (base.empty() || (base.back() != '\\' && base.back() != '/')) base.push_back('\\');
  std::string pre = prefix.substr(0, 3);
  char hex[8];
  for (unsigned n = 1; n <= 0xFFFF; ++n) {
    std::snprintf(hex, sizeof hex, "%X", n);
    std::string candidate = base + pre + hex + ".TMP";
    auto f = Open(candidate, FileAccess::kWrite, share::kNone, Disposition::kCreateNew);
    if (f) {
      *path = candidate;
      machine_.SetError(winerr::kSuccess);
      return true;
    }
    if (machine_.LastError() != winerr::kFileExists) return false;
  }
  return Fail(winerr::kFileExists);
}

std::string EmulatedFileSystem::CurrentDir() { return current_dir_; }

bool EmulatedFileSystem::SetCurrentDir(const std::string& dir) {
  Resolved r;
  if (uint32_t e = Resolve(dir, &r)) return Fail(e);
  if (!r.exists) return Fail(winerr::kFileNotFound);
  if (!r.is_dir) return Fail(kDirectoryName);
  current_dir_ = r.path.Text();
  return true;
}

bool EmulatedFileSystem::DiskSpace(const std::string& path, uint64_t* free_bytes,
                                   uint64_t* total_bytes) {
  emu::WinPath p;
  if (uint32_t e = emu::ParseWinPath(path, current_dir_, &p)) return Fail(e);
  if (!machine_.Settings().Drive(p.drive)) return Fail(winerr::kPathNotFound);
  if (!IsHostDir(DriveHost(p.drive))) return Fail(winerr::kNotReady);
  uint64_t cap = Capacity(p.drive), used = Used(p.drive);
  if (free_bytes) *free_bytes = cap > used ? cap - used : 0;
  if (total_bytes) *total_bytes = cap;
  return true;
}

}  // namespace kit
