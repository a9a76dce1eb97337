// Registry helpers for tests that change keys of a machine that outlives
// them (the Wine prefix of a win32 test run): a value put back as it was,
// and (win32) a key made readable only through its access list.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

#ifdef _WIN32
#include <windows.h>
#include <sddl.h>
#endif

namespace kit::testing {

// Remembers a value (or that it is missing) and restores it when it goes.
class ScopedRegistryValue {
 public:
  ScopedRegistryValue(Platform& platform, RegRoot root, std::string key, std::string name)
      : platform_(platform), root_(root), key_(std::move(key)), name_(std::move(name)) {
    auto k = platform_.Reg().Open(root_, key_, RegAccess::kRead, false);
    key_existed_ = k != nullptr;
    RegValue v;
    if (k && k->Query(name_, &v)) saved_ = v;
  }
  ~ScopedRegistryValue() {
    if (!saved_ && !key_existed_) return;  // a key made by the test is the test's to remove
    auto k = platform_.Reg().Open(root_, key_, RegAccess::kAll, true);
    if (!k) return;
    if (saved_) k->Set(name_, *saved_);
    else k->DeleteValue(name_);
  }
  ScopedRegistryValue(const ScopedRegistryValue&) = delete;
  ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

  // Sets the value now (creating the key), or removes it.
  bool Set(const RegValue& value) {
    auto k = platform_.Reg().Open(root_, key_, RegAccess::kAll, true);
    return k && k->Set(name_, value);
  }
  bool Remove() {
    auto k = platform_.Reg().Open(root_, key_, RegAccess::kAll, false);
    RegValue v;
    return !k || !k->Query(name_, &v) || k->DeleteValue(name_);
  }

 private:
  Platform& platform_;
  RegRoot root_;
  std::string key_, name_;
  bool key_existed_ = false;
  std::optional<RegValue> saved_;
};

#ifdef _WIN32
// A key of the real registry that everyone may read but nobody may open
// with full access, by its access list, until this goes (win32 only).
class ScopedReadOnlyKey {
 public:
  ScopedReadOnlyKey(HKEY root, const std::string& path) {
    if (RegOpenKeyExA(root, path.c_str(), 0, READ_CONTROL | WRITE_DAC, &key_) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    DWORD size = 0;
    RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, nullptr, &size);
    saved_.resize(size);
    if (size == 0 || RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data(), &size) !=
                         ERROR_SUCCESS)
      return;
    PSECURITY_DESCRIPTOR sd = nullptr;
    // A protected list: Everyone may read the key, nothing more.
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                              &sd, nullptr))
      return;
    made_ = RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
    LocalFree(sd);
  }
  ~ScopedReadOnlyKey() {
    if (key_ == nullptr) return;
    if (made_) RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data());
    RegCloseKey(key_);
  }
  ScopedReadOnlyKey(const ScopedReadOnlyKey&) = delete;
  ScopedReadOnlyKey& operator=(const ScopedReadOnlyKey&) = delete;
  bool Made() const { return made_; }

 private:
  HKEY key_ = nullptr;
  std::vector<unsigned char> saved_;
  bool made_ = false;
};
#endif

}  // namespace kit::testing
