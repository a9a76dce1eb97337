#include "system/registry_routines.h"

#include <memory>
#include <vector>

#include "base/setup_log.h"
#include "base/string_list.h"
#include "base/text.h"
#include "system/system_errors.h"
#include "platform/current_platform.h"

namespace kit {
namespace {

// The key opened with full access, or null. create: make every missing key.
std::unique_ptr<RegKey> OpenKey(int root_code, const std::string& key, bool create) {
  RegRoot root;
  if (!RegistryRootOfCode(root_code, &root)) return nullptr;
  return CurrentPlatform().Reg().Open(root, key, RegAccess::kAll, create);
}

bool QueryValue(int root_code, const std::string& key, const std::string& name, RegValue* value) {
  std::unique_ptr<RegKey> k = OpenKey(root_code, key, false);
  return k && k->Query(name, value);
}

}  // namespace

bool RegistryRootOfCode(int root_code, RegRoot* root) {
  switch (root_code) {
    case rootcode::kClassesRoot: *root = RegRoot::kClassesRoot; return true;
    case rootcode::kCurrentConfig: *root = RegRoot::kCurrentConfig; return true;
    case rootcode::kCurrentUser: *root = RegRoot::kCurrentUser; return true;
    case rootcode::kDynData: *root = RegRoot::kDynData; return true;
    case rootcode::kLocalMachine: *root = RegRoot::kLocalMachine; return true;
    case rootcode::kUsers: *root = RegRoot::kUsers; return true;
    default: return false;
  }
}

void WriteRegistryString(int root_code, const std::string& key, const std::string& name,
                         const std::string& value) {
  std::unique_ptr<RegKey> k = OpenKey(root_code, key, true);
  if (!k || !k->Set(name, RegValue::String(value))) throw EIRCannotWriteValue(key, name, value);
  if (SetupLog::Active()) SetupLog::Write("registry", RegistryValueText(root_code, key, name) + " = \"" + value + "\"");
}

std::string RegistryValueText(int root_code, const std::string& key, const std::string& name) {
  static const char* const kRoots[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER",
                                       "HKEY_DYN_DATA", "HKEY_LOCAL_MACHINE", "HKEY_USERS"};
  RegRoot root;
  std::string text = RegistryRootOfCode(root_code, &root) ? kRoots[static_cast<int>(root)] : "?";
  if (key.empty() || key[0] != '\\') text += '\\';
  return text + key + "\\" + (name.empty() ? "(Default)" : name);
}

bool TryReadRegistryString(int root_code, const std::string& key, const std::string& name,
                           std::string* value) {
  RegValue v;
  if (!QueryValue(root_code, key, name, &v)) return false;
  std::optional<std::string> text = v.AsString();
  if (!text) return false;
  *value = std::move(*text);
  return true;
}

std::string ReadRegistryString(int root_code, const std::string& key, const std::string& name,
                               const std::string& default_value) {
  std::string value;
  return TryReadRegistryString(root_code, key, name, &value) ? value : default_value;
}

int32_t ReadRegistryInteger(int root_code, const std::string& key, const std::string& name,
                            int32_t default_value) {
  RegValue v;
  if (!QueryValue(root_code, key, name, &v)) return default_value;
  std::optional<uint32_t> n = v.AsDword();
  return n ? static_cast<int32_t>(*n) : default_value;
}

void DeleteRegistryKey(int root_code, const std::string& key) {
  RegRoot root;
  if (!RegistryRootOfCode(root_code, &root)) return;
  // DeleteKeyTree refuses the root itself and deletes subkeys before
  // their parents.
  CurrentPlatform().Reg().DeleteKeyTree(root, key);
}

void DeleteRegistryValue(int root_code, const std::string& key, const std::string& name) {
  if (std::unique_ptr<RegKey> k = OpenKey(root_code, key, false)) k->DeleteValue(name);
}

void ReadRegistrySubkeyNames(int root_code, const std::string& key, TStringList* list) {
  if (list == nullptr) return;
  list->Clear();
  std::unique_ptr<RegKey> k = OpenKey(root_code, key, false);
  std::vector<std::string> names;
  if (!k || !k->SubkeyNames(&names)) return;
  for (const std::string& n : names) list->Add(n);
}

void ReadIniSectionNames(const std::string& path, TStringList* list) {
  if (list == nullptr) return;
  TStringList lines;
  lines.LoadFromFile(CurrentPlatform().Files(), path);
  list->Clear();
  for (int i = 0; i < lines.Count(); ++i) {
    std::string line = Trim(lines[i]);
    if (line.size() > 1 && line[0] == '[') list->Add(line.substr(1, line.size() - 2));
  }
}

std::string NthField(const std::string& text, int n, const std::string& separator) {
  if (separator.empty()) return n <= 1 ? text : std::string();
  size_t start = 0;
  for (int i = 1; i < n; ++i) {
    size_t at = text.find(separator, start);
    if (at == std::string::npos) return std::string();
    start = at + separator.size();
  }
  size_t end = text.find(separator, start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace kit
