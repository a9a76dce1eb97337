#include "platform/emulated/emulated_registry.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/emulated/emulated_machine.h"
#include "platform/emulated/host_ini.h"
#include "platform/emulated/registry_journal.h"
#include "platform/emulated/win_path.h"

namespace kit {

// Names are enumerated sorted without regard to case, letters compared as
// small letters, as the registry of the test machine under Wine gives them.
static void SortAsWindows(std::vector<std::string>* names) {
  auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
  std::stable_sort(names->begin(), names->end(), [&](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
        [&](char x, char y) { return lower(x) < lower(y); });
  });
}


using emu::RegNode;

namespace {

std::vector<std::string> Split(const std::string& s) {
  std::vector<std::string> parts;
  size_t i = 0;
  while (i < s.size()) {
    size_t j = s.find('\\', i);
    if (j == std::string::npos) j = s.size();
    parts.push_back(s.substr(i, j - i));
    i = j + 1;
  }
  return parts;
}

bool BadName(const std::string& s) {
  for (char c : s)
    if (c == '\r' || c == '\n' || c == '\0') return true;
  return false;
}

class EmulatedKey : public RegKey {
 public:
  EmulatedKey(EmulatedRegistry* reg, EmulatedRegistry::Location loc, bool writable)
      : reg_(reg), loc_(std::move(loc)), writable_(writable) {}

  bool Query(const std::string& name, RegValue* value) override {
    RegNode* n = Node();
    if (!n) return false;
    const RegValue* v = n->Value(name);
    if (!v) return Fail(winerr::kFileNotFound);
    *value = *v;
    return true;
  }

  bool Set(const std::string& name, const RegValue& value) override {
    if (!writable_) return Fail(winerr::kAccessDenied);
    if (BadName(name)) return Fail(winerr::kInvalidParameter);
    return reg_->Change([&](std::string* lines) -> uint32_t {
      if (!reg_->Find(loc_)) return winerr::kKeyDeleted;
      *lines = Section() + emu::Regedit4ValueLine(name, value);
      return 0;
    });
  }

  // One journal record, so one write to disk, for all of them.
  size_t SetValues(const std::vector<std::pair<std::string, RegValue>>& values) override {
    if (values.empty()) return 0;
    if (!writable_) return Fail(winerr::kAccessDenied);
    for (const auto& [name, value] : values)
      if (BadName(name)) return RegKey::SetValues(values);  // those before it, one by one
    bool ok = reg_->Change([&](std::string* lines) -> uint32_t {
      if (!reg_->Find(loc_)) return winerr::kKeyDeleted;
      *lines = Section();
      for (const auto& [name, value] : values) *lines += emu::Regedit4ValueLine(name, value);
      return 0;
    });
    return ok ? values.size() : 0;
  }

  bool DeleteValue(const std::string& name) override {
    if (!writable_) return Fail(winerr::kAccessDenied);
    return reg_->Change([&](std::string* lines) -> uint32_t {
      RegNode* n = reg_->Find(loc_);
      if (!n) return winerr::kKeyDeleted;
      if (!n->Value(name)) return winerr::kFileNotFound;
      *lines = Section() + emu::Regedit4ValueName(name) + "=-\r\n";
      return 0;
    });
  }

  bool ValueNames(std::vector<std::string>* names) override {
    RegNode* n = Node();
    if (!n) return false;
    names->clear();
    for (const auto& [k, v] : n->Values()) names->push_back(k);
    SortAsWindows(names);
    return true;
  }

  bool SubkeyNames(std::vector<std::string>* names) override {
    RegNode* n = Node();
    if (!n) return false;
    names->clear();
    for (const auto& c : n->Subkeys()) names->push_back(c->name);
    SortAsWindows(names);
    return true;
  }

  bool DeleteTree(const std::string& subkey) override {
    if (!writable_) return Fail(winerr::kAccessDenied);
    std::string sub = subkey;
    while (!sub.empty() && sub.front() == '\\') sub.erase(0, 1);
    while (!sub.empty() && sub.back() == '\\') sub.pop_back();
    std::vector<std::string> parts = sub.empty() ? std::vector<std::string>() : Split(sub);
    for (const auto& part : parts)
      if (part.empty() || BadName(part)) return Fail(winerr::kInvalidParameter);
    return reg_->Change([&](std::string* lines) -> uint32_t {
      RegNode* n = reg_->Find(loc_);
      if (!n) return winerr::kKeyDeleted;
      std::string name = EmulatedRegistry::FullName(loc_);
      if (parts.empty()) {
        // Everything below the key goes; the key itself stays.
        for (const auto& c : n->Subkeys()) *lines += "[-" + name + "\\" + c->name + "]\r\n";
        if (!n->Values().empty()) {
          *lines += "[" + name + "]\r\n";
          for (const auto& [k, v] : n->Values()) *lines += emu::Regedit4ValueName(k) + "=-\r\n";
        }
        return 0;
      }
      for (const auto& part : parts) {
        n = n->Child(part);
        if (!n) return winerr::kFileNotFound;
        name += "\\" + part;
      }
      *lines = "[-" + name + "]\r\n";
      return 0;
    });
  }

 private:
  RegNode* Node() {
    if (!reg_->Refresh()) return nullptr;
    RegNode* n = reg_->Find(loc_);
    if (!n) Fail(winerr::kKeyDeleted);
    return n;
  }
  std::string Section() const { return "[" + EmulatedRegistry::FullName(loc_) + "]\r\n"; }
  bool Fail(uint32_t code) {
    reg_->machine().SetError(code);
    return false;
  }

  EmulatedRegistry* reg_;
  EmulatedRegistry::Location loc_;
  bool writable_;
};

}  // namespace

// Holds a lock of the machine directory: shared to read the registry files,
// exclusive to change them.
class EmulatedRegistry::Lock {
 public:
  Lock(int fd, bool exclusive) : fd_(fd) {
    if (fd_ < 0) return;
    while (::flock(fd_, exclusive ? LOCK_EX : LOCK_SH) != 0) {
      if (errno != EINTR) {
        fd_ = -1;
        return;
      }
    }
  }
  ~Lock() {
    if (fd_ >= 0) ::flock(fd_, LOCK_UN);
  }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_;
};

namespace {
// The journal grows to the size of registry.reg, at least this, before the
// registry is compacted: the cost of compacting spreads over the writes.
constexpr uint64_t kCompactMinimum = 1 << 20;
}  // namespace

EmulatedRegistry::EmulatedRegistry(EmulatedMachine& machine) : machine_(machine) {}

EmulatedRegistry::~EmulatedRegistry() {
  // Only a machine that changed the registry folds the journal in: reading
  // leaves the files as they are.
  if (loaded_ && changed_) {
    std::string error;
    Compact(&error);
  }
  if (dir_fd_ >= 0) ::close(dir_fd_);
}

std::string EmulatedRegistry::File() const { return machine_.HostDir() + "/registry.reg"; }
std::string EmulatedRegistry::LogFile() const { return machine_.HostDir() + "/registry.log"; }

int EmulatedRegistry::DirFd() {
  if (dir_fd_ < 0) dir_fd_ = ::open(machine_.HostDir().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return dir_fd_;
}

EmulatedRegistry::FileId EmulatedRegistry::IdOf(const struct stat& st) {
  FileId id;
  id.exists = true;
  id.dev = st.st_dev;
  id.ino = st.st_ino;
  id.size = st.st_size;
  id.mtime = st.st_mtim;
  return id;
}

bool EmulatedRegistry::Same(const FileId& id, const struct stat& st) {
  return id.exists && id.dev == st.st_dev && id.ino == st.st_ino && id.size == st.st_size &&
         id.mtime.tv_sec == st.st_mtim.tv_sec && id.mtime.tv_nsec == st.st_mtim.tv_nsec;
}

void EmulatedRegistry::Warn(const std::string& what) {
  if (std::find(warnings_.begin(), warnings_.end(), what) == warnings_.end())
    warnings_.push_back(what);
}

bool EmulatedRegistry::Load(std::string* error) {
  Lock lock(DirFd(), false);
  if (!lock.ok()) {
    *error = "cannot lock the machine directory " + machine_.HostDir() + ": " + std::strerror(errno);
    return false;
  }
  return LoadLocked(error);
}

bool EmulatedRegistry::LoadLocked(std::string* error) {
  std::string text;
  struct stat st;
  if (!emu::ReadHostFileFrom(File(), 0, &text, &st)) {
    *error = "cannot read " + File() + ": " + std::strerror(errno);
    return false;
  }
  emu::RegTrees trees;
  std::string why;
  if (!emu::ParseRegedit4(text, &trees, &why)) {
    *error = File() + ": " + why;
    return false;
  }
  uint32_t crc = emu::Crc32(text);
  std::string log;
  struct stat ls;
  bool have_log = emu::ReadHostFileFrom(LogFile(), 0, &log, &ls);
  if (!have_log && errno != ENOENT) {
    *error = "cannot read " + LogFile() + ": " + std::strerror(errno);
    return false;
  }
  emu::JournalScan scan;
  bool log_ok = false;
  uint64_t applied = 0;
  bool fold = false;
  if (have_log) {
    log_ok = emu::ScanJournal(log, crc, text.size(), &scan);
    if (!log_ok) SortForeignJournal(log, text, crc, trees, &scan);
    fold = !log_ok && !scan.records.empty();
    for (const auto& [offset, lines] : scan.records) {
      if (!emu::ApplyRegedit4(lines, &trees, &why)) {
        scan.damage = "the record at offset " + std::to_string(offset) + " cannot be applied (" + why + ")";
        scan.end = offset;
        break;
      }
      ++applied;
    }
    if (!scan.damage.empty())
      Warn(LogFile() + ": " + scan.damage + "; it and the " + std::to_string(log.size() - scan.end) +
           " bytes from it on are left unused");
  }
  trees_ = std::move(trees);
  loaded_ = true;
  base_id_ = IdOf(st);
  base_crc_ = crc;
  base_size_ = text.size();
  log_id_ = have_log ? IdOf(ls) : FileId();
  log_ok_ = log_ok;
  fold_pending_ = fold;
  log_end_ = log_ok ? scan.end : 0;
  log_seen_ = have_log ? log.size() : 0;
  log_records_ = applied;
  compact_at_ = log_end_ + std::max<uint64_t>(kCompactMinimum, base_size_);
  // HKEY_DYN_DATA of the Windows 95 family: read-only, rebuilt at every start.
  dyn_data_.Clear();
  if (machine_.Settings().IsWindowsFamily()) {
    dyn_data_.AddChild("Config Manager")->AddChild("Enum");
    dyn_data_.AddChild("PerfStats")->AddChild("StatData");
  }
  return true;
}

void EmulatedRegistry::SortForeignJournal(const std::string& log, const std::string& text, uint32_t crc,
                                          const emu::RegTrees& trees, emu::JournalScan* scan) {
  scan->records.clear();
  scan->damage.clear();
  if (log.compare(0, 10, "KITREGLOG ") != 0) {
    Warn(LogFile() + ": not a registry journal; left unused");
    return;
  }
  size_t nl = log.find('\n');
  if (nl == std::string::npos || nl > 64) return;  // a header cut short: no records
  emu::ScanJournalRecords(log.substr(nl + 1), nl + 1, scan);
  if (scan->records.empty()) {
    scan->damage.clear();
    return;
  }
  std::string count = std::to_string(scan->records.size());
  // A header one or two characters away from this registry.reg's is a
  // damaged one: every record that passes its own check is taken in.
  std::string expected = emu::JournalHeader(crc, text.size());
  size_t differ = nl + 1 == expected.size() ? 0 : 3;
  for (size_t i = 0; differ < 3 && i < expected.size(); ++i) differ += log[i] != expected[i];
  if (differ < 3) {
    Warn(LogFile() + ": its header is damaged; its " + count + " record(s) that pass their checks are applied");
    return;
  }
  // A compaction cut short before the journal was emptied leaves records
  // that registry.reg holds already: nothing is lost.
  emu::RegTrees replayed;
  std::string why;
  bool applies = emu::ParseRegedit4(text, &replayed, &why);
  for (const auto& [offset, lines] : scan->records)
    if (applies) applies = emu::ApplyRegedit4(lines, &replayed, &why);
  scan->records.clear();
  scan->damage.clear();
  if (applies && emu::WriteRegedit4(replayed) == emu::WriteRegedit4(trees)) return;
  Warn(LogFile() + ": written for another " + File() + "; its " + count +
       " record(s) are not in it and are left unused");
}

void EmulatedRegistry::RemoveStaleTemporariesLocked() {
  // "FILE.tmpPID", written and renamed over FILE by process PID: left over
  // when that process was killed in between.
  DIR* d = ::opendir(machine_.HostDir().c_str());
  if (!d) return;
  while (struct dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    size_t at = name.rfind(".tmp");
    if (at == std::string::npos || at == 0 || at + 4 == name.size() || name.size() - at > 14) continue;
    if (name.find_first_not_of("0123456789", at + 4) != std::string::npos) continue;
    long pid = std::strtol(name.c_str() + at + 4, nullptr, 10);
    if (pid <= 0 || pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    std::string path = machine_.HostDir() + "/" + name;
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
  }
  ::closedir(d);
}

bool EmulatedRegistry::Refresh() {
  struct stat st, ls;
  if (::stat(File().c_str(), &st) != 0) return true;  // keep what we have
  bool have_log = ::stat(LogFile().c_str(), &ls) == 0;
  if (Same(base_id_, st) && have_log == log_id_.exists &&
      (!have_log || (ls.st_ino == log_id_.ino && ls.st_dev == log_id_.dev &&
                     static_cast<uint64_t>(ls.st_size) == log_seen_)))
    return true;
  Lock lock(DirFd(), false);
  if (!lock.ok()) {
    machine_.SetError(winerr::kBadDbResult);
    return false;
  }
  return RefreshLocked();
}

bool EmulatedRegistry::RefreshLocked() {
  std::string error;
  auto reload = [&]() {
    if (LoadLocked(&error)) return true;
    load_error_ = error;
    machine_.SetError(winerr::kBadDbResult);
    return false;
  };
  struct stat st, ls;
  if (::stat(File().c_str(), &st) != 0) return true;
  if (!Same(base_id_, st)) return reload();
  if (::stat(LogFile().c_str(), &ls) != 0) return log_id_.exists ? reload() : true;
  if (!log_id_.exists || ls.st_ino != log_id_.ino || ls.st_dev != log_id_.dev) return reload();
  uint64_t size = static_cast<uint64_t>(ls.st_size);
  if (size < log_seen_) return reload();
  if (size == log_seen_ || !log_ok_) {
    log_seen_ = size;
    return true;
  }
  // Records another process appended.
  std::string data;
  struct stat fst;
  if (!emu::ReadHostFileFrom(LogFile(), log_end_, &data, &fst)) return reload();
  if (fst.st_ino != log_id_.ino || fst.st_dev != log_id_.dev) return reload();
  emu::JournalScan scan;
  emu::ScanJournalRecords(data, log_end_, &scan);
  std::string why;
  for (const auto& [offset, lines] : scan.records) {
    if (!emu::ApplyRegedit4(lines, &trees_, &why)) {
      scan.damage = "the record at offset " + std::to_string(offset) + " cannot be applied (" + why + ")";
      scan.end = offset;
      break;
    }
    ++log_records_;
  }
  if (!scan.damage.empty())
    Warn(LogFile() + ": " + scan.damage + "; it and the " +
         std::to_string(log_end_ + data.size() - scan.end) + " bytes from it on are left unused");
  log_seen_ = log_end_ + data.size();
  log_end_ = scan.end;
  return true;
}

uint32_t EmulatedRegistry::Locate(RegRoot root, const std::string& path, Location* out) {
  Location loc;
  std::string p = path;
  while (!p.empty() && p.front() == '\\') p.erase(0, 1);
  while (!p.empty() && p.back() == '\\') p.pop_back();
  std::vector<std::string> parts = Split(p);
  for (const auto& part : parts)
    if (part.empty() || BadName(part)) return winerr::kInvalidParameter;
  switch (root) {
    case RegRoot::kLocalMachine: loc.base = &trees_.local_machine; break;
    case RegRoot::kCurrentUser: loc.base = &trees_.current_user; break;
    case RegRoot::kUsers: loc.base = &trees_.users; break;
    case RegRoot::kClassesRoot:
    case RegRoot::kCurrentConfig: {
      loc.base = &trees_.local_machine;
      auto prefix = Split(root == RegRoot::kClassesRoot ? emu::kClassesRootAlias
                                                        : emu::kCurrentConfigAlias);
      parts.insert(parts.begin(), prefix.begin(), prefix.end());
      break;
    }
    case RegRoot::kDynData:
      if (!machine_.Settings().IsWindowsFamily()) return winerr::kInvalidHandle;
      loc.base = &dyn_data_;
      loc.read_only = true;
      break;
    default:
      return winerr::kInvalidHandle;
  }
  loc.parts = std::move(parts);
  *out = std::move(loc);
  return 0;
}

RegNode* EmulatedRegistry::Find(const Location& loc) {
  RegNode* n = loc.base;
  for (const auto& p : loc.parts) {
    if (!n) return nullptr;
    n = n->Child(p);
  }
  return n;
}

std::string EmulatedRegistry::FullName(const Location& loc) {
  std::string name = loc.base->name;
  for (const auto& p : loc.parts) name += "\\" + p;
  return name;
}

bool EmulatedRegistry::Change(const std::function<uint32_t(std::string* lines)>& make) {
  Lock lock(DirFd(), true);
  if (!lock.ok()) {
    machine_.SetError(winerr::kWriteFault);
    return false;
  }
  if (!RefreshLocked()) return false;
  if (!changed_) RemoveStaleTemporariesLocked();
  std::string lines;
  if (uint32_t e = make(&lines)) {
    machine_.SetError(e);
    return false;
  }
  if (lines.empty()) return true;
  std::string why;
  auto fail = [&]() {
    int e = errno;
    machine_.SetError(e == ENOSPC || e == EFBIG || e == EDQUOT ? winerr::kDiskFull : winerr::kWriteFault);
    return false;
  };
  struct stat st;
  if (::stat(File().c_str(), &st) != 0 || (log_ok_ && log_seen_ > log_end_) || fold_pending_) {
    // registry.reg is gone, the journal ends in a record cut short (no
    // record may follow that one) or has a damaged header whose records
    // were taken in: the registry is written anew first.
    if (!CompactLocked(&why)) return fail();
  } else if (!log_ok_) {
    if (!StartJournalLocked(&why)) return fail();
  }
  std::string record = emu::JournalRecord(lines);
  if (!emu::AppendJournalRecord(LogFile(), log_end_, record, &why)) {
    int e = errno;
    struct stat ls;
    // What reached the file is no record; the next change starts anew.
    if (::stat(LogFile().c_str(), &ls) == 0) log_seen_ = std::max<uint64_t>(log_end_ + 1, ls.st_size);
    errno = e;
    return fail();
  }
  if (!emu::ApplyRegedit4(lines, &trees_, &why)) Warn(LogFile() + ": a change cannot be applied: " + why);
  changed_ = true;
  log_end_ += record.size();
  log_seen_ = log_end_;
  ++log_records_;
  if (log_end_ >= compact_at_) CompactLocked(&why);  // the change is durable either way
  return true;
}

bool EmulatedRegistry::StartJournalLocked(std::string* error) {
  std::string header = emu::JournalHeader(base_crc_, base_size_);
  log_ok_ = false;
  if (!emu::WriteFileDurable(LogFile(), header, error)) return false;
  struct stat ls;
  if (::stat(LogFile().c_str(), &ls) != 0) {
    if (error) *error = "cannot find " + LogFile() + " just written: " + std::strerror(errno);
    return false;
  }
  log_id_ = IdOf(ls);
  log_ok_ = true;
  log_end_ = log_seen_ = header.size();
  log_records_ = 0;
  compact_at_ = log_end_ + std::max<uint64_t>(kCompactMinimum, base_size_);
  return true;
}

bool EmulatedRegistry::CompactLocked(std::string* error) {
  std::string text = emu::WriteRegedit4(trees_);
  if (!emu::WriteFileDurable(File(), text, error)) {
    compact_at_ = log_end_ + std::max<uint64_t>(kCompactMinimum, base_size_);  // not at every write
    return false;
  }
  struct stat st;
  if (::stat(File().c_str(), &st) == 0) base_id_ = IdOf(st);
  base_crc_ = emu::Crc32(text);
  base_size_ = text.size();
  fold_pending_ = false;
  // The old journal no longer matches registry.reg; it goes in any case.
  if (StartJournalLocked(error)) return true;
  int e = errno;
  ::unlink(LogFile().c_str());
  log_id_ = FileId();
  log_end_ = log_seen_ = log_records_ = 0;
  compact_at_ = 0;
  errno = e;
  return false;
}

bool EmulatedRegistry::Compact(std::string* error) {
  if (!loaded_) return true;
  Lock lock(DirFd(), true);
  if (!lock.ok()) {
    if (error) *error = "cannot lock the machine directory " + machine_.HostDir() + ": " + std::strerror(errno);
    return false;
  }
  if (!RefreshLocked()) {
    if (error) *error = "cannot read the registry of the machine at " + machine_.HostDir();
    return false;
  }
  struct stat st;
  bool base = ::stat(File().c_str(), &st) == 0;
  if (base && log_records_ == 0 && (!log_id_.exists || (log_ok_ && log_seen_ == log_end_)))
    return true;  // nothing to fold in
  return CompactLocked(error);
}

std::unique_ptr<RegKey> EmulatedRegistry::Open(RegRoot root, const std::string& path,
                                               RegAccess access, bool create) {
  if (!Refresh()) return nullptr;
  Location loc;
  if (uint32_t e = Locate(root, path, &loc)) {
    machine_.SetError(e);
    return nullptr;
  }
  bool writable = access == RegAccess::kAll;
  if (loc.read_only && (writable || create)) {
    machine_.SetError(winerr::kAccessDenied);
    return nullptr;
  }
  if (!Find(loc)) {
    if (!create) {
      machine_.SetError(winerr::kFileNotFound);
      return nullptr;
    }
    bool made = Change([&](std::string* lines) -> uint32_t {
      if (!Find(loc)) *lines = "[" + FullName(loc) + "]\r\n";
      return 0;
    });
    if (!made) return nullptr;
  }
  return std::make_unique<EmulatedKey>(this, std::move(loc), writable);
}

bool EmulatedRegistry::Export(const std::string& key, std::string* text, std::string* error) {
  if (!Refresh()) {
    *error = load_error_.empty() ? "the registry file " + File() + " cannot be read" : load_error_;
    return false;
  }
  if (key.empty()) {
    *text = emu::WriteRegedit4(trees_);
    return true;
  }
  std::string k = key;
  while (!k.empty() && k.back() == '\\') k.pop_back();
  size_t cut = k.find('\\');
  std::string root_name = emu::Upper(k.substr(0, cut));
  std::string rest = cut == std::string::npos ? std::string() : k.substr(cut + 1);
  struct {
    const char* name;
    const char* abbr;
    RegRoot root;
  } roots[] = {{"HKEY_CLASSES_ROOT", "HKCR", RegRoot::kClassesRoot},
               {"HKEY_CURRENT_CONFIG", "HKCC", RegRoot::kCurrentConfig},
               {"HKEY_CURRENT_USER", "HKCU", RegRoot::kCurrentUser},
               {"HKEY_DYN_DATA", "HKDD", RegRoot::kDynData},
               {"HKEY_LOCAL_MACHINE", "HKLM", RegRoot::kLocalMachine},
               {"HKEY_USERS", "HKU", RegRoot::kUsers}};
  for (const auto& r : roots) {
    if (root_name != r.name && root_name != r.abbr) continue;
    Location loc;
    if (Locate(r.root, rest, &loc) != 0) break;
    RegNode* n = Find(loc);
    if (!n) {
      *error = "no registry key " + key;
      return false;
    }
    *text = "REGEDIT4\r\n\r\n";
    emu::WriteRegedit4Key(*n, std::string(r.name) + (rest.empty() ? "" : "\\" + rest), text);
    return true;
  }
  *error = "no registry key " + key;
  return false;
}

}  // namespace kit
