#include "platform/platform.h"

namespace kit {

// ---------------------------------------------------------------- FileSystem

bool FileSystem::Exists(const std::string& path) {
  uint32_t a = Attributes(path);
  return a != attr::kInvalid && (a & attr::kDirectory) == 0;
}

bool FileSystem::DirectoryExists(const std::string& path) {
  uint32_t a = Attributes(path);
  return a != attr::kInvalid && (a & attr::kDirectory) != 0;
}

bool FileSystem::MakeDirectories(const std::string& path) {
  std::string dir = path;
  while (dir.size() > 1 && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
  if (dir.empty()) return false;
  if (DirectoryExists(dir)) return true;
  // A drive ("C:") or a bare root cannot be created.
  if (dir.size() == 2 && dir[1] == ':') return false;
  size_t cut = dir.find_last_of("\\/");
  if (cut != std::string::npos && cut > 0) {
    std::string parent = dir.substr(0, cut);
    if (!(parent.size() == 2 && parent[1] == ':') && !MakeDirectories(parent)) return false;
  }
  return MakeDirectory(dir) || DirectoryExists(dir);
}

// ---------------------------------------------------------------- Registry

size_t RegKey::SetValues(const std::vector<std::pair<std::string, RegValue>>& values) {
  size_t done = 0;
  while (done < values.size() && Set(values[done].first, values[done].second)) ++done;
  return done;
}

bool Registry::DeleteKeyTree(RegRoot root, const std::string& path) {
  std::string p = path;
  while (!p.empty() && p.front() == '\\') p.erase(0, 1);
  while (!p.empty() && p.back() == '\\') p.pop_back();
  if (p.empty()) return false;
  size_t cut = p.rfind('\\');
  std::string parent = cut == std::string::npos ? std::string() : p.substr(0, cut);
  std::string leaf = cut == std::string::npos ? p : p.substr(cut + 1);
  auto key = Open(root, parent, RegAccess::kAll, false);
  if (!key) return true;  // the parent is missing: nothing to delete
  std::vector<std::string> names;
  if (!key->SubkeyNames(&names)) return false;
  bool present = false;
  for (const auto& n : names) {
    if (n.size() != leaf.size()) continue;
    bool same = true;
    for (size_t i = 0; i < n.size() && same; ++i) {
      unsigned char a = n[i], b = leaf[i];
      if (a >= 'a' && a <= 'z') a -= 32;
      if (b >= 'a' && b <= 'z') b -= 32;
      same = a == b;
    }
    if (same) present = true;
  }
  return !present || key->DeleteTree(leaf);
}

// ---------------------------------------------------------------- RegValue

RegValue RegValue::String(const std::string& s) {
  RegValue v;
  v.type = regtype::kSz;
  v.data = s;
  v.data.push_back('\0');
  return v;
}

RegValue RegValue::Dword(uint32_t x) {
  RegValue v;
  v.type = regtype::kDword;
  for (int i = 0; i < 4; ++i) v.data.push_back(static_cast<char>((x >> (8 * i)) & 0xFF));
  return v;
}

RegValue RegValue::MultiString(const std::vector<std::string>& items) {
  RegValue v;
  v.type = regtype::kMultiSz;
  for (const auto& s : items) {
    v.data += s;
    v.data.push_back('\0');
  }
  v.data.push_back('\0');
  return v;
}

RegValue RegValue::Binary(const std::string& bytes) {
  RegValue v;
  v.type = regtype::kBinary;
  v.data = bytes;
  return v;
}

std::optional<std::string> RegValue::AsString() const {
  if (type != regtype::kSz && type != regtype::kExpandSz) return std::nullopt;
  std::string s = data;
  size_t z = s.find('\0');
  if (z != std::string::npos) s.resize(z);
  return s;
}

std::optional<uint32_t> RegValue::AsDword() const {
  if (type != regtype::kDword || data.size() != 4) return std::nullopt;
  uint32_t x = 0;
  for (int i = 3; i >= 0; --i) x = (x << 8) | static_cast<unsigned char>(data[static_cast<size_t>(i)]);
  return x;
}

std::optional<std::vector<std::string>> RegValue::AsMultiString() const {
  if (type != regtype::kMultiSz) return std::nullopt;
  // Every string ends with a zero and the list with one more. Empty strings
  // inside the list are kept: PendingFileRenameOperations has one for every
  // delayed delete.
  std::string body = data;
  if (body.size() >= 2 && body.compare(body.size() - 2, 2, std::string(2, '\0')) == 0) {
    body.pop_back();
  } else if (body == std::string(1, '\0')) {
    body.clear();
  }
  std::vector<std::string> out;
  size_t start = 0;
  while (start < body.size()) {
    size_t end = body.find('\0', start);
    if (end == std::string::npos) end = body.size();
    out.push_back(body.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

// ---------------------------------------------------------------- platform class

int PlatformClass(SystemInfo& system) {
  OsVersion v;
  if (!system.Version(&v)) return -1;
  switch (v.platform_id) {
    case platformid::kWin32s:
      return 0;
    case platformid::kWindows:
      return 1;
    case platformid::kNT: {
      std::string text = std::to_string(v.major) + "." + std::to_string(v.minor);
      return text.find("3.5") != std::string::npos ? 3 : 2;
    }
    default:
      return 4;
  }
}

}  // namespace kit
