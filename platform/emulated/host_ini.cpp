#include "platform/emulated/host_ini.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/emulated/win_path.h"

namespace kit::emu {

namespace {
std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return {};
  size_t b = s.find_last_not_of(" \t\r\n");
  return s.substr(a, b - a + 1);
}
}  // namespace

bool ReadHostFile(const std::string& host_file, std::string* data) {
  FILE* f = std::fopen(host_file.c_str(), "rb");
  if (!f) return false;
  data->clear();
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data->append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

namespace {

bool WriteThroughTemp(const std::string& host_file, const std::string& data, bool sync,
                      std::string* error) {
  std::string tmp = host_file + ".tmp" + std::to_string(::getpid());
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (error) *error = "cannot create " + tmp + ": " + std::strerror(errno);
    return false;
  }
  // Gives up with errno kept for the caller.
  auto fail = [&](const std::string& what, bool close_fd) {
    int saved = errno;
    if (error) *error = what + ": " + std::strerror(saved);
    if (close_fd) ::close(fd);
    ::unlink(tmp.c_str());
    errno = saved;
    return false;
  };
  size_t done = 0;
  while (done < data.size()) {
    ssize_t w = ::write(fd, data.data() + done, data.size() - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      return fail("cannot write " + tmp, true);
    }
    done += static_cast<size_t>(w);
  }
  if (sync && ::fsync(fd) != 0) return fail("cannot write " + tmp, true);
  if (::close(fd) != 0) return fail("cannot write " + tmp, false);
  if (::rename(tmp.c_str(), host_file.c_str()) != 0) return fail("cannot replace " + host_file, false);
  if (sync) {
    // The rename is durable once the directory is.
    size_t cut = host_file.rfind('/');
    std::string dir = cut == std::string::npos ? "." : cut == 0 ? "/" : host_file.substr(0, cut);
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    bool ok = dfd >= 0 && ::fsync(dfd) == 0;
    int saved = errno;
    if (dfd >= 0) ::close(dfd);
    if (!ok) {
      errno = saved;
      if (error) *error = "cannot flush the folder of " + host_file + ": " + std::strerror(errno);
      return false;
    }
  }
  return true;
}

}  // namespace

bool WriteFileAtomic(const std::string& host_file, const std::string& data, std::string* error) {
  return WriteThroughTemp(host_file, data, false, error);
}

bool WriteFileDurable(const std::string& host_file, const std::string& data, std::string* error) {
  return WriteThroughTemp(host_file, data, true, error);
}

bool HostIni::Load(const std::string& host_file, std::string* error) {
  sections_.clear();
  std::string data;
  if (!ReadHostFile(host_file, &data)) {
    if (errno == ENOENT) return true;
    if (error) *error = "cannot read " + host_file + ": " + std::strerror(errno);
    return false;
  }
  size_t pos = 0;
  int line_no = 0;
  Section* cur = nullptr;
  while (pos < data.size()) {
    size_t nl = data.find('\n', pos);
    if (nl == std::string::npos) nl = data.size();
    std::string line = Trim(data.substr(pos, nl - pos));
    pos = nl + 1;
    ++line_no;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      size_t close = line.rfind(']');
      if (close == std::string::npos) {
        if (error)
          *error = host_file + ":" + std::to_string(line_no) + ": section header without ']'";
        return false;
      }
      sections_.push_back({line.substr(1, close - 1), {}});
      cur = &sections_.back();
      continue;
    }
    // Keys may themselves contain '=' only when quoted: "key=with=equals"=value.
    std::string key, value;
    if (line[0] == '"') {
      size_t q = line.find('"', 1);
      size_t eq = q == std::string::npos ? q : line.find('=', q);
      if (eq == std::string::npos) {
        if (error) *error = host_file + ":" + std::to_string(line_no) + ": expected \"key\"=value";
        return false;
      }
      key = line.substr(1, q - 1);
      value = Trim(line.substr(eq + 1));
    } else {
      size_t eq = line.find('=');
      if (eq == std::string::npos) {
        if (error) *error = host_file + ":" + std::to_string(line_no) + ": expected key=value";
        return false;
      }
      key = Trim(line.substr(0, eq));
      value = Trim(line.substr(eq + 1));
    }
    if (!cur) {
      if (error) *error = host_file + ":" + std::to_string(line_no) + ": entry before any section";
      return false;
    }
    cur->entries.emplace_back(key, value);
  }
  return true;
}

bool HostIni::Save(const std::string& host_file, std::string* error) const {
  std::string out;
  for (const auto& s : sections_) {
    if (!out.empty()) out += "\n";
    out += "[" + s.name + "]\n";
    for (const auto& [k, v] : s.entries) {
      bool quote = k.find('=') != std::string::npos || k.find(';') == 0 || k != Trim(k);
      out += (quote ? "\"" + k + "\"" : k) + "=" + v + "\n";
    }
  }
  return WriteFileAtomic(host_file, out, error);
}

const HostIni::Section* HostIni::Find(const std::string& section) const {
  for (const auto& s : sections_)
    if (EqualNoCase(s.name, section)) return &s;
  return nullptr;
}

std::optional<std::string> HostIni::Get(const std::string& section, const std::string& key) const {
  const Section* s = Find(section);
  if (!s) return std::nullopt;
  for (const auto& [k, v] : s->entries)
    if (EqualNoCase(k, key)) return v;
  return std::nullopt;
}

std::string HostIni::Get(const std::string& section, const std::string& key,
                         const std::string& def) const {
  auto v = Get(section, key);
  return v ? *v : def;
}

void HostIni::Set(const std::string& section, const std::string& key, const std::string& value) {
  Section* s = const_cast<Section*>(Find(section));
  if (!s) {
    sections_.push_back({section, {}});
    s = &sections_.back();
  }
  for (auto& [k, v] : s->entries)
    if (EqualNoCase(k, key)) {
      v = value;
      return;
    }
  s->entries.emplace_back(key, value);
}

void HostIni::Remove(const std::string& section, const std::string& key) {
  Section* s = const_cast<Section*>(Find(section));
  if (!s) return;
  for (size_t i = 0; i < s->entries.size(); ++i)
    if (EqualNoCase(s->entries[i].first, key)) {
      s->entries.erase(s->entries.begin() + static_cast<long>(i));
      return;
    }
}

}  // namespace kit::emu
