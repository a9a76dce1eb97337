#include "platform/emulated/emulated_ini.h"

#include "platform/emulated/emulated_machine.h"
#include "platform/emulated/win_path.h"

namespace kit {

namespace {

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return {};
  size_t b = s.find_last_not_of(" \t");
  return s.substr(a, b - a + 1);
}

// The section name of a "[name]" line, or false.
bool SectionLine(const std::string& line, std::string* name) {
  std::string t = Trim(line);
  if (t.size() < 2 || t[0] != '[') return false;
  size_t close = t.find(']');
  if (close == std::string::npos) return false;
  *name = Trim(t.substr(1, close - 1));
  return true;
}

// The key of a "key=value" line, or false (comments and other lines).
bool KeyLine(const std::string& line, std::string* key, std::string* value) {
  std::string t = Trim(line);
  if (t.empty() || t[0] == ';') return false;
  size_t eq = t.find('=');
  if (eq == std::string::npos) return false;
  *key = Trim(t.substr(0, eq));
  if (value) *value = Trim(t.substr(eq + 1));
  return !key->empty();
}

// [begin, end) of a section's lines after its header; begin = npos when absent.
void FindSection(const std::vector<std::string>& lines, const std::string& section, size_t* header,
                 size_t* end) {
  *header = std::string::npos;
  *end = lines.size();
  std::string name;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!SectionLine(lines[i], &name)) continue;
    if (*header != std::string::npos) {
      *end = i;
      return;
    }
    if (emu::EqualNoCase(name, section)) *header = i;
  }
}

}  // namespace

std::string EmulatedIni::PathOf(const std::string& file) {
  bool has_path = file.find('\\') != std::string::npos || file.find('/') != std::string::npos ||
                  (file.size() >= 2 && file[1] == ':');
  if (has_path) return file;
  return machine_.Settings().windows_dir + "\\" + file;
}

bool EmulatedIni::Load(const std::string& path, std::vector<std::string>* lines, bool* exists) {
  lines->clear();
  *exists = false;
  FileSystem& fs = machine_.Files();
  auto f = fs.Open(path, FileAccess::kRead, share::kRead | share::kWrite, Disposition::kOpenExisting);
  if (!f) return machine_.LastError() == winerr::kFileNotFound;
  *exists = true;
  std::string data;
  char buf[8192];
  uint32_t got = 0;
  while (f->Read(buf, sizeof buf, &got) && got > 0) data.append(buf, got);
  size_t pos = 0;
  while (pos < data.size()) {
    size_t nl = data.find('\n', pos);
    if (nl == std::string::npos) nl = data.size();
    std::string line = data.substr(pos, nl - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines->push_back(line);
    pos = nl + 1;
  }
  return true;
}

bool EmulatedIni::Store(const std::string& path, const std::vector<std::string>& lines) {
  std::string data;
  for (const auto& l : lines) data += l + "\r\n";
  FileSystem& fs = machine_.Files();
  std::string full;
  if (!fs.FullPath(path, &full)) return false;
  size_t cut = full.rfind('\\');
  std::string dir = full.substr(0, cut);
  if (dir.size() == 2) dir += "\\";
  // Refuse early when the file itself cannot be replaced.
  uint32_t a = fs.Attributes(full);
  if (a != attr::kInvalid && (a & attr::kReadOnly)) {
    machine_.SetError(winerr::kAccessDenied);
    return false;
  }
  std::string tmp;
  if (!fs.TempFileName(dir, "ini", &tmp)) return false;
  bool ok;
  {
    auto f = fs.Open(tmp, FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
    uint32_t written = 0;
    ok = f && f->Write(data.data(), static_cast<uint32_t>(data.size()), &written);
  }
  if (ok) ok = fs.MoveEx(tmp, full, movefile::kReplaceExisting);
  if (!ok) {
    uint32_t e = machine_.LastError();
    fs.RemoveFile(tmp);
    machine_.SetError(e);
  }
  return ok;
}

std::string EmulatedIni::Read(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& def) {
  std::vector<std::string> lines;
  bool exists;
  if (!Load(PathOf(file), &lines, &exists) || !exists) return def;
  size_t header, end;
  FindSection(lines, section, &header, &end);
  if (header == std::string::npos) return def;
  std::string k, v;
  for (size_t i = header + 1; i < end; ++i) {
    if (!KeyLine(lines[i], &k, &v) || !emu::EqualNoCase(k, key)) continue;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
      v = v.substr(1, v.size() - 2);
    return v;
  }
  return def;
}

bool EmulatedIni::Write(const std::string& file, const std::string& section,
                        const std::string& key, const std::string& value) {
  if (Trim(section).empty() || Trim(key).empty() || key.find('=') != std::string::npos) {
    machine_.SetError(winerr::kInvalidParameter);
    return false;
  }
  std::string path = PathOf(file);
  std::vector<std::string> lines;
  bool exists;
  if (!Load(path, &lines, &exists)) return false;
  size_t header, end;
  FindSection(lines, section, &header, &end);
  std::string line = key + "=" + value;
  if (header == std::string::npos) {
    lines.push_back("[" + section + "]");
    lines.push_back(line);
    return Store(path, lines);
  }
  std::string k;
  size_t last = header;
  for (size_t i = header + 1; i < end; ++i) {
    if (KeyLine(lines[i], &k, nullptr) && emu::EqualNoCase(k, key)) {
      lines[i] = k + "=" + value;
      return Store(path, lines);
    }
    if (!Trim(lines[i]).empty()) last = i;
  }
  lines.insert(lines.begin() + static_cast<long>(last + 1), line);
  return Store(path, lines);
}

bool EmulatedIni::DeleteKey(const std::string& file, const std::string& section,
                            const std::string& key) {
  std::string path = PathOf(file);
  std::vector<std::string> lines;
  bool exists;
  if (!Load(path, &lines, &exists)) return false;
  if (!exists) return true;
  size_t header, end;
  FindSection(lines, section, &header, &end);
  if (header == std::string::npos) return true;
  std::string k;
  for (size_t i = header + 1; i < end; ++i)
    if (KeyLine(lines[i], &k, nullptr) && emu::EqualNoCase(k, key)) {
      lines.erase(lines.begin() + static_cast<long>(i));
      return Store(path, lines);
    }
  return true;
}

std::vector<std::string> EmulatedIni::ReadSection(const std::string& file,
                                                  const std::string& section) {
  std::vector<std::string> keys;
  std::vector<std::string> lines;
  bool exists;
  if (!Load(PathOf(file), &lines, &exists) || !exists) return keys;
  size_t header, end;
  FindSection(lines, section, &header, &end);
  if (header == std::string::npos) return keys;
  std::string k;
  for (size_t i = header + 1; i < end; ++i)
    if (KeyLine(lines[i], &k, nullptr)) keys.push_back(k);
  return keys;
}

bool EmulatedIni::EraseSection(const std::string& file, const std::string& section) {
  std::string path = PathOf(file);
  std::vector<std::string> lines;
  bool exists;
  if (!Load(path, &lines, &exists)) return false;
  if (!exists) return true;
  size_t header, end;
  FindSection(lines, section, &header, &end);
  if (header == std::string::npos) return true;
  lines.erase(lines.begin() + static_cast<long>(header), lines.begin() + static_cast<long>(end));
  return Store(path, lines);
}

}  // namespace kit
