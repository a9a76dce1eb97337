// The registry and INI routines both programs share. Registry roots are
// named by a small code (also stored as "Root" in the installation log).
// Every routine opens its key afresh on CurrentPlatform(), with full access
// (reads too, so a key that may only be read counts as one that cannot be
// opened), and closes it before it returns, also when it fails.
//
// Only WriteRegistryString and ReadIniSectionNames raise; the reads give
// their default and the deletions do nothing when anything goes wrong.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace kit {

class TStringList;

// The root codes.
namespace rootcode {
constexpr int kClassesRoot = 0;
constexpr int kCurrentConfig = 1;
constexpr int kCurrentUser = 2;
constexpr int kDynData = 3;
constexpr int kLocalMachine = 4;
constexpr int kUsers = 5;
}  // namespace rootcode

// The predefined key of a root code; false for a code outside 0 .. 5.
bool RegistryRootOfCode(int root_code, RegRoot* root);

// Key paths may start with a backslash; every path is taken from the root.

// Writes a REG_SZ value, creating every missing key on the path. Raises
// EIRCannotWriteValue (naming the key, the value name and the text) when
// the key cannot be opened or created, or the value cannot be written.
void WriteRegistryString(int root_code, const std::string& key, const std::string& name,
                         const std::string& value);

// HKEY_LOCAL_MACHINE\key\name for the diagnostic log ("(Default)" for no name).
std::string RegistryValueText(int root_code, const std::string& key, const std::string& name);

// The text of a string value (REG_SZ or REG_EXPAND_SZ), or the default when
// the key is missing or cannot be opened, the value is missing or is not a
// string.
std::string ReadRegistryString(int root_code, const std::string& key, const std::string& name,
                               const std::string& default_value);
// The same, telling a missing value apart from an empty one: false (and
// *value untouched) where ReadRegistryString gives its default.
bool TryReadRegistryString(int root_code, const std::string& key, const std::string& name,
                           std::string* value);

// A REG_DWORD value, or the default (also for a value of another type, such
// as the text "3").
int32_t ReadRegistryInteger(int root_code, const std::string& key, const std::string& name,
                            int32_t default_value);

// Deletes the key with every key below it. A missing key, or any failure,
// is ignored. An empty path (the root itself) deletes nothing.
void DeleteRegistryKey(int root_code, const std::string& key);

// Deletes one value; a missing key or value, or any failure, is ignored.
void DeleteRegistryValue(int root_code, const std::string& key, const std::string& name);

// Clears the list and fills it with the names of the key's direct subkeys,
// in the registry's order. The list stays empty when the key cannot be
// opened or listed. A null list is left alone.
void ReadRegistrySubkeyNames(int root_code, const std::string& key, TStringList* list);

// The section names of an INI file: each line that, without its surrounding
// blanks, is longer than one character and starts with "[", without its
// first and last character (the last is dropped whatever it is). A null list
// does nothing. A file that cannot be read raises EFOpenError "Cannot open
// file %s" (or EReadError) and leaves the list as it was.
void ReadIniSectionNames(const std::string& path, TStringList* list);

// Field n (from 1; 1 or less gives the first) of text split at separator:
// empty when there are fewer fields. An empty separator never matches, so
// the first field is the whole text.
std::string NthField(const std::string& text, int n, const std::string& separator);

}  // namespace kit
