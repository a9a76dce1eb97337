#include "platform/fault_platform.h"

#include <algorithm>

namespace kit {

namespace {

char Up(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Up(a[i]) != Up(b[i])) return false;
  return true;
}

std::string NormalKey(std::string p) {
  while (!p.empty() && p.front() == '\\') p.erase(0, 1);
  while (!p.empty() && p.back() == '\\') p.pop_back();
  return p;
}

bool Writes(FileAccess access, Disposition d) {
  return (static_cast<uint32_t>(access) & static_cast<uint32_t>(FileAccess::kWrite)) ||
         d == Disposition::kCreateAlways || d == Disposition::kTruncateExisting;
}

}  // namespace

// ---------------------------------------------------------------- files

class FaultFile : public File {
 public:
  FaultFile(FaultPlatform* p, std::unique_ptr<File> inner) : p_(p), inner_(std::move(inner)) {}
  bool Read(void* buffer, uint32_t n, uint32_t* got) override {
    if (p_->Inject("File.Read")) {
      if (got) *got = 0;
      return false;
    }
    return inner_->Read(buffer, n, got);
  }
  bool Write(const void* buffer, uint32_t n, uint32_t* written) override {
    if (written) *written = 0;
    if (p_->Inject("File.Write")) return false;
    uint64_t allowed = p_->WriteBudget(n);
    uint32_t done = 0;
    bool ok = inner_->Write(buffer, static_cast<uint32_t>(allowed), &done);
    p_->Written(done);
    if (written) *written = done;
    if (!ok) return false;
    if (allowed < n) return p_->Fail(winerr::kDiskFull);
    return true;
  }
  bool Seek(int64_t offset, SeekOrigin origin, int64_t* position) override {
    if (p_->Inject("File.Seek")) return false;
    return inner_->Seek(offset, origin, position);
  }
  int64_t Size() override { return inner_->Size(); }
  bool Truncate() override {
    if (p_->Inject("File.Truncate")) return false;
    return inner_->Truncate();
  }
  bool GetTime(uint32_t* dos_time) override {
    if (p_->Inject("File.GetTime")) return false;
    return inner_->GetTime(dos_time);
  }
  bool SetTime(uint32_t dos_time) override {
    if (p_->Inject("File.SetTime")) return false;
    return inner_->SetTime(dos_time);
  }

 private:
  FaultPlatform* p_;
  std::unique_ptr<File> inner_;
};

class FaultPlatform::Fs : public FileSystem {
 public:
  explicit Fs(FaultPlatform* p) : p_(p), in_(p->inner().Files()) {}
  std::unique_ptr<File> Open(const std::string& path, FileAccess access, uint32_t share_mode,
                             Disposition disposition) override {
    if (p_->Inject("Files.Open")) return nullptr;
    if (Writes(access, disposition) && p_->InUse(path)) {
      p_->Fail(winerr::kSharingViolation);
      return nullptr;
    }
    auto f = in_.Open(path, access, share_mode, disposition);
    if (!f) return nullptr;
    return std::make_unique<FaultFile>(p_, std::move(f));
  }
  uint32_t Attributes(const std::string& path) override {
    if (p_->Inject("Files.Attributes")) return attr::kInvalid;
    return in_.Attributes(path);
  }
  bool SetAttributes(const std::string& path, uint32_t attributes) override {
    if (p_->Inject("Files.SetAttributes")) return false;
    return in_.SetAttributes(path, attributes);
  }
  bool RemoveFile(const std::string& path) override {
    if (p_->Inject("Files.RemoveFile")) return false;
    if (p_->InUse(path)) return p_->Fail(winerr::kSharingViolation);
    return in_.RemoveFile(path);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    if (p_->Inject("Files.Rename")) return false;
    if (p_->InUse(from) || p_->InUse(to)) return p_->Fail(winerr::kSharingViolation);
    return in_.Rename(from, to);
  }
  bool MoveEx(const std::string& from, const std::string& to, uint32_t flags) override {
    if (p_->Inject("Files.MoveEx")) return false;
    if ((flags & movefile::kDelayUntilReboot) && p_->delayed_moves_refused())
      return p_->Fail(winerr::kAccessDenied);
    // A delayed move is only recorded; the file being in use is its purpose.
    if (!(flags & movefile::kDelayUntilReboot) && (p_->InUse(from) || (!to.empty() && p_->InUse(to))))
      return p_->Fail(winerr::kSharingViolation);
    return in_.MoveEx(from, to, flags);
  }
  bool Copy(const std::string& from, const std::string& to, bool fail_if_exists) override {
    if (p_->Inject("Files.Copy")) return false;
    if (p_->InUse(to)) return p_->Fail(winerr::kSharingViolation);
    uint64_t size = 0;
    if (auto f = in_.Open(from, FileAccess::kRead, share::kAll, Disposition::kOpenExisting)) {
      int64_t s = f->Size();
      size = s > 0 ? static_cast<uint64_t>(s) : 0;
    }
    if (p_->WriteBudget(size) < size) return p_->Fail(winerr::kDiskFull);
    if (!in_.Copy(from, to, fail_if_exists)) return false;
    p_->Written(size);
    return true;
  }
  bool MakeDirectory(const std::string& path) override {
    if (p_->Inject("Files.MakeDirectory")) return false;
    return in_.MakeDirectory(path);
  }
  bool RemoveDir(const std::string& path) override {
    if (p_->Inject("Files.RemoveDir")) return false;
    return in_.RemoveDir(path);
  }
  bool List(const std::string& dir, const std::string& pattern,
            std::vector<FileEntry>* entries) override {
    if (p_->Inject("Files.List")) return false;
    return in_.List(dir, pattern, entries);
  }
  bool GetTime(const std::string& path, uint32_t* dos_time) override {
    if (p_->Inject("Files.GetTime")) return false;
    return in_.GetTime(path, dos_time);
  }
  bool SetTime(const std::string& path, uint32_t dos_time) override {
    if (p_->Inject("Files.SetTime")) return false;
    if (p_->InUse(path)) return p_->Fail(winerr::kSharingViolation);
    return in_.SetTime(path, dos_time);
  }
  bool ShortPath(const std::string& path, std::string* short_path) override {
    if (p_->Inject("Files.ShortPath")) return false;
    return in_.ShortPath(path, short_path);
  }
  bool FullPath(const std::string& path, std::string* full_path) override {
    if (p_->Inject("Files.FullPath")) return false;
    return in_.FullPath(path, full_path);
  }
  bool TempDirectory(std::string* dir) override {
    if (p_->Inject("Files.TempDirectory")) return false;
    return in_.TempDirectory(dir);
  }
  bool TempFileName(const std::string& dir, const std::string& prefix, std::string* path) override {
    if (p_->Inject("Files.TempFileName")) return false;
    return in_.TempFileName(dir, prefix, path);
  }
  std::string CurrentDir() override { return in_.CurrentDir(); }
  bool SetCurrentDir(const std::string& dir) override {
    if (p_->Inject("Files.SetCurrentDir")) return false;
    return in_.SetCurrentDir(dir);
  }
  bool DiskSpace(const std::string& path, uint64_t* free_bytes, uint64_t* total_bytes) override {
    if (p_->Inject("Files.DiskSpace")) return false;
    if (!in_.DiskSpace(path, free_bytes, total_bytes)) return false;
    if (free_bytes) *free_bytes = p_->WriteBudget(*free_bytes);
    return true;
  }

 private:
  FaultPlatform* p_;
  FileSystem& in_;
};

// ---------------------------------------------------------------- registry

class FaultKey : public RegKey {
 public:
  FaultKey(FaultPlatform* p, std::unique_ptr<RegKey> inner, RegRoot root, std::string path)
      : p_(p), inner_(std::move(inner)), root_(root), path_(std::move(path)) {}
  bool Query(const std::string& name, RegValue* value) override {
    if (p_->Inject("Key.Query")) return false;
    return inner_->Query(name, value);
  }
  bool Set(const std::string& name, const RegValue& value) override {
    if (p_->Inject("Key.Set")) return false;
    if (p_->RegistryRefused(root_, path_)) return p_->Fail(winerr::kAccessDenied);
    return inner_->Set(name, value);
  }
  bool DeleteValue(const std::string& name) override {
    if (p_->Inject("Key.DeleteValue")) return false;
    if (p_->RegistryRefused(root_, path_)) return p_->Fail(winerr::kAccessDenied);
    return inner_->DeleteValue(name);
  }
  bool ValueNames(std::vector<std::string>* names) override {
    if (p_->Inject("Key.ValueNames")) return false;
    return inner_->ValueNames(names);
  }
  bool SubkeyNames(std::vector<std::string>* names) override {
    if (p_->Inject("Key.SubkeyNames")) return false;
    return inner_->SubkeyNames(names);
  }
  bool DeleteTree(const std::string& subkey) override {
    if (p_->Inject("Key.DeleteTree")) return false;
    std::string sub = NormalKey(subkey);
    std::string full = path_.empty() ? sub : sub.empty() ? path_ : path_ + "\\" + sub;
    if (p_->RegistryRefused(root_, full)) return p_->Fail(winerr::kAccessDenied);
    return inner_->DeleteTree(subkey);
  }

 private:
  FaultPlatform* p_;
  std::unique_ptr<RegKey> inner_;
  RegRoot root_;
  std::string path_;
};

class FaultPlatform::Reg_ : public Registry {
 public:
  explicit Reg_(FaultPlatform* p) : p_(p), in_(p->inner().Reg()) {}
  std::unique_ptr<RegKey> Open(RegRoot root, const std::string& path, RegAccess access,
                               bool create) override {
    if (p_->Inject("Reg.Open")) return nullptr;
    std::string key = NormalKey(path);
    if ((create && p_->RegistryRefused(root, key)) ||
        (access == RegAccess::kAll && p_->RegistryReadOnly(root, key))) {
      p_->Fail(winerr::kAccessDenied);
      return nullptr;
    }
    auto k = in_.Open(root, path, access, create);
    if (!k) return nullptr;
    return std::make_unique<FaultKey>(p_, std::move(k), root, key);
  }

 private:
  FaultPlatform* p_;
  Registry& in_;
};

// ---------------------------------------------------------------- INI files

class FaultPlatform::Ini_ : public IniFiles {
 public:
  explicit Ini_(FaultPlatform* p) : p_(p), in_(p->inner().Ini()) {}
  std::string Read(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& def) override {
    if (p_->Inject("Ini.Read")) return def;
    return in_.Read(file, section, key, def);
  }
  bool Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override {
    if (p_->Inject("Ini.Write")) return false;
    if (p_->InUse(Path(file))) return p_->Fail(winerr::kSharingViolation);
    return in_.Write(file, section, key, value);
  }
  bool DeleteKey(const std::string& file, const std::string& section,
                 const std::string& key) override {
    if (p_->Inject("Ini.DeleteKey")) return false;
    if (p_->InUse(Path(file))) return p_->Fail(winerr::kSharingViolation);
    return in_.DeleteKey(file, section, key);
  }
  std::vector<std::string> ReadSection(const std::string& file,
                                       const std::string& section) override {
    if (p_->Inject("Ini.ReadSection")) return {};
    return in_.ReadSection(file, section);
  }
  bool EraseSection(const std::string& file, const std::string& section) override {
    if (p_->Inject("Ini.EraseSection")) return false;
    if (p_->InUse(Path(file))) return p_->Fail(winerr::kSharingViolation);
    return in_.EraseSection(file, section);
  }

 private:
  // A bare file name stands for the file in the Windows directory.
  std::string Path(const std::string& file) {
    if (file.find_first_of("\\/:") != std::string::npos) return file;
    std::string dir;
    if (!p_->inner().System().WindowsDirectory(&dir)) return file;
    return dir + "\\" + file;
  }
  FaultPlatform* p_;
  IniFiles& in_;
};

// ---------------------------------------------------------------- the rest

class FaultPlatform::Sys : public SystemInfo {
 public:
  explicit Sys(FaultPlatform* p) : p_(p), in_(p->inner().System()) {}
  bool Version(OsVersion* version) override {
    if (p_->Inject("System.Version")) return false;
    return in_.Version(version);
  }
  bool WindowsDirectory(std::string* dir) override {
    if (p_->Inject("System.WindowsDirectory")) return false;
    return in_.WindowsDirectory(dir);
  }
  bool SystemDirectory(std::string* dir) override {
    if (p_->Inject("System.SystemDirectory")) return false;
    return in_.SystemDirectory(dir);
  }
  uint16_t UserDefaultLanguage() override { return in_.UserDefaultLanguage(); }
  uint32_t AnsiCodePage() override { return in_.AnsiCodePage(); }
  uint32_t OemCodePage() override { return in_.OemCodePage(); }
  std::string ExePath() override { return in_.ExePath(); }
  std::vector<std::string> Arguments() override { return in_.Arguments(); }
  uint32_t TickCount() override { return in_.TickCount(); }

 private:
  FaultPlatform* p_;
  SystemInfo& in_;
};

class FaultPlatform::Proc : public Processes {
 public:
  explicit Proc(FaultPlatform* p) : p_(p), in_(p->inner().Procs()) {}
  bool RunAndWait(const std::string& command_line, const std::function<void()>& pump,
                  uint32_t* exit_code) override {
    if (p_->Inject("Procs.RunAndWait")) return false;
    return in_.RunAndWait(command_line, pump, exit_code);
  }
  uint32_t Exec(const std::string& command_line, bool hidden) override {
    if (p_->Inject("Procs.Exec")) {
      uint32_t e = p_->LastError();
      return e < 32 ? e : 0;
    }
    return in_.Exec(command_line, hidden);
  }
  ModuleHandle LoadModule(const std::string& path) override {
    if (p_->Inject("Procs.LoadModule")) return 0;
    return in_.LoadModule(path);
  }
  bool HasExport(ModuleHandle module, const std::string& export_name) override {
    if (p_->Inject("Procs.HasExport")) return false;
    return in_.HasExport(module, export_name);
  }
  bool Call(ModuleHandle module, const std::string& export_name, const std::vector<CallArg>& args,
            int32_t* result) override {
    if (p_->Inject("Procs.Call")) return false;
    return in_.Call(module, export_name, args, result);
  }
  void UnloadModule(ModuleHandle module) override {
    p_->Inject("Procs.UnloadModule");
    in_.UnloadModule(module);
  }
  bool OleInitialize() override {
    if (p_->Inject("Procs.OleInitialize")) return false;
    return in_.OleInitialize();
  }
  void OleUninitialize() override { in_.OleUninitialize(); }

 private:
  FaultPlatform* p_;
  Processes& in_;
};

class FaultPlatform::Boot : public kit::Restart {
 public:
  explicit Boot(FaultPlatform* p) : p_(p), in_(p->inner().Reboot()) {}
  bool EnableShutdownPrivilege() override {
    if (p_->Inject("Reboot.EnableShutdownPrivilege")) return false;
    return in_.EnableShutdownPrivilege();
  }
  bool ExitSystem(uint32_t flags) override {
    if (p_->Inject("Reboot.ExitSystem")) return false;
    return in_.ExitSystem(flags);
  }

 private:
  FaultPlatform* p_;
  kit::Restart& in_;
};

// ---------------------------------------------------------------- the whole

FaultPlatform::FaultPlatform(Platform& inner)
    : inner_(inner),
      fs_(std::make_unique<Fs>(this)),
      reg_(std::make_unique<Reg_>(this)),
      ini_(std::make_unique<Ini_>(this)),
      sys_(std::make_unique<Sys>(this)),
      procs_(std::make_unique<Proc>(this)),
      boot_(std::make_unique<Boot>(this)) {}

FaultPlatform::~FaultPlatform() = default;

FileSystem& FaultPlatform::Files() { return *fs_; }
Registry& FaultPlatform::Reg() { return *reg_; }
IniFiles& FaultPlatform::Ini() { return *ini_; }
SystemInfo& FaultPlatform::System() { return *sys_; }
Processes& FaultPlatform::Procs() { return *procs_; }
kit::Restart& FaultPlatform::Reboot() { return *boot_; }

void FaultPlatform::RefuseRegistryWrites(const std::string& key_prefix, std::optional<RegRoot> root) {
  reg_faults_.push_back({root, NormalKey(key_prefix), false});
}

void FaultPlatform::MakeRegistryKeysReadOnly(const std::string& key_prefix,
                                             std::optional<RegRoot> root) {
  reg_faults_.push_back({root, NormalKey(key_prefix), true});
}

void FaultPlatform::DiskFullAfter(uint64_t bytes) { disk_budget_ = bytes_written_ + bytes; }

void FaultPlatform::MarkInUse(const std::string& path) {
  std::string full;
  in_use_.push_back(inner_.Files().FullPath(path, &full) ? full : path);
}

void FaultPlatform::ClearInUse(const std::string& path) {
  std::string full;
  if (!inner_.Files().FullPath(path, &full)) full = path;
  in_use_.erase(std::remove_if(in_use_.begin(), in_use_.end(),
                               [&](const std::string& p) { return SameText(p, full); }),
                in_use_.end());
}

void FaultPlatform::FailNth(const std::string& operation, int n, uint32_t error, bool and_later) {
  nth_.push_back({operation, n < 1 ? 1 : n, error, and_later});
}

void FaultPlatform::ClearFaults() {
  nth_.clear();
  reg_faults_.clear();
  in_use_.clear();
  delayed_moves_refused_ = false;
  disk_budget_.reset();
}

int FaultPlatform::Calls(const std::string& operation) const {
  auto it = calls_.find(operation);
  return it == calls_.end() ? 0 : it->second;
}

void FaultPlatform::ResetCounters() {
  if (disk_budget_) disk_budget_ = *disk_budget_ > bytes_written_ ? *disk_budget_ - bytes_written_ : 0;
  calls_.clear();
  bytes_written_ = 0;
}

bool FaultPlatform::Inject(const char* operation) {
  ++calls_[operation];
  bool fail = false;
  uint32_t error = 0;
  for (size_t i = 0; i < nth_.size();) {
    Nth& f = nth_[i];
    if (f.operation != operation) {
      ++i;
      continue;
    }
    if (f.remaining > 1) {
      --f.remaining;
      ++i;
      continue;
    }
    fail = true;
    error = f.error;
    if (f.and_later) {
      ++i;
    } else {
      nth_.erase(nth_.begin() + static_cast<long>(i));
    }
  }
  if (fail) inner_.SetError(error);
  return fail;
}

bool FaultPlatform::RegistryRefused(RegRoot root, const std::string& key_path) {
  return RegistryMatch(root, key_path, false);
}

bool FaultPlatform::RegistryReadOnly(RegRoot root, const std::string& key_path) {
  return RegistryMatch(root, key_path, true);
}

bool FaultPlatform::RegistryMatch(RegRoot root, const std::string& key_path,
                                  bool read_only_only) const {
  std::string key = NormalKey(key_path);
  for (const auto& f : reg_faults_) {
    if (f.root && *f.root != root) continue;
    if (read_only_only && !f.read_only) continue;
    if (f.prefix.empty()) return true;
    if (key.size() < f.prefix.size()) continue;
    if (!SameText(key.substr(0, f.prefix.size()), f.prefix)) continue;
    if (key.size() == f.prefix.size() || key[f.prefix.size()] == '\\') return true;
  }
  return false;
}

bool FaultPlatform::InUse(const std::string& path) {
  if (in_use_.empty() || path.empty()) return false;
  std::string full;
  if (!inner_.Files().FullPath(path, &full)) full = path;
  for (const auto& p : in_use_)
    if (SameText(p, full)) return true;
  return false;
}

uint64_t FaultPlatform::WriteBudget(uint64_t n) const {
  if (!disk_budget_) return n;
  uint64_t left = *disk_budget_ > bytes_written_ ? *disk_budget_ - bytes_written_ : 0;
  return std::min(n, left);
}

}  // namespace kit
