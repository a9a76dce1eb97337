#include "system/file_replacer.h"

#include <cstring>

#include "base/exception.h"
#include "base/paths.h"
#include "platform/current_platform.h"
#include "system/install_log.h"
#include "system/system_errors.h"
#include "system/translated_format.h"

namespace kit {
namespace {

bool ShortNameChar(unsigned char c) {
  if (c >= 0x80) return true;
  if (c <= ' ') return false;
  return std::strchr("\"*+,./:;<=>?[\\]|", c) == nullptr;
}

bool ShortPart(const std::string& part, size_t max) {
  if (part.size() > max) return false;
  for (unsigned char c : part)
    if (!ShortNameChar(c)) return false;
  return true;
}

// A path as a batch-file argument: quoted when it holds a blank.
std::string BatchArgument(const std::string& path) {
  return path.find_first_of(" \t") != std::string::npos ? "\"" + path + "\"" : path;
}

std::string StemOf(const std::string& name) { return ChangeFileExt(name, ""); }

// A stem that is valid in an 8.3 name: the characters 8.3 names allow, up to
// the first dot, at most eight of them ("my.lib" gives "my").
std::string ShortStem(const std::string& stem) {
  std::string out;
  for (unsigned char c : stem) {
    if (c == '.') break;
    if (ShortNameChar(c)) out += static_cast<char>(c);
    if (out.size() == 8) break;
  }
  return out.empty() ? std::string("_") : out;
}

// Writes the batch file that swaps the files at the next start: a fresh
// file next to the temporary file the system made for it, which is removed.
std::string WriteBatchFile(FileSystem& fs, const std::string& short_target,
                           const std::string& short_new) {
  const std::string cannot_create = TranslatedFormat("Cannot create temporary file in OnReplace", {});
  std::string temp_dir;
  if (!fs.TempDirectory(&temp_dir)) throw Exception(cannot_create);
  const std::string text = "erase " + BatchArgument(short_target) + "\r\n" + "move " +
                           BatchArgument(short_new) + " " + BatchArgument(short_target) + "\r\n";
  // A ".bat" of the same stem left by an earlier run that still waits for
  // its restart must not be overwritten: take the next temporary name then.
  std::vector<std::string> reserved;
  struct Cleanup {
    FileSystem& fs;
    std::vector<std::string>& names;
    ~Cleanup() {
      for (const auto& n : names) fs.RemoveFile(n);
    }
  } cleanup{fs, reserved};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temp;
    if (!fs.TempFileName(temp_dir, "bat", &temp)) throw Exception(cannot_create);
    reserved.push_back(temp);
    const std::string batch = ChangeFileExt(temp, ".bat");
    auto file = fs.Open(batch, FileAccess::kWrite, share::kNone, Disposition::kCreateNew);
    if (!file) {
      if (fs.Attributes(batch) != attr::kInvalid) continue;
      throw Exception(TranslatedFormat("Cannot create the file %s", {batch}));
    }
    uint32_t written = 0;
    const bool ok = file->Write(text.data(), static_cast<uint32_t>(text.size()), &written) &&
                    written == text.size();
    file.reset();
    if (!ok) {
      fs.RemoveFile(batch);
      throw Exception(TranslatedFormat("Cannot write the file %s", {batch}));
    }
    return batch;
  }
  throw Exception(cannot_create);
}

}  // namespace

bool IsShortFileName(const std::string& name) {
  const size_t dot = name.find('.');
  const std::string stem = name.substr(0, dot);
  if (stem.empty() || !ShortPart(stem, 8)) return false;
  if (dot == std::string::npos) return true;
  return ShortPart(name.substr(dot + 1), 3);
}

std::string FreeReplacementName(const std::string& dest_dir, const std::string& dest_name,
                                const std::string& short_stem) {
  FileSystem& fs = CurrentPlatform().Files();
  std::string base = dest_name;
  // The whole new name must be 8.3, not only what is left of the last dot.
  if (!short_stem.empty() && !IsShortFileName(ChangeFileExt(dest_name, ".1")))
    base = ShortStem(short_stem);
  const std::string dir = IncludeTrailingBackslash(dest_dir);
  for (int n = 1; n <= replacer::kMaxTempNumber; ++n) {
    std::string ext = std::to_string(n);
    ext.insert(ext.begin(), '.');
    std::string name = ChangeFileExt(base, ext);
    if (fs.Attributes(dir + name) == attr::kInvalid) return name;
  }
  return std::string();
}

FileReplacement ReplaceFileInUse(const std::string& dest_dir, const std::string& dest_name,
                                 bool has_driver) {
  Platform& platform = CurrentPlatform();
  FileSystem& fs = platform.Files();
  FileReplacement r;
  r.target = InstalledPath(dest_dir, dest_name);
  // The old file stays whole: the new one is written beside it and moved
  // over it only when complete. A file nobody holds can be opened for
  // writing without sharing; one that is in use cannot.
  if (!fs.Exists(r.target)) return r;
  if (fs.Open(r.target, FileAccess::kWrite, share::kNone, Disposition::kOpenExisting)) return r;

  // In use: the new file goes beside it and the swap waits for the restart.
  r.in_use = true;
  r.reboot_needed = true;
  r.platform_class = PlatformClass(platform.System());
  if (r.platform_class < 0)
    throw Exception("Could not get information about the current version of Windows");

  if (!fs.ShortPath(r.target, &r.short_target)) r.short_target = r.target;
  const std::string short_dir = ExtractFilePath(r.short_target);
  const std::string short_stem =
      r.platform_class == 1 ? StemOf(ExtractFileName(r.short_target)) : std::string();
  r.temp_name = FreeReplacementName(dest_dir, dest_name, short_stem);
  if (r.temp_name.empty())
    throw Exception(TranslatedFormat("There is no free name left beside the file %s", {r.target}));
  r.new_path = IncludeTrailingBackslash(dest_dir) + r.temp_name;
  r.short_new = short_dir + r.temp_name;

  if (r.platform_class == 1) {
    std::string windows;
    if (!platform.System().WindowsDirectory(&windows)) throw EAICannotGetWindowsDir();
    const std::string wininit = IncludeTrailingBackslash(windows) + "WININIT.INI";
    if (!platform.Ini().Write(wininit, replacer::kWininitSection, r.short_target, r.short_new))
      throw Exception(TranslatedFormat("Could not write the entry %s=%s into section [%s] of %s",
                                       {r.short_target, r.short_new, replacer::kWininitSection,
                                        wininit}));
    r.method = ReplaceMethod::kWininit;
    return r;
  }

  // Replace-existing: the old file is still there when the move is made.
  if (fs.MoveEx(r.new_path, r.target, movefile::kDelayUntilReboot | movefile::kReplaceExisting)) {
    r.method = ReplaceMethod::kDelayedMove;
    return r;
  }
  if (!has_driver) {
    r.method = ReplaceMethod::kNotScheduled;
    return r;
  }
  r.batch_file = WriteBatchFile(fs, r.short_target, r.short_new);
  r.unfinished.push_back({r.batch_file, 1});
  r.method = ReplaceMethod::kBatch;
  return r;
}

}  // namespace kit
