#include "archive/testing/archive_probe.h"

#include "archive/kbln_compress.h"
#include "archive/testing/memory_fs.h"

namespace kit::testing {

ProbeResult ProbeArchive(const std::string& bytes) {
  ProbeResult result;
  MemoryFileSystem fs;
  fs.SetCapacity('C', 64u << 20);
  // The input as a standalone archive, as the same bytes inside a larger
  // file, and as volume 1 (with a copy as volume 2) of a set.
  fs.PutFile("C:\\IN\\files.1", bytes);
  fs.PutFile("C:\\IN\\files.2", bytes);
  fs.PutFile("C:\\IN\\setup.exe", std::string(100, 'x') + bytes);
  fs.MakeDirectories("C:\\OUT");
  for (int round = 0; round < 2; ++round) {
    TKblnCompress engine(nullptr, fs);
    engine.SetCompressedFile(round == 0 ? "C:\\IN\\files.1" : "C:\\IN\\setup.exe");
    engine.SetOffset(round == 0 ? 0 : 100);
    int count = 0;
    try {
      count = engine.FileCount();
    } catch (const Exception&) {
      continue;
    }
    result.members = count;
    for (int i = 0; i < count; ++i) {
      std::string name = engine.Headers().FileHeaders(i)->FileName();
      engine.SetExtractDirectory("C:\\OUT");
      engine.SetOverwrite(i % 2 ? owAlways : owDate);
      engine.SetFilesToProcess({name});
      try {
        engine.ExtractFiles();
        ++result.extracted;
      } catch (const Exception&) {
      }
    }
  }
  for (const std::string& f : fs.AllFiles()) {
    std::string upper = f;
    for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    if (upper.rfind("C:\\OUT\\", 0) != 0 && upper.rfind("C:\\IN\\", 0) != 0) result.wrote_outside = true;
  }
  return result;
}

}  // namespace kit::testing
