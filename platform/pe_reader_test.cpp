#include "platform/pe_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/version_fixtures.h"
#include "platform/version_source.h"

namespace kit {
namespace {

using testing::FixtureBytes;
using testing::PutLe32;

std::string Le16(uint16_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

std::string Wide(const std::string& ascii) {
  std::string out;
  for (char c : ascii) out += Le16(static_cast<unsigned char>(c));
  return out;
}

// A node of a hand-made version block.
struct Node {
  std::string key;
  std::string value;     // raw bytes
  bool text = false;
  int value_length = -1;  // wValueLength; by default from the value
  std::vector<Node> children;
};

void Pad(std::string* s) {
  while (s->size() % 4 != 0) s->push_back('\0');
}

std::string Build(const Node& n) {
  std::string body = Wide(n.key) + Le16(0);
  std::string out(6, '\0');
  out += body;
  Pad(&out);
  out += n.value;
  for (const Node& c : n.children) {
    Pad(&out);
    out += Build(c);
  }
  int vl = n.value_length >= 0 ? n.value_length
                               : static_cast<int>(n.text ? n.value.size() / 2 : n.value.size());
  std::string head = Le16(static_cast<uint16_t>(out.size())) + Le16(static_cast<uint16_t>(vl)) +
                     Le16(n.text ? 1 : 0);
  out.replace(0, 6, head);
  return out;
}

Node Text(const std::string& key, const std::string& value) {
  return Node{key, Wide(value) + Le16(0), true, -1, {}};
}

std::string Query(std::string_view block, std::string_view path, bool* ok = nullptr) {
  VersionValue v;
  bool found = QueryVersionBlock(block, path, &v);
  if (ok) *ok = found;
  if (!found) return "<none>";
  return v.text ? Latin1FromWide(VersionText(v)) : std::string(v.bytes);
}

TEST(PeReader, FindsTheVersionBlockOfEveryFixture) {
  for (const char* name : {"program.exe", "library_de.dll", "driver.drv", "font.fon", "selfreg.ocx"}) {
    SCOPED_TRACE(name);
    std::string pe = FixtureBytes(name);
    ASSERT_FALSE(pe.empty());
    std::string block;
    ASSERT_TRUE(FindVersionResource(pe, &block));
    ASSERT_GE(block.size(), 6u);
    EXPECT_EQ(static_cast<unsigned char>(block[0]) | (static_cast<unsigned char>(block[1]) << 8),
              static_cast<int>(block.size()));
    EXPECT_EQ(block.substr(6, 30), Wide("VS_VERSION_INFO"));
    EXPECT_EQ(block, pe.substr(testing::VersionBlockOffset(pe), block.size()));
  }
  std::string block = "stale";
  EXPECT_FALSE(FindVersionResource(FixtureBytes("noversion.dll"), &block));
  EXPECT_EQ(block, "");
  EXPECT_FALSE(FindVersionResource(FixtureBytes("readme.txt"), &block));
  EXPECT_FALSE(FindVersionResource(std::string_view(), &block));
}

TEST(PeReader, ReadsThroughTheCallbackOnlyInsideTheFile) {
  std::string pe = FixtureBytes("program.exe");
  int calls = 0;
  ReadAtFn read_at = [&](uint64_t offset, void* buffer, size_t n) {
    ++calls;
    EXPECT_LE(offset + n, pe.size());
    if (offset + n > pe.size()) return false;
    std::memcpy(buffer, pe.data() + offset, n);
    return true;
  };
  std::string a, b;
  ASSERT_TRUE(FindVersionResource(read_at, pe.size(), &a));
  ASSERT_TRUE(FindVersionResource(pe, &b));
  EXPECT_EQ(a, b);
  EXPECT_GT(calls, 0);
  EXPECT_LT(calls, 40);
  // A reader that fails is a file that cannot be read.
  ReadAtFn failing = [](uint64_t, void*, size_t) { return false; };
  EXPECT_FALSE(FindVersionResource(failing, pe.size(), &a));
}

TEST(PeReader, WalksTheTreeAsVerQueryValueDoes) {
  std::string block;
  ASSERT_TRUE(FindVersionResource(FixtureBytes("program.exe"), &block));
  bool ok = false;
  std::string root = Query(block, "\\", &ok);
  ASSERT_TRUE(ok);
  ASSERT_EQ(root.size(), FixedFileInfo::kSize);
  FixedFileInfo fixed;
  ASSERT_TRUE(DecodeFixedFileInfo(root, &fixed));
  EXPECT_EQ(fixed.file_version_ms, 0x00040000u);
  EXPECT_EQ(fixed.file_version_ls, (1381u << 16) | 1u);
  EXPECT_EQ(Query(block, ""), root);

  EXPECT_EQ(Query(block, "\\StringFileInfo\\040904E4\\ProductName"), "Fixture Suite");
  EXPECT_EQ(Query(block, "\\stringfileinfo\\040904e4\\PRODUCTNAME"), "Fixture Suite");
  EXPECT_EQ(Query(block, "\\\\StringFileInfo\\\\040904E4\\ProductName\\"), "Fixture Suite");
  EXPECT_EQ(Query(block, "StringFileInfo\\040904E4\\FileVersion"), "4.00");
  EXPECT_EQ(Query(block, "\\StringFileInfo\\040904E4\\Product"), "<none>");
  EXPECT_EQ(Query(block, "\\StringFileInfo\\040904E4\\ProductNameX"), "<none>");
  EXPECT_EQ(Query(block, "\\StringFileInfo\\040704E4\\ProductName"), "<none>");
  EXPECT_EQ(Query(block, "\\StringFileInfo\\040904E4\\ProductName\\More"), "<none>");
  EXPECT_EQ(Query(block, "\\VarFileInfo\\Translation"), std::string("\x09\x04\xE4\x04", 4));
  // An inner node exists, with no value of its own.
  EXPECT_EQ(Query(block, "\\StringFileInfo\\040904E4", &ok), "");
  EXPECT_TRUE(ok);
}

TEST(PeReader, HandMadeBlocksWithOddValuesAndBrokenNodes) {
  Node root{"VS_VERSION_INFO", "abc", false, -1, {}};  // a 3-byte value: children realign
  root.children.push_back(Node{"A", "", false, -1, {Text("k", "v1"), Text("Odd", "x")}});
  root.children.push_back(Node{"B", "\x01\x02\x03\x04\x05", false, -1, {}});
  std::string block = Build(root);
  EXPECT_EQ(Query(block, "\\"), "abc");
  EXPECT_EQ(Query(block, "\\A\\k"), "v1");
  EXPECT_EQ(Query(block, "\\A\\odd"), "x");
  EXPECT_EQ(Query(block, "\\B"), "\x01\x02\x03\x04\x05");

  // A text length in characters that runs past the node is cut at the node.
  Node over = Text("k", "abc");
  over.value_length = 500;
  std::string b2 = Build(Node{"VS_VERSION_INFO", "", false, -1, {over, Text("n", "next")}});
  EXPECT_EQ(Query(b2, "\\k"), "abc");
  EXPECT_EQ(Query(b2, "\\n"), "next");

  // A child of length 0 ends the walk instead of looping.
  std::string b3 = Build(Node{"VS_VERSION_INFO", "", false, -1, {Text("a", "1"), Text("b", "2")}});
  size_t second = b3.find(Wide("b") + Le16(0)) - 6;
  std::string zero = b3;
  zero[second] = zero[second + 1] = 0;
  EXPECT_EQ(Query(zero, "\\a"), "1");
  EXPECT_EQ(Query(zero, "\\b"), "<none>");

  // A child claiming more than its parent holds is cut to the parent.
  std::string big = b3;
  big[second] = static_cast<char>(0xFF);
  big[second + 1] = 0x7F;
  EXPECT_EQ(Query(big, "\\b"), "2");

  // A key without its terminating zero, an unknown node type, a 16-bit block.
  std::string noterm = Build(Node{"VS_VERSION_INFO", "", false, -1, {}});
  noterm.resize(6 + 30);  // header and key, without the zero
  noterm[0] = static_cast<char>(noterm.size());
  EXPECT_EQ(Query(noterm, "\\"), "<none>");
  std::string type2 = b3;
  type2[4] = 2;
  EXPECT_EQ(Query(type2, "\\a"), "<none>");
  const char k16[] = "\x20\x00\x00\x00VS_VERSION_INFO\0\0\0\0\0\0\0\0\0\0\0\0";
  std::string sixteen(k16, 32);  // wLength, wValueLength, then an 8-bit key
  EXPECT_EQ(Query(sixteen, "\\"), "<none>");
  EXPECT_EQ(Query(std::string_view("\x06\x00", 2), "\\"), "<none>");
}

TEST(PeReader, EveryTruncationOfAProgramIsHandled) {
  std::string pe = FixtureBytes("program.exe");
  std::string whole;
  ASSERT_TRUE(FindVersionResource(pe, &whole));
  const size_t block_end = testing::VersionBlockOffset(pe) + whole.size();
  for (size_t n = 0; n <= pe.size(); ++n) {
    std::string block;
    bool found = FindVersionResource(std::string_view(pe.data(), n), &block);
    ASSERT_EQ(found, n >= block_end) << n;
    if (found) {
      ASSERT_EQ(block, whole);
    }
  }
}

TEST(PeReader, CorruptHeadersAndResourceDirectoriesGiveNoResource) {
  const std::string pe = FixtureBytes("program.exe");
  const size_t nt = testing::Le32(pe, 0x3C);
  const size_t rsrc = testing::ResourceSectionOffset(pe);
  ASSERT_GT(rsrc, 0u);
  auto fails = [](const std::string& bytes) {
    std::string block;
    return !FindVersionResource(bytes, &block) && block.empty();
  };
  std::string b;

  b = pe; PutLe32(&b, 0x3C, 0xFFFFFFF0u);           EXPECT_TRUE(fails(b)) << "e_lfanew";
  b = pe; b[nt + 6] = b[nt + 7] = static_cast<char>(0xFF);  EXPECT_TRUE(fails(b)) << "sections";
  b = pe; b[nt + 6] = b[nt + 7] = 0;                EXPECT_TRUE(fails(b)) << "no sections";
  b = pe; b[nt + 20] = b[nt + 21] = 0;              EXPECT_TRUE(fails(b)) << "optional header";
  b = pe; b[nt + 24] = 0x0C;                        EXPECT_TRUE(fails(b)) << "magic";
  // The data directories follow the optional header's fixed part, 16 bytes
  // further on in a PE32+ file (the x86-64 test build's fixtures).
  const size_t wide = (static_cast<unsigned char>(pe[nt + 25]) == 0x02) ? 16 : 0;
  b = pe; PutLe32(&b, nt + 24 + 92 + wide, 2);             EXPECT_TRUE(fails(b)) << "directory count";
  b = pe; PutLe32(&b, nt + 24 + 96 + wide + 16, 0x7FFFF000u); EXPECT_TRUE(fails(b)) << "resource rva";

  // The resource directory: root entry counts far beyond the section.
  b = pe; b[rsrc + 14] = b[rsrc + 15] = static_cast<char>(0xFF);  EXPECT_TRUE(fails(b)) << "count";
  // The type entry's subdirectory pointing back to the root, and outside.
  size_t type_entry = rsrc + 16;
  ASSERT_EQ(testing::Le32(pe, type_entry), 16u);
  b = pe; PutLe32(&b, type_entry + 4, 0x80000000u);  EXPECT_TRUE(fails(b)) << "loop";
  b = pe; PutLe32(&b, type_entry + 4, 0xFFFFFFFFu);  EXPECT_TRUE(fails(b)) << "outside";
  b = pe; PutLe32(&b, type_entry + 4, 0x00000000u);  EXPECT_TRUE(fails(b)) << "not a directory";
  // The data entry: a huge size, a size below the block, an RVA outside.
  const size_t names = rsrc + (testing::Le32(pe, type_entry + 4) & 0x7FFFFFFF);
  const size_t languages = rsrc + (testing::Le32(pe, names + 20) & 0x7FFFFFFF);
  const size_t data = rsrc + testing::Le32(pe, languages + 20);
  b = pe; PutLe32(&b, data + 4, 0x7FFFFFFFu);       EXPECT_TRUE(fails(b)) << "huge";
  b = pe; PutLe32(&b, data + 4, 0x00010000u);       EXPECT_TRUE(fails(b)) << "past the section";
  b = pe; PutLe32(&b, data + 4, 16);                EXPECT_TRUE(fails(b)) << "shorter than the block";
  b = pe; PutLe32(&b, data, 0x00100000u);           EXPECT_TRUE(fails(b)) << "data rva";
  b = pe; PutLe32(&b, languages + 20, 0x80000000u | static_cast<uint32_t>(languages - rsrc));
  EXPECT_TRUE(fails(b)) << "language level loop";
}

TEST(PeReader, SingleByteDamageAnywhereNeverBreaksTheReader) {
  const std::string pe = FixtureBytes("program.exe");
  for (size_t i = 0; i < pe.size(); ++i) {
    for (char value : {'\0', '\xFF', '\x80'}) {
      std::string b = pe;
      b[i] = value;
      std::string block;
      if (!FindVersionResource(b, &block)) continue;
      ASSERT_LE(block.size(), pelimit::kMaxVersionResource);
      VersionValue v;
      QueryVersionBlock(block, "\\", &v);
      QueryVersionBlock(block, "\\StringFileInfo\\040904E4\\ProductName", &v);
      QueryVersionBlock(block, "\\VarFileInfo\\Translation", &v);
      ASSERT_LE(v.bytes.size(), block.size());
    }
  }
}

}  // namespace
}  // namespace kit
