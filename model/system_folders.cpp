#include "model/system_folders.h"

#include "base/exception.h"
#include "base/paths.h"
#include "model/errors.h"
#include "platform/current_platform.h"
#include "system/registry_routines.h"

namespace kit {
namespace {

constexpr const char* kShellFolders =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kCurrentVersion = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

struct Directories {
  bool read = false;
  std::string windows;
  std::string system;
};

Directories& Kept() {
  static Directories dirs;
  return dirs;
}

const Directories& Read() {
  const Directories& d = Kept();
  if (!d.read)
    throw EInvalidOp("The Windows and system directories have not been read "
                     "(ReadSystemDirectories is called at start-up)");
  return d;
}

// The folder from the registry, or the fallback (computed only when needed);
// either loses one trailing backslash.
template <class Fallback>
std::string LookUp(int root_code, const char* key, const char* value, Fallback fallback) {
  std::string dir;
  if (!TryReadRegistryString(root_code, key, value, &dir)) dir = fallback();
  return RemoveTrailingBackslash(dir);
}

std::string CurrentDrive() { return ExtractFileDrive(CurrentPlatform().Files().CurrentDir()); }

}  // namespace

void ReadSystemDirectories() {
  SystemInfo& system = CurrentPlatform().System();
  std::string windows, system_dir;
  if (!system.WindowsDirectory(&windows)) throw EAICannotGetWindowsDir();
  if (!system.SystemDirectory(&system_dir)) throw EAICannotGetSystemDir();
  Directories& d = Kept();
  d.windows = RemoveTrailingBackslash(windows);
  d.system = RemoveTrailingBackslash(system_dir);
  d.read = true;
}

const std::string& WindowsDir() { return Read().windows; }
const std::string& SystemDir() { return Read().system; }

std::string GetStartMenuDir() {
  return LookUp(rootcode::kCurrentUser, kShellFolders, "Start Menu",
                [] { return WindowsDir() + "\\Startmen"; });
}

std::string GetProgramMenuDir() {
  return LookUp(rootcode::kCurrentUser, kShellFolders, "Programs",
                [] { return GetStartMenuDir() + "\\Programs"; });
}

std::string GetDesktopDir() {
  return LookUp(rootcode::kCurrentUser, kShellFolders, "Desktop",
                [] { return WindowsDir() + "\\Desktop"; });
}

std::string GetFontDir() {
  return LookUp(rootcode::kCurrentUser, kShellFolders, "Fonts", [] { return SystemDir(); });
}

std::string GetStartUpDir() {
  return LookUp(rootcode::kCurrentUser, kShellFolders, "Startup",
                [] { return WindowsDir() + "\\Startup"; });
}

std::string GetProgramFilesDir() {
  return LookUp(rootcode::kLocalMachine, kCurrentVersion, "ProgramFilesDir",
                [] { return CurrentDrive() + "\\Program Files"; });
}

std::string GetCommonFilesDir() {
  return LookUp(rootcode::kLocalMachine, kCurrentVersion, "CommonFilesDir",
                [] { return CurrentDrive() + "\\Program Files\\Common Files"; });
}

bool FolderOfSpecifier(TPathSpecifiers type, std::string* dir) {
  switch (type) {
    case ddSystem: *dir = SystemDir(); return true;
    case ddWindows: *dir = WindowsDir(); return true;
    case ddProgramFilesDir: *dir = GetProgramFilesDir(); return true;
    case ddCommonFilesDir: *dir = GetCommonFilesDir(); return true;
    case ddDesktopMenuDir: *dir = GetDesktopDir(); return true;
    case ddProgramMenuDir: *dir = GetProgramMenuDir(); return true;
    case ddStartMenuDir: *dir = GetStartMenuDir(); return true;
    case ddFontDir: *dir = GetFontDir(); return true;
    case ddStartUpMenuDir: *dir = GetStartUpDir(); return true;
    default: return false;
  }
}

}  // namespace kit
