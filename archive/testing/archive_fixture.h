// Shared set-up of the archive tests: an in-memory machine, an engine on it
// with a version table standing in for version resources, and byte helpers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>

#include "archive/kbln_compress.h"
#include "archive/testing/memory_fs.h"

namespace kit::testing {

inline std::string RandomBytes(size_t n, uint32_t seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(gen() & 0xFF);
  return s;
}

inline int32_t Int32At(const std::string& bytes, size_t pos) {
  uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(bytes.at(pos + i));
  return static_cast<int32_t>(u);
}

inline void PutInt32(std::string& bytes, size_t pos, int32_t v) {
  for (int i = 0; i < 4; ++i) bytes.at(pos + i) = static_cast<char>(static_cast<uint32_t>(v) >> (8 * i));
}

class ArchiveTest : public ::testing::Test {
 protected:
  ArchiveTest() : engine(nullptr, fs, Services()) {}

  KblnServices Services() {
    KblnServices s;
    s.file_version = [this](const std::string& path) {
      auto it = versions.find(path);
      return it == versions.end() ? std::string() : it->second;
    };
    s.process_messages = [this] { ++pumps; };
    s.show_message = [this](const std::string& m) { messages.push_back(m); };
    s.last_error = [this] { return fs.last_error(); };
    return s;
  }

  // Builds C:\BUILD\files.1 from the given files at the given level.
  void Build(const std::vector<std::pair<std::string, std::string>>& files,
             TCompressionLevel level = colMax, const std::string& archive = "C:\\BUILD\\files.1") {
    std::vector<std::string> names;
    for (auto& [name, data] : files) {
      fs.PutFile(name, data);
      names.push_back(name);
    }
    engine.SetCompressedFile(archive);
    engine.SetCompressionLevel(level);
    engine.SetFilesToProcess(names);
    engine.AddFiles(false);
  }

  void Extract(const std::string& member, const std::string& dir = "C:\\OUT") {
    engine.SetExtractDirectory(dir);
    engine.SetFilesToProcess({member});
    engine.ExtractFiles();
  }

  MemoryFileSystem fs;
  std::map<std::string, std::string> versions;  // path -> version string
  int pumps = 0;
  std::vector<std::string> messages;
  TKblnCompress engine;
};

}  // namespace kit::testing
