// Windows path helpers on 8-bit strings ("C:\Dir\File.ext",
// "\\server\share\File"). Only '\' separates directories (and ':' ends a
// drive); a second byte 0x5C of a double-byte character in the code page is
// part of that character, never a separator. The helpers without a code page
// use the process's ANSI code page.
//
// Roots keep their backslash: ExcludeTrailingBackslash("C:\") is "C:\"
// (never "C:", which would mean the current directory of drive C), and
// ExtractFileDir("C:\File") is "C:\".
#pragma once

#include <string>

#include "base/codepage.h"

namespace kit {

class FileSystem;

// True when s[index] is a '\' and not the second byte of a character.
bool IsPathDelimiter(const std::string& s, size_t index, unsigned cp);
bool IsPathDelimiter(const std::string& s, size_t index);

// Up to and including the last '\' or ':' ("C:\Dir\" for "C:\Dir\F.TXT").
std::string ExtractFilePath(const std::string& path, unsigned cp);
std::string ExtractFilePath(const std::string& path);
// The same without the final '\', except at a root ("C:\", "\").
std::string ExtractFileDir(const std::string& path, unsigned cp);
std::string ExtractFileDir(const std::string& path);
// After the last '\' or ':'.
std::string ExtractFileName(const std::string& path, unsigned cp);
std::string ExtractFileName(const std::string& path);
// From the last '.' of the file name, the dot included; empty without one.
std::string ExtractFileExt(const std::string& path, unsigned cp);
std::string ExtractFileExt(const std::string& path);
// Replaces the extension (or appends ext when there is none); ext carries its
// dot (".1"), an empty ext removes the extension.
std::string ChangeFileExt(const std::string& path, const std::string& ext, unsigned cp);
std::string ChangeFileExt(const std::string& path, const std::string& ext);
// "C:" for "C:\Dir", "\\server\share" for "\\server\share\Dir", else empty.
std::string ExtractFileDrive(const std::string& path, unsigned cp);
std::string ExtractFileDrive(const std::string& path);

// Appends '\' unless the path already ends with one ("" becomes "\", as the
// original runtime did).
std::string IncludeTrailingBackslash(const std::string& path, unsigned cp);
std::string IncludeTrailingBackslash(const std::string& path);
// Removes one final '\', except from a root ("C:\", "\").
std::string ExcludeTrailingBackslash(const std::string& path, unsigned cp);
std::string ExcludeTrailingBackslash(const std::string& path);

// An absolute path with "." and ".." resolved ('/' taken as '\'), as
// GetFullPathName gives it: relative names are taken against current_dir
// (an absolute directory), "\Dir" against its drive, "D:Dir" against the
// root of D: unless current_dir is on D:. ".." never climbs above a root.
// A trailing '\' is kept.
std::string ExpandFileName(const std::string& name, const std::string& current_dir, unsigned cp);
std::string ExpandFileName(const std::string& name, const std::string& current_dir);
// Against the file system's current directory.
std::string ExpandFileName(FileSystem& fs, const std::string& name);

}  // namespace kit
