#include "files/bench/bench_engine.h"

#include "archive/kbln_compress.h"
#include "files/install_engine.h"

namespace kit::bench {

void Compress(FileSystem& fs, const std::string& archive, const std::vector<std::string>& sources) {
  TKblnCompress engine(nullptr, fs);
  engine.SetCompressedFile(archive);
  engine.SetFilesToProcess(sources);
  engine.AddFiles(false);
}

void Extract(FileSystem& fs, const std::string& archive, const std::vector<std::string>& names,
             const std::string& dir) {
  TKblnCompress engine(nullptr, fs);
  engine.SetCompressedFile(archive);
  engine.SetExtractDirectory(dir);
  engine.SetFilesToProcess(names);
  engine.ExtractFiles();
}

void FreeInstallEngine() { ResetInstallEngine(); }

}  // namespace kit::bench
