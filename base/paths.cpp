#include "base/paths.h"

#include <vector>

#include "platform/platform.h"

namespace kit {
namespace {

// Index of the last byte of s that is one of `delims` and starts a
// character, or npos.
size_t LastDelimiter(const std::string& s, const char* delims, unsigned cp) {
  size_t last = std::string::npos;
  for (size_t i = 0; i < s.size(); i += CharLengthAt(s, i, cp)) {
    if (CharLengthAt(s, i, cp) == 1) {
      for (const char* d = delims; *d; ++d) {
        if (s[i] == *d) last = i;
      }
    }
  }
  return last;
}

bool EndsWithDelimiter(const std::string& s, unsigned cp) {
  return !s.empty() && IsPathDelimiter(s, s.size() - 1, cp);
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Length of the root part: "C:\" 3, "C:" 2, "\\server\share\" (with its
// final '\' when present), "\" 1, else 0.
size_t RootLength(const std::string& s, unsigned cp) {
  if (s.size() >= 2 && IsDriveLetter(s[0]) && s[1] == ':') {
    return (s.size() >= 3 && s[2] == '\\') ? 3 : 2;
  }
  if (s.size() >= 2 && s[0] == '\\' && s[1] == '\\') {
    // \\server\share
    size_t i = 2;
    int parts = 0;
    while (i < s.size()) {
      if (IsPathDelimiter(s, i, cp)) {
        if (++parts == 2) return i + 1;
      }
      i += CharLengthAt(s, i, cp);
    }
    return s.size();
  }
  if (!s.empty() && s[0] == '\\') return 1;
  return 0;
}

bool IsRoot(const std::string& s, unsigned cp) {
  if (s == "\\") return true;
  return s.size() == 3 && IsDriveLetter(s[0]) && s[1] == ':' && s[2] == '\\';
}

}  // namespace

bool IsPathDelimiter(const std::string& s, size_t index, unsigned cp) {
  return index < s.size() && s[index] == '\\' && !IsTrailByteAt(s, index, cp);
}
bool IsPathDelimiter(const std::string& s, size_t index) {
  return IsPathDelimiter(s, index, AnsiCodePage());
}

std::string ExtractFilePath(const std::string& path, unsigned cp) {
  size_t i = LastDelimiter(path, "\\:", cp);
  return i == std::string::npos ? std::string() : path.substr(0, i + 1);
}
std::string ExtractFilePath(const std::string& path) { return ExtractFilePath(path, AnsiCodePage()); }

std::string ExtractFileDir(const std::string& path, unsigned cp) {
  size_t i = LastDelimiter(path, "\\:", cp);
  if (i == std::string::npos) return std::string();
  std::string dir = path.substr(0, i + 1);
  if (path[i] == '\\' && !IsRoot(dir, cp) && dir.size() > 1) dir.pop_back();
  return dir;
}
std::string ExtractFileDir(const std::string& path) { return ExtractFileDir(path, AnsiCodePage()); }

std::string ExtractFileName(const std::string& path, unsigned cp) {
  size_t i = LastDelimiter(path, "\\:", cp);
  return i == std::string::npos ? path : path.substr(i + 1);
}
std::string ExtractFileName(const std::string& path) { return ExtractFileName(path, AnsiCodePage()); }

std::string ExtractFileExt(const std::string& path, unsigned cp) {
  size_t i = LastDelimiter(path, ".\\:", cp);
  if (i == std::string::npos || path[i] != '.') return std::string();
  return path.substr(i);
}
std::string ExtractFileExt(const std::string& path) { return ExtractFileExt(path, AnsiCodePage()); }

std::string ChangeFileExt(const std::string& path, const std::string& ext, unsigned cp) {
  size_t i = LastDelimiter(path, ".\\:", cp);
  if (i == std::string::npos || path[i] != '.') return path + ext;
  return path.substr(0, i) + ext;
}
std::string ChangeFileExt(const std::string& path, const std::string& ext) {
  return ChangeFileExt(path, ext, AnsiCodePage());
}

std::string ExtractFileDrive(const std::string& path, unsigned cp) {
  if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':') return path.substr(0, 2);
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    size_t n = RootLength(path, cp);
    std::string drive = path.substr(0, n);
    if (EndsWithDelimiter(drive, cp) && drive.size() > 2) drive.pop_back();
    // A bare "\\server" names no share.
    size_t seps = 0;
    for (size_t i = 2; i < drive.size(); i += CharLengthAt(drive, i, cp)) {
      if (IsPathDelimiter(drive, i, cp)) ++seps;
    }
    return seps >= 1 ? drive : std::string();
  }
  return std::string();
}
std::string ExtractFileDrive(const std::string& path) { return ExtractFileDrive(path, AnsiCodePage()); }

std::string IncludeTrailingBackslash(const std::string& path, unsigned cp) {
  return EndsWithDelimiter(path, cp) ? path : path + '\\';
}
std::string IncludeTrailingBackslash(const std::string& path) {
  return IncludeTrailingBackslash(path, AnsiCodePage());
}

std::string ExcludeTrailingBackslash(const std::string& path, unsigned cp) {
  if (!EndsWithDelimiter(path, cp) || IsRoot(path, cp)) return path;
  return path.substr(0, path.size() - 1);
}
std::string ExcludeTrailingBackslash(const std::string& path) {
  return ExcludeTrailingBackslash(path, AnsiCodePage());
}

std::string ExpandFileName(const std::string& name, const std::string& current_dir, unsigned cp) {
  std::string n = name;
  std::string cur = current_dir;
  for (size_t i = 0; i < n.size(); i += CharLengthAt(n, i, cp)) {
    if (n[i] == '/' && CharLengthAt(n, i, cp) == 1) n[i] = '\\';
  }
  for (size_t i = 0; i < cur.size(); i += CharLengthAt(cur, i, cp)) {
    if (cur[i] == '/' && CharLengthAt(cur, i, cp) == 1) cur[i] = '\\';
  }
  // Make it absolute.
  std::string full;
  if (n.size() >= 2 && IsDriveLetter(n[0]) && n[1] == ':') {
    if (n.size() >= 3 && n[2] == '\\') {
      full = n;
    } else {
      std::string rest = n.substr(2);
      bool same_drive = cur.size() >= 2 && cur[1] == ':' &&
                        (cur[0] | 0x20) == (n[0] | 0x20);
      full = (same_drive ? IncludeTrailingBackslash(cur, cp) : n.substr(0, 2) + "\\") + rest;
    }
  } else if (n.size() >= 2 && n[0] == '\\' && n[1] == '\\') {
    full = n;
  } else if (!n.empty() && n[0] == '\\') {
    std::string drive = ExtractFileDrive(cur, cp);
    full = drive + n;
  } else {
    full = IncludeTrailingBackslash(cur, cp) + n;
  }
  // Resolve "." and "..".
  size_t root_len = RootLength(full, cp);
  std::string root = full.substr(0, root_len);
  if (!root.empty() && !EndsWithDelimiter(root, cp)) root += '\\';
  std::string rest = full.substr(root_len);
  bool trailing = EndsWithDelimiter(rest, cp);
  std::vector<std::string> parts;
  std::string part;
  auto flush = [&]() {
    if (part.empty() || part == ".") {
    } else if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else {
      parts.push_back(part);
    }
    part.clear();
  };
  for (size_t i = 0; i < rest.size();) {
    size_t len = CharLengthAt(rest, i, cp);
    if (len == 1 && rest[i] == '\\') flush();
    else part.append(rest, i, len);
    i += len;
  }
  flush();
  std::string out = root;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += '\\';
    out += parts[i];
  }
  if (trailing && !parts.empty()) out += '\\';
  return out;
}
std::string ExpandFileName(const std::string& name, const std::string& current_dir) {
  return ExpandFileName(name, current_dir, AnsiCodePage());
}
std::string ExpandFileName(FileSystem& fs, const std::string& name) {
  return ExpandFileName(name, fs.CurrentDir(), AnsiCodePage());
}

}  // namespace kit
