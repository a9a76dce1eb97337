// Windows path handling for the emulated machine: parsing a Windows path
// (absolute, drive-relative, root-relative or relative to the current
// directory) into a drive and components, letter-case folding and wildcard
// matching as the Windows file system does them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kit::emu {

char UpperChar(char c);
std::string Upper(std::string s);
bool EqualNoCase(const std::string& a, const std::string& b);

// Matches a file name against a pattern with '*' and '?', without regard to
// case. "*.*" matches every name, "*." only names without an extension.
bool WildcardMatch(const std::string& pattern, const std::string& name);

struct WinPath {
  char drive = 'C';                 // upper case
  char drive_as_given = 'C';        // the letter with the case it was given
  std::vector<std::string> parts;   // components below the root, "." and ".." resolved
  bool trailing_separator = false;  // the text ended with '\' or '/'

  // "C:\A\B" (the drive letter as given), "C:\" for the root.
  std::string Text() const;
  bool IsRoot() const { return parts.empty(); }
  WinPath Parent() const;
  std::string Leaf() const { return parts.empty() ? std::string() : parts.back(); }
};

// Parses `path` against `current_dir` (itself absolute, "C:\..."). Returns 0 or
// the Windows error code: kInvalidName for illegal characters (including
// NUL), kBadPathName for UNC paths or ".." above the root, kPathNotFound for
// an empty path.
uint32_t ParseWinPath(const std::string& path, const std::string& current_dir, WinPath* out);

// True when `name` is a legal 8.3 name as it is (no generated short name).
bool IsShortName(const std::string& name);
// The base of a generated short name: upper case, legal characters only, as
// Windows builds "PROGRA" and "TXT" from "Program Files.txt".
void ShortNameParts(const std::string& name, std::string* base, std::string* ext);

}  // namespace kit::emu
