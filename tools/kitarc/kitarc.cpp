// kitarc: builds, lists, extracts, verifies and splits archives on host paths.
//
//   kitarc add ARCHIVE [--only-add] [--level none|fastest|default|max] [--jobs N] FILE...
//   kitarc list ARCHIVE [--offset N]
//   kitarc extract ARCHIVE DIR [--offset N] [--overwrite always|never|version|date|versiondate] [MEMBER...]
//   kitarc verify ARCHIVE [--offset N]
//   kitarc split ARCHIVE DIR --volume-size BYTES
#include <algorithm>
#include <cstdio>
#include <map>
#include <new>
#include <sys/stat.h>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "archive/file_date.h"
#include "platform/threads.h"
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
               "usage: kitarc add ARCHIVE [--only-add] [--level none|fastest|default|max] [--jobs N] FILE...\n"
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

// Takes "--name VALUE" options listed in `with_value` and bare flags listed
// in `flags` out of args; false on an unknown option or a missing value.
bool TakeOptions(std::vector<std::string>& args, const std::vector<std::string>& with_value,
                 const std::vector<std::string>& flags, std::map<std::string, std::string>* options) {
  std::vector<std::string> rest;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0) {
      rest.push_back(a);
    } else if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
      (*options)[a] = "";
    } else if (std::find(with_value.begin(), with_value.end(), a) != with_value.end()) {
      if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) return false;
      (*options)[a] = args[++i];
    } else {
      return false;
    }
  }
  args = rest;
  return true;
}

// Paths in messages in the one separator style of this host.
std::string HostSeparators(std::string text) {
#ifdef _WIN32
  std::replace(text.begin(), text.end(), '/', '\\');
#else
  std::replace(text.begin(), text.end(), '\\', '/');
#endif
  return text;
}

// Makes the folder `dir` and its parents, or says why it cannot be made.
void MakeFolder(std::string dir) {
  namespace fsys = std::filesystem;
  while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
  std::error_code ec;
  if (fsys::is_directory(dir, ec)) return;
  fsys::create_directories(dir, ec);
  if (!ec && fsys::is_directory(dir, ec)) return;
  // Name the part of the path that is in the way.
  for (fsys::path p = fsys::path(dir); !p.empty() && p != p.parent_path(); p = p.parent_path()) {
    std::error_code e2;
    auto st = fsys::symlink_status(p, e2);
    if (!e2 && fsys::exists(st) && !fsys::is_directory(fsys::status(p, e2)))
      throw Exception("Cannot create the folder " + dir + ": " + p.string() + " is not a folder");
  }
  throw Exception("Cannot create the folder " + dir + (ec ? ": " + ec.message() : std::string()));
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

// Unix permissions a new file gets, for an archive written under a temporary name.
void GiveNewFilePermissions(const std::string& path, const std::string& like) {
  namespace fsys = std::filesystem;
  std::error_code ec;
  auto st = fsys::status(like, ec);
  if (!ec && fsys::exists(st)) {
    fsys::permissions(path, st.permissions(), ec);
    return;
  }
#ifndef _WIN32
  mode_t mask = umask(0);
  umask(mask);
  fsys::permissions(path, static_cast<fsys::perms>(0666 & ~mask), ec);
#endif
}

int Add(HostFileSystem& fs, std::vector<std::string> args) {
  std::map<std::string, std::string> opt;
  if (!TakeOptions(args, {"--level", "--jobs"}, {"--only-add"}, &opt)) return Usage();
  // Members compressed at once; the archive is the same for any count.
  long long jobs = ProcessorCount();
  if (opt.count("--jobs") && (!ParseInt(opt["--jobs"], &jobs) || jobs < 1 || jobs > 64)) return Usage();
  bool only_add = opt.count("--only-add") > 0;
  TCompressionLevel level = colMax;
  if (opt.count("--level")) {
    const std::string& l = opt["--level"];
    if (l == "none") level = colNone;
    else if (l == "fastest") level = colFastest;
    else if (l == "default") level = colDefault;
    else if (l == "max") level = colMax;
    else return Usage();
  }
  if (args.size() < 2) return Usage();
  std::string archive = WithDirectory(args[0]);
  std::vector<std::string> files(args.begin() + 1, args.end());
  for (const std::string& f : files)
    if (SameFile(f, archive)) throw Exception("The archive " + archive + " is also a file to add: " + f);
  bool in_place = only_add && std::filesystem::exists(archive);
  // A new archive is written beside the old one and replaces it only when
  // complete, so a failed run leaves the old archive as it was.
  std::string target = archive;
  if (!in_place) {
    std::string dir = archive_paths::FilePath(archive);
    MakeFolder(dir);
    if (!fs.TempFileName(dir, "lzh", &target)) throw Exception("Cannot create a temporary file in " + dir);
  }
  try {
    TKblnCompress engine(nullptr, fs);
    ProgressBar bar("adding");
    engine.OnStatus = [&](TKblnCompress&, const TlzhFileStats& s) { bar.Show(s, false); };
    engine.SetCompressedFile(target);
    engine.SetCompressionLevel(level);
    engine.SetJobs(static_cast<int>(jobs));
    engine.SetFilesToProcess(files);
    engine.AddFiles(only_add && in_place);
    if (!in_place) {
      GiveNewFilePermissions(target, archive);
      if (!fs.MoveEx(target, archive, kit::movefile::kReplaceExisting))
        throw Exception("Cannot replace " + archive);
    }
  } catch (...) {
    if (!in_place) fs.RemoveFile(target);
    throw;
  }
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
      std::fprintf(stderr, "kitarc: %s: member %s: %s\n", verb, m.c_str(), HostSeparators(e.Message()).c_str());
      return 1;
    }
  }
  return 0;
}

int Extract(HostFileSystem& fs, std::vector<std::string> args) {
  int32_t offset = 0;
  if (!OffsetOption(args, &offset)) return Usage();
  std::map<std::string, std::string> opt;
  if (!TakeOptions(args, {"--overwrite"}, {}, &opt)) return Usage();
  TOverwriteType overwrite = owAlways;
  if (opt.count("--overwrite")) {
    const std::string& o = opt["--overwrite"];
    if (o == "always") overwrite = owAlways;
    else if (o == "never") overwrite = owNever;
    else if (o == "version") overwrite = owVersion;
    else if (o == "date") overwrite = owDate;
    else if (o == "versiondate") overwrite = owVersionDate;
    else return Usage();
  }
  if (args.size() < 2) return Usage();
  std::vector<std::string> members(args.begin() + 2, args.end());
  // The archive must open and name every member before the folder is made.
  TKblnCompress probe(nullptr, fs);
  OpenArchive(probe, args[0], offset);
  if (members.empty())
    for (int i = 0; i < probe.Headers().Count(); ++i) members.push_back(probe.Headers().FileHeaders(i)->FileName());
  for (const std::string& m : members)
    if (probe.Headers().IndexOf(m) < 0) throw Exception("The archive has no member " + m);
  namespace fsys = std::filesystem;
  std::error_code ec;
  if (fsys::exists(args[1], ec) && !fsys::is_directory(args[1], ec))
    throw Exception(args[1] + " is not a directory");
  std::string dir = fsys::absolute(args[1]).string();
  for (const std::string& m : members) {
    fsys::path dest = fsys::path(dir) / archive_paths::FileName(m);
    if (SameFile(dest.string(), WithDirectory(args[0])))
      throw Exception("Member " + m + " would overwrite the archive being read: " + dest.string());
  }
  MakeFolder(args[1]);
  return ExtractAll(fs, args[0], offset, dir, overwrite, members, "extract");
}

int Verify(HostFileSystem& fs, std::vector<std::string> args) {
  int32_t offset = 0;
  if (!OffsetOption(args, &offset) || args.size() != 1) return Usage();
  // Each member is inflated once into nothing: no disk space, and names
  // that cannot be file names here do not matter.
  TKblnCompress engine(nullptr, fs);
  OpenArchive(engine, args[0], offset);
  int count = engine.Headers().Count();
  for (int i = 0; i < count; ++i) {
    std::string member = engine.Headers().FileHeaders(i)->FileName();
    try {
      engine.TestMember(i);
    } catch (const Exception& e) {
      std::fprintf(stderr, "kitarc: verify: member %s: %s\n", member.c_str(), HostSeparators(e.Message()).c_str());
      return 1;
    }
  }
  if (engine.Headers().MultiVolume == 0) {
    int64_t end = static_cast<int64_t>(offset) + engine.StructureEnd();
    std::error_code ec;
    auto size = static_cast<int64_t>(std::filesystem::file_size(args[0], ec));
    if (!ec && size > end) {
      std::fprintf(stderr, "kitarc: verify: %lld byte(s) after the last member\n",
                   static_cast<long long>(size - end));
      return 1;
    }
  }
  std::printf("%d member(s) verified\n", count);
  return 0;
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
  MakeFolder(args[1]);
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
  kit::SetSharedVersionLookup(kit::ReaderFileVersion);
  struct Stop {
    ~Stop() {
      kit::SetSharedVersionLookup(nullptr);
      kit::StopVersionResources();
    }
  } stop;
  try {
    if (cmd == "add") return Add(fs, args);
    if (cmd == "list") return List(fs, args);
    if (cmd == "extract") return Extract(fs, args);
    if (cmd == "verify") return Verify(fs, args);
    if (cmd == "split") return Split(fs, args);
  } catch (const kit::Exception& e) {
    std::fprintf(stderr, "kitarc: %s: %s\n", e.ClassName(), HostSeparators(e.Message()).c_str());
    return 1;
  } catch (const std::filesystem::filesystem_error& e) {
    std::string path = e.path1().empty() ? "" : HostSeparators(e.path1().string()) + ": ";
    std::fprintf(stderr, "kitarc: %s: %s%s\n", cmd.c_str(), path.c_str(), e.code().message().c_str());
    return 1;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "kitarc: %s: out of memory\n", cmd.c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kitarc: %s: %s\n", cmd.c_str(), e.what());
    return 1;
  }
  return Usage();
}
