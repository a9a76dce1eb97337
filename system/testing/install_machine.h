// Helpers for the tests of the installation pieces, on either target's test
// machine: the machine set as the current platform, a listing of a registry
// key through the platform (the same text on both backends), files put on
// the machine, keys removed again afterwards (the Wine prefix outlives a
// test), and a platform that reports another Windows version.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/current_platform.h"
#include "platform/fault_platform.h"
#include "platform/platform.h"
#include "platform/testing/test_machine.h"

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>

#include "platform/emulated/emulated_machine.h"
#endif

namespace kit::testing {

// A fresh test machine, current for the lifetime of this object.
class InstallMachine {
 public:
  InstallMachine() : machine_(NewTestMachine()), scope_(machine_->platform()) {}
  Platform& platform() { return machine_->platform(); }
  TestMachine& machine() { return *machine_; }
  const std::string& Scratch() { return machine_->Scratch(); }
#ifndef _WIN32
  EmulatedMachine& Emulated() { return dynamic_cast<EmulatedMachine&>(machine_->platform()); }
#endif

 private:
  std::unique_ptr<TestMachine> machine_;
  ScopedPlatform scope_;
};

// A unique name for keys and files of one test on a machine that other
// test programs share.
inline std::string UniqueName(const std::string& base) {
  static int serial = 0;
#ifdef _WIN32
  const long pid = static_cast<long>(_getpid());
#else
  const long pid = static_cast<long>(::getpid());
#endif
  return base + " " + std::to_string(pid) + "-" + std::to_string(++serial);
}

inline std::string ValueText(const RegValue& v) {
  switch (v.type) {
    case regtype::kSz: return "\"" + v.AsString().value_or("?") + "\"";
    case regtype::kDword: return "dword:" + std::to_string(v.AsDword().value_or(0));
    default: return "type" + std::to_string(v.type);
  }
}

// Every key below `path` (relative names, the key itself as "") with its
// values, in the registry's order, one line each: "[Files]",
// "Entries="1"", "Count=dword:2".
inline std::vector<std::string> ListKey(Platform& p, RegRoot root, const std::string& path,
                                        const std::string& relative = "") {
  std::vector<std::string> out;
  auto key = p.Reg().Open(root, path, RegAccess::kRead, false);
  if (!key) return out;
  out.push_back("[" + relative + "]");
  std::vector<std::string> names;
  key->ValueNames(&names);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    std::string x = a, y = b;
    for (auto& c : x) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (auto& c : y) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return x < y;
  });
  for (const auto& n : names) {
    RegValue v;
    key->Query(n, &v);
    out.push_back(n + "=" + ValueText(v));
  }
  std::vector<std::string> subkeys;
  key->SubkeyNames(&subkeys);
  for (const auto& s : subkeys) {
    auto more = ListKey(p, root, path + "\\" + s, relative.empty() ? s : relative + "\\" + s);
    out.insert(out.end(), more.begin(), more.end());
  }
  return out;
}

// Removes a key tree when it goes.
class ScopedKey {
 public:
  ScopedKey(Platform& p, RegRoot root, std::string path) : p_(p), root_(root), path_(std::move(path)) {
    p_.Reg().DeleteKeyTree(root_, path_);
  }
  ~ScopedKey() { p_.Reg().DeleteKeyTree(root_, path_); }
  const std::string& path() const { return path_; }

 private:
  Platform& p_;
  RegRoot root_;
  std::string path_;
};

// Removes a value when it goes.
class ScopedValue {
 public:
  ScopedValue(Platform& p, RegRoot root, std::string key, std::string name)
      : p_(p), root_(root), key_(std::move(key)), name_(std::move(name)) {
    Remove();
  }
  ~ScopedValue() { Remove(); }

 private:
  void Remove() {
    if (auto k = p_.Reg().Open(root_, key_, RegAccess::kAll, false)) k->DeleteValue(name_);
  }
  Platform& p_;
  RegRoot root_;
  std::string key_, name_;
};

inline bool PutFile(Platform& p, const std::string& path, const std::string& bytes) {
  auto f = p.Files().Open(path, FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
  uint32_t written = 0;
  return f && f->Write(bytes.data(), static_cast<uint32_t>(bytes.size()), &written) &&
         written == bytes.size();
}

inline std::string GetFile(Platform& p, const std::string& path) {
  auto f = p.Files().Open(path, FileAccess::kRead, share::kAll, Disposition::kOpenExisting);
  if (!f) return "<missing>";
  std::string out;
  char buf[4096];
  uint32_t got = 0;
  while (f->Read(buf, sizeof buf, &got) && got > 0) out.append(buf, got);
  return out;
}

// A file held open by "another program": it can be read but neither
// deleted nor replaced while this lives.
inline std::unique_ptr<File> HoldOpen(Platform& p, const std::string& path) {
  return p.Files().Open(path, FileAccess::kRead, share::kRead | share::kWrite,
                        Disposition::kOpenExisting);
}

// A platform that reports another Windows version (and so another
// platform class), everything else passed to the wrapped one, with the
// fault injection of FaultPlatform.
class VersionPlatform : public FaultPlatform {
 public:
  VersionPlatform(Platform& inner, uint32_t platform_id, uint32_t major, uint32_t minor)
      : FaultPlatform(inner), sys_(FaultPlatform::System()) {
    sys_.version.platform_id = platform_id;
    sys_.version.major = major;
    sys_.version.minor = minor;
  }
  SystemInfo& System() override { return sys_; }
  void FailVersion() { sys_.fail = true; }

 private:
  struct Sys : SystemInfo {
    explicit Sys(SystemInfo& inner) : inner(inner) {}
    bool Version(OsVersion* v) override {
      if (fail) return false;
      *v = version;
      return true;
    }
    bool WindowsDirectory(std::string* d) override { return inner.WindowsDirectory(d); }
    bool SystemDirectory(std::string* d) override { return inner.SystemDirectory(d); }
    uint16_t UserDefaultLanguage() override { return inner.UserDefaultLanguage(); }
    uint32_t AnsiCodePage() override { return inner.AnsiCodePage(); }
    uint32_t OemCodePage() override { return inner.OemCodePage(); }
    std::string ExePath() override { return inner.ExePath(); }
    std::vector<std::string> Arguments() override { return inner.Arguments(); }
    uint32_t TickCount() override { return inner.TickCount(); }
    SystemInfo& inner;
    OsVersion version;
    bool fail = false;
  } sys_;
};

}  // namespace kit::testing
