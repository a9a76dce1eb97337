// The event types of install files and file containers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kit {

class TInstallContainer;
class TInstallFile;

using TInstallFileNotifyEvent = std::function<void(TInstallFile* file)>;
using TInstallFileStatusEvent =
    std::function<void(TInstallFile* file, int32_t file_percent_done, int32_t total_percent_done)>;
// Path starts as the directory where the disk's volume is expected; the
// handler may change it.
using TInstallFileNewDiskEvent =
    std::function<void(TInstallFile* file, int32_t new_disk, std::string& path)>;
using TAfterProcessFilesEvent = std::function<void(TInstallContainer* container, bool was_aborted)>;

// The information events of the runs over the files.
namespace event {
inline constexpr const char* kCompressingFile = "eieCompressingFile";
inline constexpr const char* kInstallingFile = "eieInstallingFile";
inline constexpr const char* kCopyingFileReport = "eieCopyingFile";
inline constexpr const char* kReplaceInstallFile = "eieReplaceInstallFile";
inline constexpr const char* kChangeDiskReport = "eieChangeDisk";
inline constexpr const char* kBeforeFileContainer = "eieBPFileContainer";
inline constexpr const char* kAfterFileContainer = "eieAPFileContainer";
inline constexpr const char* kBeforeInstallFile = "eieBeforeInstallFile";
inline constexpr const char* kAfterInstallFile = "eieAfterInstallFile";
inline constexpr const char* kBeforeCompressFile = "eieBeforeCompressFile";
inline constexpr const char* kAfterCompressFile = "eieAfterCompressFile";
inline constexpr const char* kBeforeCopyFile = "eieBeforeCopyFile";
inline constexpr const char* kAfterCopyFile = "eieAfterCopyFile";
// To the dialogs.
inline constexpr const char* kCopyingFile = "CopyingFile";
inline constexpr const char* kReplacingFile = "ReplacingFile";
inline constexpr const char* kChangeDisk = "ChangeDisk";
inline constexpr const char* kBeforeInstallFileGroup = "eccBeforeInstallFileGroup";
inline constexpr const char* kDoneCopyingFiles = "DoneCopyingFiles";
}  // namespace event

}  // namespace kit
