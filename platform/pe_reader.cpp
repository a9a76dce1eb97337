#include "platform/pe_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kit {
namespace {

constexpr uint16_t kRtVersion = 16;
constexpr uint16_t kVersionName = 1;
constexpr uint32_t kSubdirectoryBit = 0x80000000u;

uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

struct Section {
  uint32_t virtual_address = 0;
  uint32_t raw_size = 0;
  uint32_t raw_pointer = 0;
};

class PeFile {
 public:
  PeFile(const ReadAtFn& read_at, uint64_t size) : read_at_(read_at), size_(size) {}

  bool Read(uint64_t offset, void* buffer, size_t n) const {
    if (offset > size_ || n > size_ - offset) return false;
    return read_at_(offset, buffer, n);
  }

  bool LoadHeaders() {
    unsigned char dos[64];
    if (!Read(0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') return false;
    uint64_t nt = U32(dos + 0x3C);
    unsigned char head[24];
    if (!Read(nt, head, sizeof head) || std::memcmp(head, "PE\0\0", 4) != 0) return false;
    uint16_t sections = U16(head + 4 + 2);
    uint16_t optional_size = U16(head + 4 + 16);
    if (sections == 0 || sections > pelimit::kMaxSections || optional_size < 2) return false;

    std::vector<unsigned char> optional(optional_size);
    if (!Read(nt + 24, optional.data(), optional.size())) return false;
    size_t count_at = 0, dirs_at = 0;
    switch (U16(optional.data())) {
      case 0x10B: count_at = 92; dirs_at = 96; break;   // PE32
      case 0x20B: count_at = 108; dirs_at = 112; break;  // PE32+
      default: return false;
    }
    constexpr size_t kResourceDir = 2;
    if (optional.size() < dirs_at + (kResourceDir + 1) * 8) return false;
    if (U32(optional.data() + count_at) <= kResourceDir) return false;
    resource_rva_ = U32(optional.data() + dirs_at + kResourceDir * 8);
    if (resource_rva_ == 0) return false;

    std::vector<unsigned char> table(static_cast<size_t>(sections) * 40);
    if (!Read(nt + 24 + optional_size, table.data(), table.size())) return false;
    for (size_t i = 0; i < sections; ++i) {
      const unsigned char* s = table.data() + i * 40;
      sections_.push_back({U32(s + 12), U32(s + 16), U32(s + 20)});
    }
    return true;
  }

  // The file offset of `rva` and how many bytes of its section follow it in
  // the file.
  bool Map(uint32_t rva, uint64_t* offset, uint64_t* available) const {
    for (const Section& s : sections_) {
      if (rva < s.virtual_address) continue;
      uint64_t into = rva - s.virtual_address;
      if (into >= s.raw_size) continue;
      uint64_t at = static_cast<uint64_t>(s.raw_pointer) + into;
      if (at >= size_) return false;
      *offset = at;
      *available = std::min<uint64_t>(s.raw_size - into, size_ - at);
      return true;
    }
    return false;
  }

  uint32_t resource_rva() const { return resource_rva_; }

 private:
  const ReadAtFn& read_at_;
  uint64_t size_;
  uint32_t resource_rva_ = 0;
  std::vector<Section> sections_;
};

// The resource directory: offsets are relative to its start.
class ResourceTree {
 public:
  ResourceTree(const PeFile& file, uint64_t offset, uint64_t size)
      : file_(file), offset_(offset), size_(size) {}

  bool Read(uint64_t at, void* buffer, size_t n) const {
    if (at > size_ || n > size_ - at) return false;
    return file_.Read(offset_ + at, buffer, n);
  }

  // The entry of the directory at `dir` with the numeric id `id` (any entry
  // when id < 0); *value receives its OffsetToData field.
  bool Find(uint32_t dir, int id, uint32_t* value) const {
    unsigned char head[16];
    if (!Read(dir, head, sizeof head)) return false;
    uint32_t named = U16(head + 12);
    uint32_t total = named + U16(head + 14);
    if (total == 0) return false;
    uint64_t entries = static_cast<uint64_t>(dir) + 16;
    if (entries + static_cast<uint64_t>(total) * 8 > size_) return false;
    // Named entries come first; a numeric id is looked for after them.
    for (uint32_t i = id < 0 ? 0 : named; i < total; ++i) {
      unsigned char entry[8];
      if (!Read(entries + static_cast<uint64_t>(i) * 8, entry, sizeof entry)) return false;
      uint32_t name = U32(entry);
      if (id < 0 || ((name & kSubdirectoryBit) == 0 && name == static_cast<uint32_t>(id))) {
        *value = U32(entry + 4);
        return true;
      }
    }
    return false;
  }

 private:
  const PeFile& file_;
  uint64_t offset_;
  uint64_t size_;
};

size_t Align4(size_t n) { return (n + 3) & ~static_cast<size_t>(3); }

// One node of a VS_VERSIONINFO tree, as offsets into the block.
struct Node {
  size_t end = 0;
  size_t key = 0, key_units = 0;
  size_t value = 0, value_size = 0;
  size_t children = 0;
  bool text = false;
};

bool ParseNode(std::string_view block, size_t at, size_t limit, Node* node) {
  const auto* b = reinterpret_cast<const unsigned char*>(block.data());
  if (at > limit || limit - at < 6) return false;
  uint16_t length = U16(b + at);
  if (length < 6) return false;
  node->end = std::min(limit, at + length);
  uint16_t value_length = U16(b + at + 2);
  uint16_t type = U16(b + at + 4);
  if (type > 1) return false;
  node->text = type == 1;
  node->key = at + 6;
  size_t p = node->key;
  while (true) {
    if (node->end - p < 2) return false;  // the key has no terminating zero
    if (U16(b + p) == 0) break;
    p += 2;
  }
  node->key_units = (p - node->key) / 2;
  node->value = std::min(node->end, Align4(p + 2));
  size_t want = node->text ? static_cast<size_t>(value_length) * 2 : value_length;
  node->value_size = std::min(want, node->end - node->value);
  node->children = std::min(node->end, Align4(node->value + node->value_size));
  return true;
}

char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool KeyIs(std::string_view block, const Node& node, std::string_view name) {
  if (node.key_units != name.size()) return false;
  const auto* b = reinterpret_cast<const unsigned char*>(block.data()) + node.key;
  for (size_t i = 0; i < name.size(); ++i) {
    char16_t want = static_cast<unsigned char>(name[i]);
    if (FoldAscii(static_cast<char16_t>(U16(b + 2 * i))) != FoldAscii(want)) return false;
  }
  return true;
}

}  // namespace

bool FindVersionResource(const ReadAtFn& read_at, uint64_t file_size, std::string* block) {
  block->clear();
  PeFile file(read_at, file_size);
  if (!file.LoadHeaders()) return false;
  uint64_t dir_offset = 0, dir_size = 0;
  if (!file.Map(file.resource_rva(), &dir_offset, &dir_size)) return false;
  ResourceTree tree(file, dir_offset, dir_size);

  // Three levels: type, name, language.
  uint32_t types = 0, names = 0, data_entry = 0;
  if (!tree.Find(0, kRtVersion, &types) || (types & kSubdirectoryBit) == 0) return false;
  if (!tree.Find(types & ~kSubdirectoryBit, kVersionName, &names) ||
      (names & kSubdirectoryBit) == 0)
    return false;
  if (!tree.Find(names & ~kSubdirectoryBit, -1, &data_entry) ||
      (data_entry & kSubdirectoryBit) != 0)
    return false;

  unsigned char entry[16];
  if (!tree.Read(data_entry, entry, sizeof entry)) return false;
  uint32_t data_rva = U32(entry), size = U32(entry + 4);
  if (size < 6 || size > pelimit::kMaxVersionResource) return false;
  uint64_t data_offset = 0, available = 0;
  if (!file.Map(data_rva, &data_offset, &available) || available < size) return false;

  unsigned char head[6];
  if (!file.Read(data_offset, head, sizeof head)) return false;
  uint16_t length = U16(head);
  // A 16-bit block (NE files) has its key where a 32-bit one has its type.
  if (length < 6 || length > size || head[4] >= ' ') return false;
  std::string bytes(length, '\0');
  if (!file.Read(data_offset, bytes.data(), bytes.size())) return false;
  *block = std::move(bytes);
  return true;
}

bool FindVersionResource(std::string_view file, std::string* block) {
  ReadAtFn read_at = [file](uint64_t offset, void* buffer, size_t n) {
    if (offset > file.size() || n > file.size() - offset) return false;
    std::memcpy(buffer, file.data() + offset, n);
    return true;
  };
  return FindVersionResource(read_at, file.size(), block);
}

bool QueryVersionBlock(std::string_view block, std::string_view path, VersionValue* value) {
  *value = VersionValue{};
  Node node;
  if (block.size() < 6 || static_cast<unsigned char>(block[4]) >= ' ') return false;
  if (!ParseNode(block, 0, block.size(), &node)) return false;
  size_t pos = 0;
  while (pos < path.size()) {
    if (path[pos] == '\\') {
      ++pos;
      continue;
    }
    size_t cut = path.find('\\', pos);
    if (cut == std::string_view::npos) cut = path.size();
    std::string_view name = path.substr(pos, cut - pos);
    pos = cut;
    bool found = false;
    size_t at = node.children;
    Node child;
    while (at < node.end && ParseNode(block, at, node.end, &child)) {
      if (KeyIs(block, child, name)) {
        found = true;
        break;
      }
      at = Align4(child.end);  // child.end > at: every node is 6 bytes or more
    }
    if (!found) return false;
    node = child;
  }
  value->bytes = block.substr(node.value, node.value_size);
  value->text = node.text;
  return true;
}

std::u16string VersionText(const VersionValue& value) {
  std::u16string text;
  const auto* b = reinterpret_cast<const unsigned char*>(value.bytes.data());
  for (size_t i = 0; i + 1 < value.bytes.size(); i += 2) {
    char16_t c = static_cast<char16_t>(U16(b + i));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

}  // namespace kit
