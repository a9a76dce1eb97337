// The installation log: one registry key per product, under
// HKEY_LOCAL_MACHINE, "\Software\Microsoft\Windows\CurrentVersion\Uninstall\"
// + the product name (UninstallLogKey of the driver). The installer only adds
// to it; the uninstaller reads it, undoes every entry and deletes the key.
//
//   <log key>            "DisplayName"     = product name
//                        "UninstallString" = uninstaller path, " ", product name
//   <log key>\Files      "Entries" = n, "File1" .. "Filen" = full paths
//   <log key>\Files1 ..  the same, used only when writing into the previous
//                        one failed
//   <log key>\ActiveX    "Entries" = n, "Filei" = full path ";" style
//                        (style "0" in-process server, "1" local server)
//
// Every value is a REG_SZ; counts are decimal text.
//
// Callers, after a component's install step has returned normally:
// - TInstallFile::WriteUninstallLog: WriteInstallFileLogEntry;
// - TInstallShellLink::WriteUninstallLog: WriteFilesLogEntry with the link file;
// - TUninstallEXE::WriteUninstallLog: WriteUninstallRegistration only.
#pragma once

#include <memory>
#include <string>

namespace kit {

class RegKey;

namespace installlog {
// "Files" and then at most this many suffixed subkeys are tried before a
// file entry gives up and raises the last write failure.
constexpr int kFilesSuffixLimit = 99;
}  // namespace installlog

// The full path of an installed file as the log (and the shared-file
// counters) record it: the directory with a trailing backslash added when it
// has none, then the file name, letters as given.
std::string InstalledPath(const std::string& dest_dir, const std::string& dest_name);

// Adds `path` to the "Files" family of the log key: into "Files" as the next
// "File<n>", or, when reading its count or writing the entry fails, into
// "Files1", "Files2" ... A subkey that does not exist after a failed write is
// the last one tried (the uninstaller stops reading at the first missing
// name, so an entry further on would never be undone), and so is
// "Files<kFilesSuffixLimit>". The failure is then raised: EIRCannotWriteValue
// naming the subkey, the value and its text. A failure to write "Entries"
// after the entry is raised at once. An entry name that is taken already (a
// count that was never written) is passed over for the next free number, so
// no entry is overwritten.
void WriteFilesLogEntry(const std::string& log_key, const std::string& path);

// While a session lives (an installation's processing), the "Files" family
// keeps the section it wrote last open and its count in memory: the next
// entry costs the check that its name is free and the two writes. A write
// that fails through the kept key is tried again the full way. Sessions do
// not nest: an inner one leaves the outer one in charge.
class InstallLogSession {
 public:
  InstallLogSession();
  ~InstallLogSession();
  InstallLogSession(const InstallLogSession&) = delete;
  InstallLogSession& operator=(const InstallLogSession&) = delete;

  struct Kept;

 private:
  std::unique_ptr<Kept> kept_;
};

// The registration style recorded for an ActiveX server: "1" when it is a
// local server (also when both are set), "0" for an in-process server only,
// empty for neither.
std::string ActiveXStyle(bool dll_style, bool exe_style);

// Adds "path;style" as the next entry of "ActiveX". A count that is not a
// number raises EConvertError naming the subkey and the text; a failed write
// raises EIRCannotWriteValue.
void WriteActiveXLogEntry(const std::string& log_key, const std::string& path, bool dll_style,
                          bool exe_style);

// An install file's entry: under "ActiveX" when either style is set,
// otherwise in the "Files" family.
void WriteInstallFileLogEntry(const std::string& log_key, const std::string& path,
                              bool dll_style, bool exe_style);

// The command line that starts the uninstaller: its path, a blank and the
// product name, unquoted. A path with blanks (or tabs) is put in double
// quotes, so the program is found without guessing and the product name
// after it is read back whole.
std::string UninstallString(const std::string& uninstaller_path,
                            const std::string& product_name);

// The product's entry in the list of removable programs: "DisplayName" and
// "UninstallString", in that order, directly in the log key.
void WriteUninstallRegistration(const std::string& log_key, const std::string& product_name,
                                const std::string& uninstaller_path);

}  // namespace kit
