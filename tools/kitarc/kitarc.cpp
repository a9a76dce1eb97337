// kitarc: builds, lists, extracts, verifies and splits archives on host paths.
//
//   kitarc add ARCHIVE [--only-add] [--level none|fastest|default|max] FILE...
//   kitarc list ARCHIVE [--offset N]
//   kitarc extract ARCHIVE DIR [--offset N] [--overwrite always|never|version|date|versiondate] [MEMBER...]
//   kitarc verify ARCHIVE [--offset N]
//   kitarc split ARCHIVE DIR --volume-size BYTES
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "archive/file_date.h"
#include "platform/version_source.h"
#include "system/version_resource.h"
#include "archive/percent.h"
#include "archive/archive_paths.h"
#include "base/text.h"
#include "archive/kbln_compress.h"
#include "tools/kitarc/host_file_system.h"

namespace kit::tools {
namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: kitarc add ARCHIVE [--only-add] [--level none|fastest|default|max] FILE...\n"
               "       kitarc list ARCHIVE [--offset N]\n"
               "       kitarc extract ARCHIVE DIR [--offset N] [--overwrite always|never|version|date|versiondate] [MEMBER...]\n"
               "       kitarc verify ARCHIVE [--offset N]\n"
               "       kitarc split ARCHIVE DIR --volume-size BYTES\n");
  return 2;
}

// A one-line progress bar on the terminal, redrawn when the share changes.
class ProgressBar {
 public:
  explicit ProgressBar(const char* verb) : verb_(verb), on_(isatty(2) != 0) {}
  ~ProgressBar() { Done(); }
  void Show(const TlzhFileStats& s, bool whole_run_only) {
    if (!on_) return;
    int pct = s.TotalPercentDone;
    if (pct == last_ && s.FileName == name_) return;
    last_ = pct;
    name_ = s.FileName;
    int filled = pct * 30 / 100;
    std::string shown = name_.size() > 40 ? "..." + name_.substr(name_.size() - 37) : name_;
    std::fprintf(stderr, "\r%s [%.*s%*s] %3d%% %-40s", verb_, filled, "##############################",
                 30 - filled, "", pct, whole_run_only ? "" : shown.c_str());
    drawn_ = true;
  }
  void Done() {
    if (drawn_) std::fprintf(stderr, "\r%*s\r", 90, "");
    drawn_ = false;
  }

 private:
  const char* verb_;
  bool on_;
  bool drawn_ = false;
  int last_ = -1;
  std::string name_;
};

std::string DateText(double day_count) {
  uint32_t dos = FileDateToDos(day_count);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04u-%02u-%02u %02u:%02u:%02u", (dos >> 25) + 1980, (dos >> 21) & 15,
                (dos >> 16) & 31, (dos >> 11) & 31, (dos >> 5) & 63, (dos & 31) * 2);
  return buf;
}

bool ParseInt(const std::string& text, long long* value) {
  char* end = nullptr;
  *value = std::strtoll(text.c_str(), &end, 10);
  return !text.empty() && end && *end == 0;
}

// An archive path with a directory part, as the engine needs one.
std::string WithDirectory(const std::string& path) {
  if (!archive_paths::FilePath(path).empty()) return path;
  return (std::filesystem::current_path() / path).string();
}

int Add(HostFileSystem& fs, std::vector<std::string> args) {
  bool only_add = false;
  TCompressionLevel level = colMax;
  std::vector<std::string> files;
  std::string archive;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--only-add") {
      only_add = true;
    } else if (args[i] == "--level" && i + 1 < args.size()) {
      std::string l = args[++i];
      if (l == "none") level = colNone;
      else if (l == "fastest") level = colFastest;
      else if (l == "default") level = colDefault;
      else if (l == "max") level = colMax;
      else return Usage();
    } else if (archive.empty()) {
      archive = args[i];
    } else {
      files.push_back(args[i]);
    }
  }
  if (archive.empty() || files.empty()) return Usage();
  TKblnCompress engine(nullptr, fs);
  ProgressBar bar("adding");
  engine.OnStatus = [&](TKblnCompress&, const TlzhFileStats& s) { bar.Show(s, false); };
  engine.SetCompressedFile(WithDirectory(archive));
  engine.SetCompressionLevel(level);
  engine.SetFilesToProcess(files);
  engine.AddFiles(only_add);
  return 0;
}

bool OffsetOption(std::vector<std::string>& args, int32_t* offset) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--offset") continue;
    long long v = 0;
    if (i + 1 >= args.size() || !ParseInt(args[i + 1], &v) || v < 0 || v > INT32_MAX) return false;
    *offset = static_cast<int32_t>(v);
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    return true;
  }
  return true;
}

void OpenArchive(TKblnCompress& engine, const std::string& archive, int32_t offset) {
  engine.SetCompressedFile(WithDirectory(archive));
  engine.SetOffset(offset);
  engine.FileCount();
}

int List(HostFileSystem& fs, std::vector<std::string> args) {
  int32_t offset = 0;
  if (!OffsetOption(args, &offset) || args.size() != 1) return Usage();
  TKblnCompress engine(nullptr, fs);
  OpenArchive(engine, args[0], offset);
  TFileHeaders& t = engine.Headers();
  for (int i = 0; i < t.Count(); ++i) {
    TFileHeader& h = *t.FileHeaders(i);
    std::printf("%s\t%d\t%d\t%s\t%s\t%u:%d\t%u:%d\n", h.FileName().c_str(), h.FileSize, h.CompressedSize,
                DateText(h.FileDate).c_str(), h.FileVersion().c_str(), h.FirstDisk, h.DataStart, h.LastDisk,
                h.DataEnd);
  }
  return 0;
}

// Extracts each member into dir; the first failure names its member.
int ExtractAll(HostFileSystem& fs, const std::string& archive, int32_t offset, const std::string& dir,
               TOverwriteType overwrite, std::vector<std::string> members, const char* verb) {
  TKblnCompress engine(nullptr, fs);
  OpenArchive(engine, archive, offset);
  if (members.empty())
    for (int i = 0; i < engine.Headers().Count(); ++i) members.push_back(engine.Headers().FileHeaders(i)->FileName());
  ProgressBar bar(verb);
  engine.OnStatus = [&](TKblnCompress&, const TlzhFileStats& s) { bar.Show(s, false); };
  for (const std::string& m : members) {
    engine.SetExtractDirectory(dir);
    engine.SetOverwrite(overwrite);
    engine.SetFilesToProcess({m});
    try {
      engine.ExtractFiles();
    } catch (const Exception& e) {
      bar.Done();
      std::fprintf(stderr, "kitarc: %s: member %s: %s\n", verb, m.c_str(), e.Message().c_str());
      return 1;
    }
  }
  return 0;
}

int Extract(HostFileSystem& fs, std::vector<std::string> args) {
  int32_t offset = 0;
  if (!OffsetOption(args, &offset)) return Usage();
  TOverwriteType overwrite = owAlways;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--overwrite") continue;
    if (i + 1 >= args.size()) return Usage();
    std::string o = args[i + 1];
    if (o == "always") overwrite = owAlways;
    else if (o == "never") overwrite = owNever;
    else if (o == "version") overwrite = owVersion;
    else if (o == "date") overwrite = owDate;
    else if (o == "versiondate") overwrite = owVersionDate;
    else return Usage();
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    break;
  }
  if (args.size() < 2) return Usage();
  std::filesystem::create_directories(args[1]);
  std::vector<std::string> members(args.begin() + 2, args.end());
  std::string dir = std::filesystem::absolute(args[1]).string();
  return ExtractAll(fs, args[0], offset, dir, overwrite, members, "extract");
}

int Verify(HostFileSystem& fs, std::vector<std::string> args) {
  int32_t offset = 0;
  if (!OffsetOption(args, &offset) || args.size() != 1) return Usage();
  namespace fsys = std::filesystem;
  fsys::path scratch = fsys::temp_directory_path() / ("kitarc-verify-" + std::to_string(getpid()));
  fsys::create_directories(scratch);
  int rc = 1;
  try {
    // Each member goes into a scratch directory of its own, so that members
    // with the same file name do not meet.
    TKblnCompress engine(nullptr, fs);
    OpenArchive(engine, args[0], offset);
    int count = engine.Headers().Count();
    rc = 0;
    for (int i = 0; i < count && rc == 0; ++i) {
      std::string member = engine.Headers().FileHeaders(i)->FileName();
      fsys::path dir = scratch / std::to_string(i);
      fsys::create_directories(dir);
      rc = ExtractAll(fs, args[0], offset, dir.string(), owAlways, {member}, "verify");
      fsys::remove_all(dir);
    }
    if (rc == 0) std::printf("%d member(s) verified\n", count);
  } catch (...) {
    fsys::remove_all(scratch);
    throw;
  }
  fsys::remove_all(scratch);
  return rc;
}

int Split(HostFileSystem& fs, std::vector<std::string> args) {
  long long volume_size = -1;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--volume-size") continue;
    if (i + 1 >= args.size() || !ParseInt(args[i + 1], &volume_size) || volume_size < 5) return Usage();
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    break;
  }
  if (volume_size < 0 || args.size() != 2) return Usage();
  std::filesystem::create_directories(args[1]);
  std::string dir = std::filesystem::absolute(args[1]).string();
  std::string disk = archive_paths::ChangeExt(archive_paths::FileName(args[0]), ".1");
  // Every volume in DIR is a "disk" of that size.
  std::string vol_prefix = UpperCase(archive_paths::ChangeExt(disk, "."));
  fs.size_cap = [&](const std::string& path) -> int64_t {
    std::string name = UpperCase(archive_paths::FileName(path));
    return name.rfind(vol_prefix, 0) == 0 ? volume_size : -1;
  };
  TKblnCompress engine(nullptr, fs);
  ProgressBar bar("split");
  int volumes = 1;
  engine.OnStatus = [&](TKblnCompress&, const TlzhFileStats& s) { bar.Show(s, false); };
  engine.OnNewDisk = [&](TKblnCompress&, int n, std::string&) { volumes = std::max(volumes, n); };
  OpenArchive(engine, args[0], 0);
  engine.SplitToDisks(dir, disk);
  bar.Done();
  std::printf("%d volume(s)\n", volumes);
  return 0;
}

}  // namespace
}  // namespace kit::tools

int main(int argc, char** argv) {
  using namespace kit::tools;
  if (argc < 2) return Usage();
  std::string cmd = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  HostFileSystem fs;
  // Versions of the files on this host, for the version overwrite rules.
#ifdef _WIN32
  std::unique_ptr<kit::VersionSource> versions = kit::MakeWin32VersionSource();
#else
  std::unique_ptr<kit::VersionSource> versions = kit::MakePeVersionSource(fs);
#endif
  kit::StartVersionResources(versions.get(), argv[0]);
  struct Stop {
    ~Stop() { kit::StopVersionResources(); }
  } stop;
  try {
    if (cmd == "add") return Add(fs, args);
    if (cmd == "list") return List(fs, args);
    if (cmd == "extract") return Extract(fs, args);
    if (cmd == "verify") return Verify(fs, args);
    if (cmd == "split") return Split(fs, args);
  } catch (const kit::Exception& e) {
    std::fprintf(stderr, "\nkitarc: %s: %s\n", e.ClassName(), e.Message().c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "\nkitarc: %s\n", e.what());
    return 1;
  }
  return Usage();
}
