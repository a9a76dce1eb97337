#include "system/install_log.h"

#include <cstdint>
#include <optional>

#include "base/exception.h"
#include "base/paths.h"
#include "base/setup_log.h"
#include "system/system_errors.h"
#include "platform/current_platform.h"
#include "system/registry_routines.h"

namespace kit {
namespace {

// The registry routines of the log, all under HKEY_LOCAL_MACHINE: a string
// write that creates the key on the way and raises EIRCannotWriteValue, and
// a string read that gives the default on any failure.
void WriteLogString(const std::string& key, const std::string& name, const std::string& value) {
  WriteRegistryString(rootcode::kLocalMachine, key, name, value);
}

std::string ReadLogString(const std::string& key, const std::string& name,
                          const std::string& default_value) {
  return ReadRegistryString(rootcode::kLocalMachine, key, name, default_value);
}

bool LogKeyExists(const std::string& key) {
  return CurrentPlatform().Reg().Open(RegRoot::kLocalMachine, key, RegAccess::kRead, false) !=
         nullptr;
}

bool LogValueExists(const std::string& key, const std::string& name) {
  auto k = CurrentPlatform().Reg().Open(RegRoot::kLocalMachine, key, RegAccess::kRead, false);
  RegValue v;
  return k && k->Query(name, &v);
}

// Writes entry "File" + n and then the count "Entries" = n of the section,
// as one change where the registry can; answers false when the entry was
// not written, and raises when only the count was not.
bool WriteEntryAndCount(const std::string& section, const std::string& n, const std::string& text) {
  auto k = CurrentPlatform().Reg().Open(RegRoot::kLocalMachine, section, RegAccess::kAll, true);
  if (!k) return false;
  const size_t written =
      k->SetValues({{"File" + n, RegValue::String(text)}, {"Entries", RegValue::String(n)}});
  if (written == 0) return false;
  if (written == 1) throw EIRCannotWriteValue(section, "Entries", n);
  if (SetupLog::Active())
    SetupLog::Write("registry", RegistryValueText(rootcode::kLocalMachine, section, "File" + n) + " = \"" + text + "\"");
  return true;
}

// The name of the next entry: "File" + (count + 1), or the next number
// after it when a value of that name is there already (a count that was not
// written, or a foreign writer), so no entry is ever overwritten.
std::string NextEntryName(const std::string& key, int32_t count) {
  int64_t n = static_cast<int64_t>(count) + 1;
  while (n < INT32_MAX && LogValueExists(key, "File" + std::to_string(n))) ++n;
  return std::to_string(n);
}

// A count as the log writes it: decimal digits only, small enough that the
// next number still fits.
bool ParseCount(const std::string& text, int32_t* count) {
  if (text.empty() || text.size() > 10) return false;
  int64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v >= INT32_MAX) return false;
  *count = static_cast<int32_t>(v);
  return true;
}

}  // namespace

std::string InstalledPath(const std::string& dest_dir, const std::string& dest_name) {
  return IncludeTrailingBackslash(dest_dir) + dest_name;
}

void WriteFilesLogEntry(const std::string& log_key, const std::string& path) {
  std::optional<EIRCannotWriteValue> failure;
  for (int suffix = 0; suffix <= installlog::kFilesSuffixLimit; ++suffix) {
    const std::string section =
        log_key + "\\Files" + (suffix == 0 ? std::string() : std::to_string(suffix));
    const std::string entries = ReadLogString(section, "Entries", "0");
    int32_t count = 0;
    if (!ParseCount(entries, &count)) {
      failure.emplace(section, "Entries", entries);
      continue;
    }
    const std::string n = NextEntryName(section, count);
    if (WriteEntryAndCount(section, n, path)) return;
    failure.emplace(section, "File" + n, path);
    if (!LogKeyExists(section)) break;
  }
  throw *failure;
}

std::string ActiveXStyle(bool dll_style, bool exe_style) {
  if (exe_style) return "1";
  return dll_style ? "0" : "";
}

void WriteActiveXLogEntry(const std::string& log_key, const std::string& path, bool dll_style,
                          bool exe_style) {
  const std::string section = log_key + "\\ActiveX";
  const std::string entries = ReadLogString(section, "Entries", "0");
  int32_t count = 0;
  if (!ParseCount(entries, &count))
    throw EConvertError("'" + entries + "' is not a valid integer value (value Entries of " +
                        section + ")");
  const std::string n = NextEntryName(section, count);
  const std::string text = path + ";" + ActiveXStyle(dll_style, exe_style);
  if (!WriteEntryAndCount(section, n, text)) throw EIRCannotWriteValue(section, "File" + n, text);
}

void WriteInstallFileLogEntry(const std::string& log_key, const std::string& path,
                              bool dll_style, bool exe_style) {
  if (dll_style || exe_style)
    WriteActiveXLogEntry(log_key, path, dll_style, exe_style);
  else
    WriteFilesLogEntry(log_key, path);
}

std::string UninstallString(const std::string& uninstaller_path,
                            const std::string& product_name) {
  const bool blank = uninstaller_path.find_first_of(" \t") != std::string::npos;
  const std::string program = blank ? "\"" + uninstaller_path + "\"" : uninstaller_path;
  return program + " " + product_name;
}

void WriteUninstallRegistration(const std::string& log_key, const std::string& product_name,
                                const std::string& uninstaller_path) {
  WriteLogString(log_key, "DisplayName", product_name);
  WriteLogString(log_key, "UninstallString", UninstallString(uninstaller_path, product_name));
}

}  // namespace kit
