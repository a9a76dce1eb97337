// Replacing an installed file whose old copy is in use.
//
// Called by TInstallFile::ReplaceFile, the archive engine's OnReplace hook
// (the engine calls it only when its overwrite rule has decided to write
// over an existing destination). ReplaceFile first raises OnReplacing, the
// "ReplacingFile" dialog notice and "eieReplaceInstallFile", then calls
// ReplaceFileInUse: a file nobody holds is left whole for the engine to
// replace once the new one is complete; a file in use gets the new one
// under a free name beside it and the swap at the next start of Windows.
// With the
// answer ReplaceFile then:
//   - sets ReplacedAtReboot := in_use, and the engine's DestFileName :=
//     temp_name when in_use (the new file is written beside the old one);
//   - sets RebootNeeded when reboot_needed;
//   - records every entry of `unfinished`, in order, with the driver's
//     AddUnfinishedEntry (subject, kind);
//   - for ReplaceMethod::kBatch makes the "KobbelinBatLink" shell link to
//     batch_file in the Startup folder (class 2) or group (class 3) and
//     records that link in the unfinished-install list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kit {

enum class ReplaceMethod {
  kNone,          // the old file was missing or could be deleted
  kWininit,       // platform class 1: an entry in [Rename] of WININIT.INI
  kDelayedMove,   // MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT
  kNotScheduled,  // MoveFileEx failed and there is no driver to finish it
  kBatch,         // MoveFileEx failed: a batch file does the swap instead
};

// One entry of the driver's unfinished-install list: kind 0 the name of a
// component, 1 a file to delete, 2 a Program Manager item of "Startup".
struct UnfinishedEntry {
  std::string subject;
  int32_t kind = 0;
  bool operator==(const UnfinishedEntry&) const = default;
};

struct FileReplacement {
  ReplaceMethod method = ReplaceMethod::kNone;
  bool in_use = false;         // ReplacedAtReboot
  bool reboot_needed = false;  // RebootNeeded := True
  int platform_class = -1;     // set when in_use
  std::string target;          // DestPath
  // Set when in_use:
  std::string temp_name;     // the name the new file is written under
  std::string new_path;      // its full path
  std::string short_target;  // 8.3 form of target
  std::string short_new;     // short directory of target + temp_name
  std::string batch_file;    // kBatch: the ".bat" written
  std::vector<UnfinishedEntry> unfinished;
};

namespace replacer {
// Section of WININIT.INI that Windows 95 carries out at its next start.
inline constexpr const char* kWininitSection = "Rename";
// Largest number tried for the new file's extension.
constexpr int kMaxTempNumber = 999;
}  // namespace replacer

// Prepares the replacement of the file dest_dir + dest_name.
// has_driver: a TInstall driver exists (only then can a batch file be
// recorded to finish the work).
//
// Raises an Exception when the platform class cannot be found ("Could not
// get information about the current version of Windows"), when no free
// name is left beside the old file, when WININIT.INI cannot be written, and
// "Cannot create temporary file in OnReplace" when the batch file cannot be
// made; each message names what failed.
FileReplacement ReplaceFileInUse(const std::string& dest_dir, const std::string& dest_name,
                                 bool has_driver);

// The name the new file gets beside the old one: dest_name with its
// extension replaced by "." and the first number from 1 up for which
// nothing of that name exists in dest_dir. With `short_stem` (platform
// class 1, whose WININIT.INI knows only 8.3 names) a stem that is not a
// valid 8.3 stem is replaced by it. Empty when every number is taken.
std::string FreeReplacementName(const std::string& dest_dir, const std::string& dest_name,
                                const std::string& short_stem = std::string());

// True for a valid 8.3 file name: a stem of 1 to 8 and an extension of at
// most 3 characters, none of them blanks or characters 8.3 names forbid.
bool IsShortFileName(const std::string& name);

}  // namespace kit
