#include <algorithm>
#include "platform/emulated/emulated_registry.h"

#include <sys/stat.h>

#include "platform/emulated/emulated_machine.h"
#include "platform/emulated/host_ini.h"
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
    RegNode* n = Node();
    if (!n) return false;
    n->SetValue(name, value);
    return reg_->Changed();
  }

  bool DeleteValue(const std::string& name) override {
    if (!writable_) return Fail(winerr::kAccessDenied);
    RegNode* n = Node();
    if (!n) return false;
    if (!n->RemoveValue(name)) return Fail(winerr::kFileNotFound);
    return reg_->Changed();
  }

  bool ValueNames(std::vector<std::string>* names) override {
    RegNode* n = Node();
    if (!n) return false;
    names->clear();
    for (const auto& [k, v] : n->values) names->push_back(k);
    SortAsWindows(names);
    return true;
  }

  bool SubkeyNames(std::vector<std::string>* names) override {
    RegNode* n = Node();
    if (!n) return false;
    names->clear();
    for (const auto& c : n->subkeys) names->push_back(c->name);
    SortAsWindows(names);
    return true;
  }

  bool DeleteTree(const std::string& subkey) override {
    if (!writable_) return Fail(winerr::kAccessDenied);
    RegNode* n = Node();
    if (!n) return false;
    std::string sub = subkey;
    while (!sub.empty() && sub.front() == '\\') sub.erase(0, 1);
    while (!sub.empty() && sub.back() == '\\') sub.pop_back();
    if (sub.empty()) {
      n->subkeys.clear();
      n->values.clear();
      return reg_->Changed();
    }
    auto parts = Split(sub);
    RegNode* parent = n;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
      parent = parent->Child(parts[i]);
      if (!parent) return Fail(winerr::kFileNotFound);
    }
    if (!parent->RemoveChild(parts.back())) return Fail(winerr::kFileNotFound);
    return reg_->Changed();
  }

 private:
  RegNode* Node() {
    if (!reg_->Refresh()) return nullptr;
    RegNode* n = reg_->Find(loc_);
    if (!n) Fail(winerr::kKeyDeleted);
    return n;
  }
  bool Fail(uint32_t code) {
    reg_->machine().SetError(code);
    return false;
  }

  EmulatedRegistry* reg_;
  EmulatedRegistry::Location loc_;
  bool writable_;
};

}  // namespace

EmulatedRegistry::EmulatedRegistry(EmulatedMachine& machine) : machine_(machine) {}

std::string EmulatedRegistry::File() const { return machine_.HostDir() + "/registry.reg"; }

void EmulatedRegistry::Remember() {
  struct stat st;
  if (::stat(File().c_str(), &st) == 0) {
    ino_ = st.st_ino;
    size_ = st.st_size;
    mtime_ = st.st_mtim.tv_sec;
    mtime_ns_ = st.st_mtim.tv_nsec;
  } else {
    size_ = -1;
  }
}

bool EmulatedRegistry::Load(std::string* error) {
  std::string text;
  if (!emu::ReadHostFile(File(), &text)) {
    *error = "cannot read " + File();
    return false;
  }
  emu::RegTrees trees;
  std::string why;
  if (!emu::ParseRegedit4(text, &trees, &why)) {
    *error = File() + ": " + why;
    return false;
  }
  trees_ = std::move(trees);
  Remember();
  // HKEY_DYN_DATA of the Windows 95 family: read-only, rebuilt at every start.
  dyn_data_.subkeys.clear();
  if (machine_.Settings().IsWindowsFamily()) {
    dyn_data_.AddChild("Config Manager")->AddChild("Enum");
    dyn_data_.AddChild("PerfStats")->AddChild("StatData");
  }
  return true;
}

bool EmulatedRegistry::Save(std::string* error) {
  if (!emu::WriteFileAtomic(File(), emu::WriteRegedit4(trees_), error)) return false;
  Remember();
  return true;
}

bool EmulatedRegistry::Refresh() {
  struct stat st;
  if (::stat(File().c_str(), &st) != 0) return true;  // keep what we have
  if (st.st_ino == ino_ && st.st_size == size_ && st.st_mtim.tv_sec == mtime_ &&
      st.st_mtim.tv_nsec == mtime_ns_)
    return true;
  std::string error;
  if (!Load(&error)) {
    machine_.SetError(winerr::kBadDbResult);
    return false;
  }
  return true;
}

bool EmulatedRegistry::Changed() {
  if (!Save(nullptr)) {
    machine_.SetError(winerr::kWriteFault);
    return false;
  }
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
  RegNode* n = loc.base;
  bool created = false;
  for (const auto& p : loc.parts) {
    RegNode* next = n->Child(p);
    if (!next) {
      if (!create) {
        machine_.SetError(winerr::kFileNotFound);
        return nullptr;
      }
      next = n->AddChild(p);
      created = true;
    }
    n = next;
  }
  if (created && !Changed()) return nullptr;
  return std::make_unique<EmulatedKey>(this, std::move(loc), writable);
}

bool EmulatedRegistry::Export(const std::string& key, std::string* text, std::string* error) {
  if (!Refresh()) {
    *error = "the registry file " + File() + " cannot be read";
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
