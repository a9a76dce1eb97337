// Registration of an installed help file: HKEY_LOCAL_MACHINE
// "\SOFTWARE\Microsoft\Windows\Help", one REG_SZ per help file, named by its
// file name in upper case, holding its directory. Not recorded in the
// installation log; the uninstaller leaves it.
//
// Called by TInstallFile when it installs a file with RegisterAsHelp set,
// after extraction.
#pragma once

#include <string>

namespace kit {

namespace helpfile {
inline constexpr const char* kKey = "\\SOFTWARE\\Microsoft\\Windows\\Help";
}  // namespace helpfile

// Writes DestName in upper case = dest_dir (GetDestDir, as it is). Raises
// EIRCannotWriteValue naming the key, the value and the directory when the
// key cannot be opened or the value not written.
void RegisterHelpFile(const std::string& dest_dir, const std::string& dest_name);

}  // namespace kit
