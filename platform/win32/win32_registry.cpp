#include "platform/win32/win32_registry.h"

#include <vector>

#include "platform/win32/win32_util.h"

namespace kit {
namespace {

using win32::FailWith;

HKEY RootKey(RegRoot root) {
  switch (root) {
    case RegRoot::kClassesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::kCurrentConfig: return HKEY_CURRENT_CONFIG;
    case RegRoot::kCurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::kDynData: return HKEY_DYN_DATA;
    case RegRoot::kLocalMachine: return HKEY_LOCAL_MACHINE;
    case RegRoot::kUsers: return HKEY_USERS;
  }
  return nullptr;
}

// The registry functions return their error instead of setting it.
bool Check(LONG rc, uint32_t* err) {
  if (rc == ERROR_SUCCESS) return true;
  return FailWith(err, static_cast<uint32_t>(rc));
}

// The names an enumeration function (RegEnumValueA, RegEnumKeyExA) gives for
// index 0, 1, ... until it has no more, growing the buffer for long names.
template <typename Enumerate>
LONG EnumNames(Enumerate enumerate, std::vector<std::string>* names) {
  names->clear();
  std::vector<char> buf(256);
  for (DWORD i = 0;; ++i) {
    DWORD n = static_cast<DWORD>(buf.size());
    LONG rc = enumerate(i, buf.data(), &n);
    if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (rc == ERROR_MORE_DATA && buf.size() < 65536) {
      buf.resize(buf.size() * 4);
      --i;
      continue;
    }
    if (rc != ERROR_SUCCESS) return rc;
    names->emplace_back(buf.data(), n);
  }
}

// Deletes `name` below `parent` with everything under it. RegDeleteKey on NT
// refuses keys with subkeys, and RegDeleteTree is missing before Vista, so
// the subkeys go first, deepest first.
LONG DeleteKeyRecursive(HKEY parent, const std::string& name) {
  HKEY key;
  LONG rc = RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ | KEY_WRITE | DELETE, &key);
  if (rc != ERROR_SUCCESS) return rc;
  // Collect first: deleting while enumerating shifts the indices.
  std::vector<std::string> children;
  rc = EnumNames(
      [&](DWORD i, char* buf, DWORD* n) {
        return RegEnumKeyExA(key, i, buf, n, nullptr, nullptr, nullptr, nullptr);
      },
      &children);
  if (rc != ERROR_SUCCESS) {
    RegCloseKey(key);
    return rc;
  }
  for (const auto& child : children) {
    rc = DeleteKeyRecursive(key, child);
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) {
      RegCloseKey(key);
      return rc;
    }
  }
  RegCloseKey(key);
  return RegDeleteKeyA(parent, name.c_str());
}

class Win32RegKey : public RegKey {
 public:
  Win32RegKey(HKEY key, bool owned, uint32_t* err) : key_(key), owned_(owned), err_(err) {}
  ~Win32RegKey() override {
    if (owned_) RegCloseKey(key_);
  }

  bool Query(const std::string& name, RegValue* value) override {
    std::vector<BYTE> buf(256);
    for (;;) {
      DWORD type = 0;
      DWORD size = static_cast<DWORD>(buf.size());
      LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type, buf.data(), &size);
      if (rc == ERROR_MORE_DATA) {
        buf.resize(size > buf.size() ? size : buf.size() * 2);
        continue;
      }
      if (!Check(rc, err_)) return false;
      value->type = type;
      value->data.assign(reinterpret_cast<const char*>(buf.data()), size);
      return true;
    }
  }

  bool Set(const std::string& name, const RegValue& value) override {
    return Check(RegSetValueExA(key_, name.c_str(), 0, value.type,
                                reinterpret_cast<const BYTE*>(value.data.data()),
                                static_cast<DWORD>(value.data.size())),
                 err_);
  }

  bool DeleteValue(const std::string& name) override {
    return Check(RegDeleteValueA(key_, name.c_str()), err_);
  }

  bool ValueNames(std::vector<std::string>* names) override {
    return Check(EnumNames(
                     [&](DWORD i, char* buf, DWORD* n) {
                       return RegEnumValueA(key_, i, buf, n, nullptr, nullptr, nullptr, nullptr);
                     },
                     names),
                 err_);
  }

  bool SubkeyNames(std::vector<std::string>* names) override {
    return Check(EnumNames(
                     [&](DWORD i, char* buf, DWORD* n) {
                       return RegEnumKeyExA(key_, i, buf, n, nullptr, nullptr, nullptr, nullptr);
                     },
                     names),
                 err_);
  }

  bool DeleteTree(const std::string& subkey) override {
    if (subkey.empty()) return FailWith(err_, ERROR_INVALID_PARAMETER);
    return Check(DeleteKeyRecursive(key_, subkey), err_);
  }

 private:
  HKEY key_;
  bool owned_;
  uint32_t* err_;
};

}  // namespace

std::unique_ptr<RegKey> Win32Registry::Open(RegRoot root, const std::string& path,
                                            RegAccess access, bool create) {
  HKEY base = RootKey(root);
  if (!base) {
    FailWith(err_, ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::string p = path;
  while (!p.empty() && p.front() == '\\') p.erase(0, 1);
  while (!p.empty() && p.back() == '\\') p.pop_back();
  REGSAM sam = access == RegAccess::kAll ? KEY_ALL_ACCESS : KEY_READ;
  if (p.empty()) return std::make_unique<Win32RegKey>(base, false, err_);
  HKEY key = nullptr;
  LONG rc;
  if (create) {
    DWORD disposition = 0;
    rc = RegCreateKeyExA(base, p.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, sam, nullptr, &key,
                         &disposition);
  } else {
    rc = RegOpenKeyExA(base, p.c_str(), 0, sam, &key);
  }
  if (!Check(rc, err_)) return nullptr;
  return std::make_unique<Win32RegKey>(key, true, err_);
}

}  // namespace kit
