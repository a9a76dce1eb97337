// Self-registration of ActiveX servers: in-process servers through their
// exported DllRegisterServer / DllUnregisterServer, local servers by running
// them with "/REGSERVER" / "/UNREGSERVER".
//
// Callers:
// - TInstallFile, after installing its file and its other registrations:
//   RegisterDLLServer if RegisterAsActiveX_DLLStyle, then RegisterEXEServer
//   if RegisterAsActiveX_EXEStyle; the same pair from FinishAfterReboot when
//   the file could only be replaced at the next start of Windows.
// - TInstallFile's FileName and IncludeFromDir setters while the
//   configuration is edited: IsSelfRegistering on the source file.
// - The uninstaller, for each entry of the log's "ActiveX" section:
//   UnregisterDLLServer (style "0") or UnregisterEXEServer (style "1").
//
// Every message is translated before it is filled in.
#pragma once

#include <string>

namespace kit {

// True when the file's version resource carries the string
// "OLESelfRegister" in the string table of its first translation. No
// version block, no translation or no such string: false. Reads through the
// version resources' source (StartVersionResources); none started: false.
bool IsSelfRegistering(const std::string& source_path);

// Registers the in-process server installed at dest_dir + dest_name
// (DestPath): OLE is initialised for the call, the library loaded, its
// DllRegisterServer called and the library freed again. Raises an Exception
// when the path is blank, the file does not exist, the library cannot be
// loaded, the export is missing or the call answers anything but 0; each
// message names the file and the component.
void RegisterDLLServer(const std::string& dest_dir, const std::string& dest_name,
                       const std::string& component_name);

// Registers the local server installed at dest_dir + dest_name by starting
// it hidden with "/REGSERVER", without waiting. Raises an Exception when the
// path is blank, the file does not exist or it cannot be started (WinExec's
// result below 32). A path with blanks is quoted on the command line.
void RegisterEXEServer(const std::string& dest_dir, const std::string& dest_name,
                       const std::string& component_name);

// The uninstaller's counterparts; they never raise. UnregisterDLLServer
// loads an existing file, calls its DllUnregisterServer when it has one
// (the result is ignored) and frees it; true when the call was made.
// UnregisterEXEServer starts an existing file hidden with "/UNREGSERVER"
// without waiting; true when it started.
bool UnregisterDLLServer(const std::string& path);
bool UnregisterEXEServer(const std::string& path);

// The command line that starts a server with a switch: the path (quoted when
// it holds a blank), a blank and the switch.
std::string ServerCommandLine(const std::string& path, const std::string& switch_text);

}  // namespace kit
