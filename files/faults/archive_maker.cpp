#include "files/faults/archive_maker.h"

#include "archive/kbln_compress.h"
#include "files/install_engine.h"

namespace kit::testing {

void MakeArchiveOf(FileSystem& fs, const std::string& archive, const std::vector<std::string>& sources) {
  TKblnCompress engine(nullptr, fs);
  engine.SetCompressedFile(archive);
  engine.SetFilesToProcess(sources);
  engine.AddFiles(false);
}

void FreeEngine() { ResetInstallEngine(); }

}  // namespace kit::testing
