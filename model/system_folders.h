// The well-known directories that path specifiers stand for.
//
// The Windows and system directories are read once, at start-up, with
// ReadSystemDirectories; every other folder is looked up in the registry
// again at each call, so a resolution always reflects the registry of the
// moment. Every directory comes without a trailing backslash.
#pragma once

#include <string>

#include "model/path_specifiers.h"

namespace kit {

// Reads the Windows and system directories of CurrentPlatform() and keeps
// them for the rest of the run. The program's entry calls it once before
// anything resolves a path (a test calls it again for each machine). Raises
// EAICannotGetWindowsDir or EAICannotGetSystemDir; the directories kept
// before stay as they were then.
void ReadSystemDirectories();
// The directories kept by ReadSystemDirectories; EInvalidOp before it ran.
const std::string& WindowsDir();
const std::string& SystemDir();

// The shell folders of the current user, from
// HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders,
// and the program-files folders from
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion. A key that
// is missing or cannot be opened with full access, or a value that is
// missing or not a string, gives the fallback named here; an empty value
// gives an empty directory.
std::string GetStartMenuDir();     // "Start Menu"; WindowsDir + "\Startmen"
std::string GetProgramMenuDir();   // "Programs"; GetStartMenuDir + "\Programs"
std::string GetDesktopDir();       // "Desktop"; WindowsDir + "\Desktop"
std::string GetFontDir();          // "Fonts"; SystemDir
std::string GetStartUpDir();       // "Startup"; WindowsDir + "\Startup"
// "ProgramFilesDir"; the current directory's drive + "\Program Files"
std::string GetProgramFilesDir();
// "CommonFilesDir"; the current directory's drive + "\Program Files\Common Files"
std::string GetCommonFilesDir();

// The directory a specifier stands for when it names a fixed folder
// (ddSystem, ddWindows, ddProgramFilesDir, ddCommonFilesDir, and the five
// shell folders ddDesktopMenuDir .. ddStartUpMenuDir); false for every
// other specifier.
bool FolderOfSpecifier(TPathSpecifiers type, std::string* dir);

}  // namespace kit
