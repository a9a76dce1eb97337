#include "archive/testing/memory_fs.h"

#include <algorithm>
#include <cstring>

namespace kit::testing {
namespace {

char Up(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool Match(const char* pat, const char* s) {
  if (*pat == 0) return *s == 0;
  if (*pat == '*') return Match(pat + 1, s) || (*s != 0 && Match(pat, s + 1));
  if (*s == 0) return std::strcmp(pat, ".*") == 0 || std::strcmp(pat, "*") == 0;
  if (*pat == '?' || Up(*pat) == Up(*s)) return Match(pat + 1, s + 1);
  return false;
}

}  // namespace

class MemoryFile : public File {
 public:
  MemoryFile(MemoryFileSystem& fs, std::shared_ptr<MemoryFileSystem::Node> node, FileAccess access)
      : fs_(fs), node_(std::move(node)), access_(access) {
    ++node_->open_count;
  }
  ~MemoryFile() override { --node_->open_count; }

  bool Read(void* buffer, uint32_t n, uint32_t* got) override {
    *got = 0;
    if (access_ == FileAccess::kWrite) return fs_.Fail(winerr::kAccessDenied);
    if (fs_.Faulty("read", node_->path)) return fs_.Fail(winerr::kReadFault);
    if (pos_ >= node_->data.size()) return true;
    size_t k = std::min<size_t>(n, node_->data.size() - pos_);
    std::memcpy(buffer, node_->data.data() + pos_, k);
    pos_ += k;
    *got = static_cast<uint32_t>(k);
    return true;
  }

  bool Write(const void* buffer, uint32_t n, uint32_t* written) override {
    *written = 0;
    if (access_ == FileAccess::kRead) return fs_.Fail(winerr::kAccessDenied);
    if (fs_.Faulty("write", node_->path)) return fs_.Fail(winerr::kDiskFull);
    uint64_t end = pos_ + n;
    uint64_t growth = end > node_->data.size() ? end - node_->data.size() : 0;
    uint64_t room = fs_.Room(node_->path[0]);
    uint32_t take = n;
    if (growth > room) take = static_cast<uint32_t>(n - (growth - room));
    if (pos_ + take > node_->data.size()) node_->data.resize(pos_ + take);
    std::memcpy(&node_->data[pos_], buffer, take);
    pos_ += take;
    *written = take;
    if (take < n) return fs_.Fail(winerr::kDiskFull);
    return true;
  }

  bool Seek(int64_t offset, SeekOrigin origin, int64_t* position) override {
    int64_t base = origin == SeekOrigin::kBegin ? 0
                   : origin == SeekOrigin::kCurrent ? static_cast<int64_t>(pos_)
                                                    : static_cast<int64_t>(node_->data.size());
    int64_t p = base + offset;
    if (p < 0) return fs_.Fail(winerr::kInvalidParameter);
    pos_ = static_cast<uint64_t>(p);
    if (position) *position = p;
    return true;
  }

  int64_t Size() override { return static_cast<int64_t>(node_->data.size()); }

  bool Truncate() override {
    if (access_ == FileAccess::kRead) return fs_.Fail(winerr::kAccessDenied);
    if (pos_ > node_->data.size()) {
      uint64_t growth = pos_ - node_->data.size();
      if (growth > fs_.Room(node_->path[0])) return fs_.Fail(winerr::kDiskFull);
    }
    node_->data.resize(pos_);
    return true;
  }

  bool GetTime(uint32_t* dos_time) override {
    *dos_time = node_->dos_time;
    return true;
  }

  bool SetTime(uint32_t dos_time) override {
    if (fs_.Faulty("settime", node_->path)) return fs_.Fail(winerr::kAccessDenied);
    node_->dos_time = dos_time & ~1u;  // two-second resolution: odd seconds cannot be
    return true;
  }

 private:
  MemoryFileSystem& fs_;
  std::shared_ptr<MemoryFileSystem::Node> node_;
  FileAccess access_;
  uint64_t pos_ = 0;
};

MemoryFileSystem::MemoryFileSystem() {
  MakeDirectory("C:\\TEMP");
}

void MemoryFileSystem::SetCapacity(char drive, uint64_t bytes) { capacity_[Up(drive)] = bytes; }

uint64_t MemoryFileSystem::Used(char drive) {
  uint64_t used = 0;
  for (auto& [k, n] : nodes_)
    if (k[0] == Up(drive)) used += n->data.size();
  return used;
}

uint64_t MemoryFileSystem::Room(char drive) {
  auto it = capacity_.find(Up(drive));
  if (it == capacity_.end() || it->second == 0) return UINT64_MAX / 2;
  uint64_t used = Used(drive);
  return used >= it->second ? 0 : it->second - used;
}

bool MemoryFileSystem::Faulty(const std::string& op, const std::string& path) {
  return fault && fault(op, path);
}

std::string MemoryFileSystem::Normal(const std::string& path) const {
  std::string p = path;
  std::replace(p.begin(), p.end(), '/', '\\');
  if (p.size() >= 2 && p[1] == ':') {
    p[0] = Up(p[0]);
    if (p.size() == 2 || p[2] != '\\') p = p.substr(0, 2) + "\\" + p.substr(2);
  } else if (!p.empty() && p[0] == '\\') {
    p = current_.substr(0, 2) + p;
  } else {
    p = current_ + (current_.back() == '\\' ? "" : "\\") + p;
  }
  if (p.size() < 3 || !((p[0] >= 'A' && p[0] <= 'Z'))) return std::string();
  // Resolve "." and "..", drop empty parts and trailing dots and spaces.
  std::vector<std::string> parts;
  size_t i = 3;
  while (i <= p.size()) {
    size_t j = p.find('\\', i);
    if (j == std::string::npos) j = p.size();
    std::string part = p.substr(i, j - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (part != "." && !part.empty()) {
      while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
      if (part.empty()) return std::string();
      parts.push_back(part);
    }
    i = j + 1;
  }
  std::string out = p.substr(0, 3);
  for (size_t k = 0; k < parts.size(); ++k) out += (k ? "\\" : "") + parts[k];
  return out;
}

std::string MemoryFileSystem::Stored(const std::string& normal) {
  std::string parent = Parent(normal);
  if (parent.size() <= 3) return normal;
  Node* p = Find(parent);
  if (p == nullptr) return normal;
  return p->path + normal.substr(parent.size());
}

std::string MemoryFileSystem::Key(const std::string& normal) {
  std::string k = normal;
  for (char& c : k) c = Up(c);
  return k;
}

std::string MemoryFileSystem::Parent(const std::string& normal) {
  if (normal.size() <= 3) return std::string();
  size_t cut = normal.rfind('\\');
  if (cut <= 2) return normal.substr(0, 3);
  return normal.substr(0, cut);
}

MemoryFileSystem::Node* MemoryFileSystem::Find(const std::string& normal) {
  auto it = nodes_.find(Key(normal));
  return it == nodes_.end() ? nullptr : it->second.get();
}

bool MemoryFileSystem::ParentIsDirectory(const std::string& normal) {
  std::string parent = Parent(normal);
  if (parent.size() == 3) return true;  // a drive root
  Node* n = Find(parent);
  return n != nullptr && n->directory;
}

void MemoryFileSystem::PutFile(const std::string& path, const std::string& data, uint32_t dos_time) {
  std::string n = Normal(path);
  std::string parent = Parent(n);
  if (parent.size() > 3) MakeDirectories(parent);
  auto node = std::make_shared<Node>();
  node->path = Stored(n);
  node->data = data;
  node->dos_time = dos_time;
  nodes_[Key(n)] = node;
}

bool MemoryFileSystem::GetFile(const std::string& path, std::string* data) {
  Node* n = Find(Normal(path));
  if (n == nullptr || n->directory) return false;
  *data = n->data;
  return true;
}

std::string MemoryFileSystem::FileData(const std::string& path) {
  std::string d;
  GetFile(path, &d);
  return d;
}

std::vector<std::string> MemoryFileSystem::AllFiles(const std::string& dir) {
  std::string prefix = dir.empty() ? std::string() : Key(Normal(dir));
  if (!prefix.empty() && prefix.back() != '\\') prefix += '\\';
  std::vector<std::string> out;
  for (auto& [k, n] : nodes_)
    if (!n->directory && k.compare(0, prefix.size(), prefix) == 0) out.push_back(n->path);
  return out;
}

std::unique_ptr<File> MemoryFileSystem::Open(const std::string& path, FileAccess access,
                                             uint32_t, Disposition disposition) {
  std::string n = Normal(path);
  if (n.empty() || n.size() <= 3) {
    Fail(winerr::kInvalidName);
    return nullptr;
  }
  if (Faulty("open", n)) {
    Fail(winerr::kAccessDenied);
    return nullptr;
  }
  auto it = nodes_.find(Key(n));
  if (it != nodes_.end() && it->second->directory) {
    Fail(winerr::kAccessDenied);
    return nullptr;
  }
  bool exists = it != nodes_.end();
  if (!exists && (disposition == Disposition::kOpenExisting ||
                  disposition == Disposition::kTruncateExisting)) {
    Fail(winerr::kFileNotFound);
    return nullptr;
  }
  if (exists && disposition == Disposition::kCreateNew) {
    Fail(winerr::kFileExists);
    return nullptr;
  }
  if (!exists) {
    if (!ParentIsDirectory(n)) {
      Fail(winerr::kPathNotFound);
      return nullptr;
    }
    auto node = std::make_shared<Node>();
    node->path = Stored(n);
    it = nodes_.emplace(Key(n), node).first;
  } else if (disposition == Disposition::kCreateAlways ||
             disposition == Disposition::kTruncateExisting) {
    if (it->second->attributes & attr::kReadOnly) {
      Fail(winerr::kAccessDenied);
      return nullptr;
    }
    it->second->data.clear();
  }
  if (access != FileAccess::kRead && (it->second->attributes & attr::kReadOnly)) {
    Fail(winerr::kAccessDenied);
    return nullptr;
  }
  return std::make_unique<MemoryFile>(*this, it->second, access);
}

uint32_t MemoryFileSystem::Attributes(const std::string& path) {
  std::string n = Normal(path);
  if (n.size() == 3) return attr::kDirectory;
  Node* node = Find(n);
  if (node == nullptr) {
    last_error_ = winerr::kFileNotFound;
    return attr::kInvalid;
  }
  return node->directory ? attr::kDirectory : node->attributes;
}

bool MemoryFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  Node* node = Find(Normal(path));
  if (node == nullptr) return Fail(winerr::kFileNotFound);
  if (!node->directory) node->attributes = attributes;
  return true;
}

bool MemoryFileSystem::RemoveFile(const std::string& path) {
  std::string n = Normal(path);
  if (Faulty("remove", n)) return Fail(winerr::kAccessDenied);
  auto it = nodes_.find(Key(n));
  if (it == nodes_.end() || it->second->directory) return Fail(winerr::kFileNotFound);
  if (it->second->open_count > 0) return Fail(winerr::kSharingViolation);
  nodes_.erase(it);
  return true;
}

bool MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  return MoveEx(from, to, 0);
}

bool MemoryFileSystem::MoveEx(const std::string& from, const std::string& to, uint32_t flags) {
  std::string f = Normal(from), t = Normal(to);
  if (flags & movefile::kDelayUntilReboot) {
    delayed_moves.emplace_back(f, t);
    return true;
  }
  if (Faulty("rename", t)) return Fail(winerr::kAccessDenied);
  auto src = nodes_.find(Key(f));
  if (src == nodes_.end()) return Fail(winerr::kFileNotFound);
  if (t.empty() || !ParentIsDirectory(t)) return Fail(winerr::kPathNotFound);
  if (src->second->open_count > 0) return Fail(winerr::kSharingViolation);
  auto dst = nodes_.find(Key(t));
  if (dst != nodes_.end() && dst != src) {
    if (!(flags & movefile::kReplaceExisting) || dst->second->directory) return Fail(winerr::kAlreadyExists);
    if (dst->second->open_count > 0) return Fail(winerr::kSharingViolation);
    if (dst->second->attributes & attr::kReadOnly) return Fail(winerr::kAccessDenied);
  }
  if (src->second->directory) return Fail(winerr::kAccessDenied);
  if (f[0] != t[0] && src->second->data.size() > Room(t[0])) return Fail(winerr::kDiskFull);
  std::shared_ptr<Node> node = src->second;
  nodes_.erase(src);
  node->path = Stored(t);
  nodes_[Key(t)] = node;
  return true;
}

bool MemoryFileSystem::Copy(const std::string& from, const std::string& to, bool fail_if_exists) {
  std::string f = Normal(from), t = Normal(to);
  Node* src = Find(f);
  if (src == nullptr || src->directory) return Fail(winerr::kFileNotFound);
  if (fail_if_exists && Find(t) != nullptr) return Fail(winerr::kFileExists);
  auto out = Open(t, FileAccess::kWrite, share::kNone, Disposition::kCreateAlways);
  if (!out) return false;
  uint32_t written = 0;
  std::string data = src->data;
  if (!out->Write(data.data(), static_cast<uint32_t>(data.size()), &written)) return false;
  out->SetTime(src->dos_time);
  return true;
}

bool MemoryFileSystem::MakeDirectory(const std::string& path) {
  std::string n = Normal(path);
  if (n.size() <= 3) return Fail(winerr::kAccessDenied);
  if (Faulty("mkdir", n)) return Fail(winerr::kAccessDenied);
  if (Find(n) != nullptr) return Fail(winerr::kAlreadyExists);
  if (!ParentIsDirectory(n)) return Fail(winerr::kPathNotFound);
  auto node = std::make_shared<Node>();
  node->path = Stored(n);
  node->directory = true;
  node->attributes = attr::kDirectory;
  nodes_[Key(n)] = node;
  return true;
}

bool MemoryFileSystem::RemoveDir(const std::string& path) {
  std::string n = Normal(path);
  auto it = nodes_.find(Key(n));
  if (it == nodes_.end() || !it->second->directory) return Fail(winerr::kFileNotFound);
  std::string prefix = Key(n) + "\\";
  for (auto& [k, node] : nodes_)
    if (k.compare(0, prefix.size(), prefix) == 0) return Fail(winerr::kDirNotEmpty);
  nodes_.erase(it);
  return true;
}

bool MemoryFileSystem::List(const std::string& dir, const std::string& pattern,
                            std::vector<FileEntry>* entries) {
  std::string n = Normal(dir);
  if (n.empty()) return Fail(winerr::kPathNotFound);
  std::string prefix = Key(n);
  if (prefix.back() != '\\') prefix += '\\';
  entries->clear();
  for (auto& [k, node] : nodes_) {
    if (k.compare(0, prefix.size(), prefix) != 0 || k.find('\\', prefix.size()) != std::string::npos)
      continue;
    std::string name = node->path.substr(prefix.size());
    if (!Match(pattern.c_str(), name.c_str())) continue;
    FileEntry e;
    e.name = name;
    e.attributes = node->directory ? attr::kDirectory : node->attributes;
    e.size = static_cast<int64_t>(node->data.size());
    e.dos_time = node->dos_time;
    entries->push_back(e);
  }
  return true;
}

bool MemoryFileSystem::GetTime(const std::string& path, uint32_t* dos_time) {
  Node* node = Find(Normal(path));
  if (node == nullptr) return Fail(winerr::kFileNotFound);
  *dos_time = node->dos_time;
  return true;
}

bool MemoryFileSystem::SetTime(const std::string& path, uint32_t dos_time) {
  std::string n = Normal(path);
  if (Faulty("settime", n)) return Fail(winerr::kAccessDenied);
  Node* node = Find(n);
  if (node == nullptr) return Fail(winerr::kFileNotFound);
  node->dos_time = dos_time & ~1u;
  return true;
}

bool MemoryFileSystem::ShortPath(const std::string& path, std::string* short_path) {
  std::string n = Normal(path);
  if (n.size() > 3 && Find(n) == nullptr) return Fail(winerr::kFileNotFound);
  *short_path = n;
  return true;
}

bool MemoryFileSystem::FullPath(const std::string& path, std::string* full_path) {
  std::string n = Normal(path);
  if (n.empty()) return Fail(winerr::kInvalidName);
  *full_path = n;
  return true;
}

bool MemoryFileSystem::TempDirectory(std::string* dir) {
  *dir = "C:\\TEMP\\";
  return true;
}

bool MemoryFileSystem::TempFileName(const std::string& dir, const std::string& prefix,
                                    std::string* path) {
  std::string d = Normal(dir);
  if (Faulty("tempfile", d)) return Fail(winerr::kAccessDenied);
  Node* dn = d.size() == 3 ? nullptr : Find(d);
  if (d.empty() || (d.size() > 3 && (dn == nullptr || !dn->directory))) return Fail(winerr::kPathNotFound);
  for (int tries = 0; tries < 65535; ++tries) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%X", (++temp_counter_) & 0xFFFF);
    std::string p = d + (d.back() == '\\' ? "" : "\\") + prefix.substr(0, 3) + hex + ".TMP";
    if (Find(p) != nullptr) continue;
    auto f = Open(p, FileAccess::kWrite, share::kNone, Disposition::kCreateNew);
    if (!f) return false;
    *path = p;
    return true;
  }
  return Fail(winerr::kFileExists);
}

bool MemoryFileSystem::SetCurrentDir(const std::string& dir) {
  std::string n = Normal(dir);
  if (n.empty() || (n.size() > 3 && Attributes(n) != attr::kDirectory)) return Fail(winerr::kPathNotFound);
  current_ = n;
  return true;
}

bool MemoryFileSystem::DiskSpace(const std::string& path, uint64_t* free_bytes, uint64_t* total_bytes) {
  std::string n = Normal(path);
  char drive = DriveOf(n);
  auto it = capacity_.find(drive);
  uint64_t total = (it == capacity_.end() || it->second == 0) ? (uint64_t{1} << 40) : it->second;
  uint64_t used = Used(drive);
  *total_bytes = total;
  *free_bytes = used >= total ? 0 : total - used;
  return true;
}

}  // namespace kit::testing
