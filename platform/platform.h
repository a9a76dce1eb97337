// The platform layer: every operating-system service the kit uses, as small
// abstract interfaces. Two backends implement them: the real Win32 API
// (platform/win32) and an emulated Windows machine kept in a host directory
// (platform/emulated). Code above this layer never calls the OS itself; it is
// handed a Platform& by the program's entry point.
//
// Interface names stay clear of the Win32 macro names (DeleteFile,
// RemoveDirectory, LoadLibrary, ExitWindows ...), so windows.h can never
// rename them in one translation unit and not in another.
//
// Conventions shared by every interface:
// - Strings are 8-bit text in the machine's ANSI code page; paths are Windows
//   paths ("C:\Dir\File.ext"), compared without regard to letter case.
// - An operation that can fail returns bool (or an empty pointer) and leaves
//   the Windows error code of the failure in Platform::LastError(), as
//   GetLastError does. Success leaves LastError() unspecified.
// - Nothing here throws, except std::bad_alloc.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kit {

// Windows error codes, the same numbers on both backends.
namespace winerr {
constexpr uint32_t kSuccess = 0;
constexpr uint32_t kInvalidFunction = 1;
constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kPathNotFound = 3;
constexpr uint32_t kAccessDenied = 5;
constexpr uint32_t kInvalidHandle = 6;
constexpr uint32_t kNotEnoughMemory = 8;
constexpr uint32_t kBadFormat = 11;
constexpr uint32_t kInvalidData = 13;
constexpr uint32_t kNotReady = 21;
constexpr uint32_t kWriteFault = 29;
constexpr uint32_t kReadFault = 30;
constexpr uint32_t kSharingViolation = 32;
constexpr uint32_t kHandleEof = 38;
constexpr uint32_t kHandleDiskFull = 39;
constexpr uint32_t kNotSupported = 50;
constexpr uint32_t kFileExists = 80;
constexpr uint32_t kInvalidParameter = 87;
constexpr uint32_t kDiskFull = 112;
constexpr uint32_t kInsufficientBuffer = 122;
constexpr uint32_t kInvalidName = 123;
constexpr uint32_t kModNotFound = 126;
constexpr uint32_t kProcNotFound = 127;
constexpr uint32_t kDirNotEmpty = 145;
constexpr uint32_t kBadPathName = 161;
constexpr uint32_t kAlreadyExists = 183;
constexpr uint32_t kBadExeFormat = 193;
constexpr uint32_t kMoreData = 234;
constexpr uint32_t kNoMoreItems = 259;
constexpr uint32_t kBadDbResult = 1009;
constexpr uint32_t kKeyDeleted = 1018;
constexpr uint32_t kPrivilegeNotHeld = 1314;
}  // namespace winerr

// ---------------------------------------------------------------- files

enum class FileAccess : uint32_t { kRead = 1, kWrite = 2, kReadWrite = 3 };

// Share modes, combinable (FILE_SHARE_READ / WRITE / DELETE).
namespace share {
constexpr uint32_t kNone = 0;
constexpr uint32_t kRead = 1;
constexpr uint32_t kWrite = 2;
constexpr uint32_t kDelete = 4;
constexpr uint32_t kAll = 7;
}  // namespace share

// What to do when the file exists or does not (CreateFile's dispositions).
enum class Disposition {
  kCreateNew = 1,         // fail with kFileExists if it exists
  kCreateAlways = 2,      // create or truncate
  kOpenExisting = 3,      // fail with kFileNotFound if missing
  kOpenAlways = 4,        // open or create
  kTruncateExisting = 5,  // open and truncate; fail if missing
};

enum class SeekOrigin { kBegin = 0, kCurrent = 1, kEnd = 2 };

// File attributes (FILE_ATTRIBUTE_*).
namespace attr {
constexpr uint32_t kReadOnly = 0x01;
constexpr uint32_t kHidden = 0x02;
constexpr uint32_t kSystem = 0x04;
constexpr uint32_t kDirectory = 0x10;
constexpr uint32_t kArchive = 0x20;
constexpr uint32_t kNormal = 0x80;
constexpr uint32_t kInvalid = 0xFFFFFFFFu;
}  // namespace attr

// MoveFileEx flags.
namespace movefile {
constexpr uint32_t kReplaceExisting = 0x1;
constexpr uint32_t kCopyAllowed = 0x2;
constexpr uint32_t kDelayUntilReboot = 0x4;
}  // namespace movefile

// An open file. Closing happens in the destructor.
class File {
 public:
  virtual ~File() = default;
  // Reads up to n bytes; *got is the number read (0 at the end of the file).
  virtual bool Read(void* buffer, uint32_t n, uint32_t* got) = 0;
  // Writes n bytes; *written may be less than n when the disk is full, in
  // which case the call fails with kDiskFull (or kHandleDiskFull).
  virtual bool Write(const void* buffer, uint32_t n, uint32_t* written) = 0;
  // Moves the file pointer; *position (if given) receives the new position.
  virtual bool Seek(int64_t offset, SeekOrigin origin, int64_t* position = nullptr) = 0;
  // Size in bytes, or -1 on failure.
  virtual int64_t Size() = 0;
  // Cuts the file at the current position (SetEndOfFile).
  virtual bool Truncate() = 0;
  // Last-write time in DOS date/time form, local time (high word the date).
  virtual bool GetTime(uint32_t* dos_time) = 0;
  virtual bool SetTime(uint32_t dos_time) = 0;
};

struct FileEntry {
  std::string name;         // file name only, with its case
  uint32_t attributes = 0;  // attr::*
  int64_t size = 0;
  uint32_t dos_time = 0;    // last write, DOS form, local time
  bool IsDirectory() const { return (attributes & attr::kDirectory) != 0; }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens or creates a file. Share says what other openers may do while it is
  // open; a file held open without share::kDelete cannot be deleted or
  // renamed (kSharingViolation), as Windows does.
  virtual std::unique_ptr<File> Open(const std::string& path, FileAccess access,
                                     uint32_t share_mode, Disposition disposition) = 0;

  // attr::kInvalid when the path does not exist.
  virtual uint32_t Attributes(const std::string& path) = 0;
  virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;

  virtual bool RemoveFile(const std::string& path) = 0;
  // MoveFile: fails with kAlreadyExists when the target exists.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // MoveFileEx. With movefile::kDelayUntilReboot the move is recorded for the
  // next start of Windows (PendingFileRenameOperations) and nothing moves now;
  // an empty `to` means: delete `from` then.
  virtual bool MoveEx(const std::string& from, const std::string& to, uint32_t flags) = 0;
  // CopyFile; fail_if_exists as the API's flag.
  virtual bool Copy(const std::string& from, const std::string& to, bool fail_if_exists) = 0;

  // Creates one directory; its parent must exist.
  virtual bool MakeDirectory(const std::string& path) = 0;
  // Removes an empty directory.
  virtual bool RemoveDir(const std::string& path) = 0;

  // Lists the entries of `dir` matching `pattern` ("*", "*.txt", "A?.DLL"),
  // without "." and "..", in the order the file system gives.
  virtual bool List(const std::string& dir, const std::string& pattern,
                    std::vector<FileEntry>* entries) = 0;

  // Last-write time of a file by path, DOS form, local time.
  virtual bool GetTime(const std::string& path, uint32_t* dos_time) = 0;
  virtual bool SetTime(const std::string& path, uint32_t dos_time) = 0;

  // GetShortPathName: the 8.3 form of an existing path.
  virtual bool ShortPath(const std::string& path, std::string* short_path) = 0;
  // GetFullPathName: an absolute path with "." and ".." resolved.
  virtual bool FullPath(const std::string& path, std::string* full_path) = 0;

  // GetTempPath: the temporary directory, with a trailing backslash.
  virtual bool TempDirectory(std::string* dir) = 0;
  // GetTempFileName with unique = 0: creates an empty file named
  // prefix (3 characters at most) + hex number + ".TMP" in `dir`.
  virtual bool TempFileName(const std::string& dir, const std::string& prefix,
                            std::string* path) = 0;

  virtual std::string CurrentDir() = 0;
  virtual bool SetCurrentDir(const std::string& dir) = 0;

  // Free and total bytes of the drive holding `path` ("A:\", "C:\Dir").
  virtual bool DiskSpace(const std::string& path, uint64_t* free_bytes,
                         uint64_t* total_bytes) = 0;

  // Helpers built on the operations above.
  bool Exists(const std::string& path);           // a file, not a directory
  bool DirectoryExists(const std::string& path);
  // Creates the directory and every missing parent (ForceDirectories).
  bool MakeDirectories(const std::string& path);
};

// ---------------------------------------------------------------- registry

// The predefined keys, in the order of the installer's root codes.
enum class RegRoot {
  kClassesRoot = 0,
  kCurrentConfig = 1,
  kCurrentUser = 2,
  kDynData = 3,
  kLocalMachine = 4,
  kUsers = 5,
};

namespace regtype {
constexpr uint32_t kNone = 0;
constexpr uint32_t kSz = 1;
constexpr uint32_t kExpandSz = 2;
constexpr uint32_t kBinary = 3;
constexpr uint32_t kDword = 4;
constexpr uint32_t kMultiSz = 7;
}  // namespace regtype

// A value as the registry holds it: its type and its raw bytes (strings with
// their terminating zero, REG_MULTI_SZ with the final extra zero).
struct RegValue {
  uint32_t type = regtype::kNone;
  std::string data;

  static RegValue String(const std::string& s);
  static RegValue Dword(uint32_t v);
  static RegValue MultiString(const std::vector<std::string>& items);
  static RegValue Binary(const std::string& bytes);
  // The text of a REG_SZ / REG_EXPAND_SZ, without the terminator.
  std::optional<std::string> AsString() const;
  std::optional<uint32_t> AsDword() const;
  std::optional<std::vector<std::string>> AsMultiString() const;
};

enum class RegAccess { kRead, kAll };

// An open key. Closing happens in the destructor.
class RegKey {
 public:
  virtual ~RegKey() = default;
  // Fails with kFileNotFound when the value does not exist.
  virtual bool Query(const std::string& name, RegValue* value) = 0;
  virtual bool Set(const std::string& name, const RegValue& value) = 0;
  // Sets the values in order and answers how many were set: all of them,
  // or those before the one that failed (its error is the last error). A
  // registry that can makes them one change, all set or none.
  virtual size_t SetValues(const std::vector<std::pair<std::string, RegValue>>& values);
  virtual bool DeleteValue(const std::string& name) = 0;
  // Names with the case they were created with, sorted without regard to
  // case (ASCII letters compared as small letters, a shorter prefix first),
  // as Wine enumerates both values and subkeys. Windows NT sorts subkeys
  // (by capitals) but gives values in creation order: do not depend on the
  // order of values.
  virtual bool ValueNames(std::vector<std::string>* names) = 0;
  virtual bool SubkeyNames(std::vector<std::string>* names) = 0;
  // Deletes the named subkey with everything below it (RegDeleteTree).
  virtual bool DeleteTree(const std::string& subkey) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens `path` (backslash-separated, a leading backslash allowed, empty for
  // the root itself). With create, every missing key on the path is created.
  // A key that may only be read fails to open with RegAccess::kAll
  // (kAccessDenied).
  virtual std::unique_ptr<RegKey> Open(RegRoot root, const std::string& path, RegAccess access,
                                       bool create) = 0;
  // Deletes a key with everything below it; a missing key is harmless (true).
  bool DeleteKeyTree(RegRoot root, const std::string& path);
};

// ---------------------------------------------------------------- INI files

class IniFiles {
 public:
  virtual ~IniFiles() = default;
  // GetPrivateProfileString for one entry; `def` when missing.
  virtual std::string Read(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& def) = 0;
  // WritePrivateProfileString; creates the file and section as needed.
  virtual bool Write(const std::string& file, const std::string& section,
                     const std::string& key, const std::string& value) = 0;
  virtual bool DeleteKey(const std::string& file, const std::string& section,
                         const std::string& key) = 0;
  // The key names of a section, in file order.
  virtual std::vector<std::string> ReadSection(const std::string& file,
                                               const std::string& section) = 0;
  virtual bool EraseSection(const std::string& file, const std::string& section) = 0;
};

// ---------------------------------------------------------------- system

// GetVersionEx's answer.
struct OsVersion {
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t build = 0;
  uint32_t platform_id = 0;  // 0 Win32s, 1 Windows 95 family, 2 Windows NT
  std::string csd;           // service pack text
};

namespace platformid {
constexpr uint32_t kWin32s = 0;
constexpr uint32_t kWindows = 1;
constexpr uint32_t kNT = 2;
}  // namespace platformid

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  virtual bool Version(OsVersion* version) = 0;
  // GetWindowsDirectory / GetSystemDirectory, without a trailing backslash.
  virtual bool WindowsDirectory(std::string* dir) = 0;
  virtual bool SystemDirectory(std::string* dir) = 0;
  virtual uint16_t UserDefaultLanguage() = 0;  // GetUserDefaultLangID
  virtual uint32_t AnsiCodePage() = 0;         // GetACP
  virtual uint32_t OemCodePage() = 0;          // GetOEMCP
  // The running program's own path (GetModuleFileName of the executable).
  virtual std::string ExePath() = 0;
  // The command-line parameters after the program name, split as the
  // runtime splits them (ParamStr(1) ..).
  virtual std::vector<std::string> Arguments() = 0;
  // Milliseconds since start (GetTickCount).
  virtual uint32_t TickCount() = 0;
};

// ---------------------------------------------------------------- processes

// One 32-bit argument of a call into a library export: an integer or a
// string passed as a pointer to its zero-terminated bytes.
struct CallArg {
  enum class Kind { kInt, kString, kNull } kind = Kind::kInt;
  int32_t value = 0;
  std::string text;
  static CallArg Int(int32_t v) { return {Kind::kInt, v, {}}; }
  static CallArg Str(std::string s) { return {Kind::kString, 0, std::move(s)}; }
  static CallArg Null() { return {Kind::kNull, 0, {}}; }
};

using ModuleHandle = uintptr_t;  // 0 means none

class Processes {
 public:
  virtual ~Processes() = default;

  // CreateProcess, then wait until it ends: while it runs, `pump` is called
  // repeatedly to process pending window messages (it may be empty).
  // *exit_code receives the process's exit code. False when it cannot start.
  virtual bool RunAndWait(const std::string& command_line, const std::function<void()>& pump,
                          uint32_t* exit_code) = 0;
  // WinExec: starts a program without waiting; the result is WinExec's
  // (greater than 31 on success). `hidden` selects SW_HIDE, else SW_SHOW.
  virtual uint32_t Exec(const std::string& command_line, bool hidden) = 0;

  // LoadLibrary; 0 on failure.
  virtual ModuleHandle LoadModule(const std::string& path) = 0;
  // True when the export (by name, or "#N" for ordinal N) exists.
  virtual bool HasExport(ModuleHandle module, const std::string& export_name) = 0;
  // Calls a stdcall export with 32-bit arguments; *result receives its
  // 32-bit result. False (kProcNotFound) when the export is missing.
  virtual bool Call(ModuleHandle module, const std::string& export_name,
                    const std::vector<CallArg>& args, int32_t* result) = 0;
  virtual void UnloadModule(ModuleHandle module) = 0;

  // OleInitialize / OleUninitialize around self-registration calls.
  virtual bool OleInitialize() = 0;
  virtual void OleUninitialize() = 0;
};

// ---------------------------------------------------------------- restart

namespace ewx {
constexpr uint32_t kLogoff = 0;
constexpr uint32_t kShutdown = 1;
constexpr uint32_t kReboot = 2;
constexpr uint32_t kForce = 4;
}  // namespace ewx

class Restart {
 public:
  virtual ~Restart() = default;
  // Enables SE_SHUTDOWN_NAME in the process token (Windows NT).
  virtual bool EnableShutdownPrivilege() = 0;
  // ExitWindowsEx.
  virtual bool ExitSystem(uint32_t flags) = 0;
};

// ---------------------------------------------------------------- DDE

// One DDE conversation in text format (CF_TEXT). Closed in the destructor.
class DdeConversation {
 public:
  virtual ~DdeConversation() = default;
  // Starts an execute transaction without awaiting its outcome; false (with
  // the error in LastError) only when the transaction cannot be started.
  virtual bool Execute(const std::string& command) = 0;
  // A synchronous request of `item`; false when no data comes back within
  // `timeout_ms`.
  virtual bool Request(const std::string& item, uint32_t timeout_ms, std::string* data) = 0;
};

class DdeClient {
 public:
  virtual ~DdeClient() = default;
  // Opens a conversation with the server of `service` on `topic`; empty when
  // no server answers.
  virtual std::unique_ptr<DdeConversation> Connect(const std::string& service,
                                                   const std::string& topic) = 0;
};

// ---------------------------------------------------------------- the whole

// All services of one machine. The object owning the backends lives as long
// as the program; everything else receives a Platform&.
class Platform {
 public:
  virtual ~Platform() = default;
  virtual FileSystem& Files() = 0;
  virtual Registry& Reg() = 0;
  virtual IniFiles& Ini() = 0;
  virtual SystemInfo& System() = 0;
  virtual Processes& Procs() = 0;
  virtual Restart& Reboot() = 0;
  virtual DdeClient& Dde() = 0;

  // The error code of the last failed operation of any service of this
  // platform (GetLastError), and a way to set it.
  virtual uint32_t LastError() = 0;
  virtual void SetError(uint32_t code) = 0;
  // The system's text for an error code ("The system cannot find the file
  // specified."), without a trailing line break.
  virtual std::string ErrorText(uint32_t code) = 0;
};

// The platform class the installer distinguishes: 0 Win32s, 1 Windows 95
// family, 2 Windows NT other than 3.5x, 3 Windows NT 3.5x, 4 any other.
// -1 when the version cannot be read.
int PlatformClass(SystemInfo& system);

}  // namespace kit
