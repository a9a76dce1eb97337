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

// The registry routine of the log, under HKEY_LOCAL_MACHINE: a string
// write that creates the key on the way and raises EIRCannotWriteValue.
void WriteLogString(const std::string& key, const std::string& name, const std::string& value) {
  WriteRegistryString(rootcode::kLocalMachine, key, name, value);
}

// The section's key for writing, made when missing; when it can be neither
// opened nor made for writing, the key for reading if it exists. `writable`
// tells which. One handle serves every read and write of an entry.
std::unique_ptr<RegKey> OpenSection(const std::string& section, bool* writable) {
  Registry& reg = CurrentPlatform().Reg();
  std::unique_ptr<RegKey> k = reg.Open(RegRoot::kLocalMachine, section, RegAccess::kAll, true);
  *writable = k != nullptr;
  if (!k) k = reg.Open(RegRoot::kLocalMachine, section, RegAccess::kRead, false);
  return k;
}

// The section's count as stored, "0" when missing or not a string.
std::string EntriesText(RegKey* k) {
  RegValue v;
  if (k == nullptr || !k->Query("Entries", &v)) return "0";
  std::optional<std::string> text = v.AsString();
  return text ? *text : "0";
}

// Writes entry "File" + n and then the count "Entries" = n of the section,
// as one change where the registry can; answers false when the entry was
// not written, and raises when only the count was not.
bool WriteEntryAndCount(RegKey& k, const std::string& section, const std::string& n,
                        const std::string& text) {
  const size_t written =
      k.SetValues({{"File" + n, RegValue::String(text)}, {"Entries", RegValue::String(n)}});
  if (written == 0) return false;
  if (written == 1) throw EIRCannotWriteValue(section, "Entries", n);
  if (SetupLog::Active())
    SetupLog::Write("registry", RegistryValueText(rootcode::kLocalMachine, section, "File" + n) + " = \"" + text + "\"");
  return true;
}

// The name of the next entry: "File" + (count + 1), or the next number
// after it when a value of that name is there already (a count that was not
// written, or a foreign writer), so no entry is ever overwritten.
std::string NextEntryName(RegKey* k, int32_t count) {
  int64_t n = static_cast<int64_t>(count) + 1;
  RegValue v;
  while (k != nullptr && n < INT32_MAX && k->Query("File" + std::to_string(n), &v)) ++n;
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

struct InstallLogSession::Kept {
  std::string section;
  std::unique_ptr<RegKey> key;
  int32_t count = 0;
};

namespace {

InstallLogSession::Kept* g_kept = nullptr;

// Through the kept key of `section`: true when the entry is written; false
// (and nothing kept) when there is none or it failed.
bool WriteThroughKept(const std::string& section, const std::string& path) {
  InstallLogSession::Kept* kept = g_kept;
  if (kept == nullptr || !kept->key || kept->section != section) return false;
  const std::string n = NextEntryName(kept->key.get(), kept->count);
  bool written = false;
  try {
    written = WriteEntryAndCount(*kept->key, section, n, path);
  } catch (...) {
    kept->key.reset();
    throw;
  }
  if (!written || !ParseCount(n, &kept->count)) {
    kept->key.reset();
    return false;
  }
  return true;
}

void Keep(const std::string& section, std::unique_ptr<RegKey> key, const std::string& n) {
  InstallLogSession::Kept* kept = g_kept;
  if (kept == nullptr || !ParseCount(n, &kept->count)) return;
  kept->section = section;
  kept->key = std::move(key);
}

}  // namespace

InstallLogSession::InstallLogSession() {
  if (g_kept != nullptr) return;
  kept_ = std::make_unique<Kept>();
  g_kept = kept_.get();
}

InstallLogSession::~InstallLogSession() {
  if (g_kept == kept_.get()) g_kept = nullptr;
}

std::string InstalledPath(const std::string& dest_dir, const std::string& dest_name) {
  return IncludeTrailingBackslash(dest_dir) + dest_name;
}

void WriteFilesLogEntry(const std::string& log_key, const std::string& path) {
  std::optional<EIRCannotWriteValue> failure;
  for (int suffix = 0; suffix <= installlog::kFilesSuffixLimit; ++suffix) {
    const std::string section =
        log_key + "\\Files" + (suffix == 0 ? std::string() : std::to_string(suffix));
    if (WriteThroughKept(section, path)) return;
    bool writable = false;
    std::unique_ptr<RegKey> k = OpenSection(section, &writable);
    const std::string entries = EntriesText(k.get());
    int32_t count = 0;
    if (!ParseCount(entries, &count)) {
      failure.emplace(section, "Entries", entries);
      continue;
    }
    const std::string n = NextEntryName(k.get(), count);
    if (writable && WriteEntryAndCount(*k, section, n, path)) {
      Keep(section, std::move(k), n);
      return;
    }
    failure.emplace(section, "File" + n, path);
    if (!k) break;  // neither there nor to be made
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
  bool writable = false;
  std::unique_ptr<RegKey> k = OpenSection(section, &writable);
  const std::string entries = EntriesText(k.get());
  int32_t count = 0;
  if (!ParseCount(entries, &count))
    throw EConvertError("'" + entries + "' is not a valid integer value (value Entries of " +
                        section + ")");
  const std::string n = NextEntryName(k.get(), count);
  const std::string text = path + ";" + ActiveXStyle(dll_style, exe_style);
  if (!writable || !WriteEntryAndCount(*k, section, n, text))
    throw EIRCannotWriteValue(section, "File" + n, text);
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
