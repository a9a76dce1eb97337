// The system-wide reference counts of shared files: one REG_DWORD per file
// under HKEY_LOCAL_MACHINE, key shareddll::kKey, named by the file's full
// path exactly as the installation log records it (InstalledPath), counting
// the installations that use it. The installer raises a count, the
// uninstaller lowers it.
//
// Called by TInstallFile::UpdateSharedDLLCount when the file is installed,
// for a file with UpdateDLLCounter set, whether
// the file was written or an existing one was kept; a False answer there
// raises EAIIFCannotUpdateDLLCountInRegistry.
#pragma once

#include <cstdint>
#include <string>

namespace kit {

namespace shareddll {
inline constexpr const char* kKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
}  // namespace shareddll

// The count of the file: 0 when it is missing or is not a REG_DWORD.
uint32_t SharedDLLCount(const std::string& path);

// Raises the count of the file at `path` (its DestPath) by one, a missing or
// unreadable count counting as 0; true when the new count was written. The
// key is created when missing; when it cannot be opened, raises an Exception
// "Could not open the key SharedDLLs key in the registry. File component %s.
// GetLastError return: %d" (translated) with the component's name and the
// system's error code. A count at its largest value stays there.
bool UpdateSharedDLLCount(const std::string& path, const std::string& component_name);

}  // namespace kit
