#include "uninstall/uninstaller.h"

#include <memory>

#include "base/codepage.h"
#include "base/format.h"
#include "base/setup_log.h"
#include "base/paths.h"
#include "base/rounding.h"
#include "base/string_list.h"
#include "base/text.h"
#include "system/registry_routines.h"

namespace kit {
namespace {

const char kUninstallRoot[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kSharedDlls[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const char kBdeKey[] = "\\Software\\Borland\\Database Engine";
const char kBlwKey[] = "\\Software\\Borland\\BLW32";
const char kEngineLibrary[] = "IDAPI32.DLL";
const size_t kMaxLoggedPath = 259;  // MAX_PATH less the terminator
const int32_t kNoCounter = -2147483647;

std::unique_ptr<RegKey> OpenLogKey(Platform& p, const std::string& path) {
  return p.Reg().Open(RegRoot::kLocalMachine, path, RegAccess::kAll, false);
}

std::vector<std::string> ValueNames(RegKey& key) {
  std::vector<std::string> names;
  if (!key.ValueNames(&names)) names.clear();
  return names;
}

int StrToIntDefault(const std::string& text, int def) {
  std::string t = Trim(text);
  if (t.empty() || t.size() > 11) return def;
  size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
  if (i == t.size()) return def;
  for (size_t j = i; j < t.size(); ++j)
    if (t[j] < '0' || t[j] > '9') return def;
  long long v = std::stoll(t);
  if (v < INT32_MIN || v > INT32_MAX) return def;
  return static_cast<int>(v);
}

}  // namespace

bool IsUsableLoggedPath(const std::string& raw) {
  std::string path = Trim(raw);
  if (path.empty() || path.size() > kMaxLoggedPath) return false;
  bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
               path[1] == ':' && path[2] == '\\';
  bool unc = path.size() >= 3 && path[0] == '\\' && path[1] == '\\';
  if (!drive && !unc) return false;
  return path.back() != '\\';
}

Uninstaller::Uninstaller(Platform& platform, RemovalView& view)
    : platform_(platform), view_(view) {}

bool Uninstaller::Start(const std::vector<std::string>& arguments) {
  directories_.clear();
  if (arguments.empty()) {
    view_.EnableStart(false);
    view_.Error("Please remove this software from the Add/Remove Programs from the Control Panel");
    return false;
  }
  product_.clear();
  for (size_t i = 0; i < arguments.size(); ++i) product_ += (i ? " " : "") + arguments[i];
  log_key_ = kUninstallRoot + product_;
  return true;
}

bool Uninstaller::IsLogged() { return OpenLogKey(platform_, log_key_) != nullptr; }

std::string Uninstaller::Caption() const { return "Remove " + product_; }

int Uninstaller::ProgressPercent(int index, int count) {
  if (count <= 1) return 0;
  return static_cast<int>(Round(100.0 * index / (count - 1)));
}

std::string Uninstaller::Remove() {
  view_.EnableStart(false);
  view_.Refresh();
  RemoveAliases();
  view_.CheckStep(RemovalStep::kAliases);
  view_.Refresh();
  struct BarScope {
    RemovalView& v;
    explicit BarScope(RemovalView& view) : v(view) {
      v.SetProgress(0);
      v.ShowProgress(true);
    }
    ~BarScope() { v.ShowProgress(false); }
  };
  {
    BarScope bar(view_);
    RemoveActiveX();
  }
  view_.CheckStep(RemovalStep::kActiveX);
  view_.Refresh();
  {
    BarScope bar(view_);
    RemoveFiles();
  }
  view_.CheckStep(RemovalStep::kFiles);
  view_.Refresh();
  RemoveIniEntries();
  view_.CheckStep(RemovalStep::kIniFiles);
  RemoveBdeUse();
  view_.CheckStep(RemovalStep::kBde);
  RemoveDirectories();
  view_.Refresh();
  if (!RemoveRegistryEntries())
    view_.Message("Some or all of the registry keys could not could not be removed");
  view_.CheckStep(RemovalStep::kRegistry);
  view_.Refresh();
  DeleteRegistryKey(rootcode::kLocalMachine, kUninstallRoot + product_);
  std::string message = RemoveSelf();
  view_.Message(message);
  return message;
}

bool Uninstaller::ReadLogText(RegKey& key, const std::string& name, std::string* text) {
  RegValue value;
  if (!key.Query(name, &value)) return false;
  std::optional<std::string> s = value.AsString();
  if (!s || s->size() > 2 * kMaxLoggedPath) return false;
  *text = *s;
  return true;
}

void Uninstaller::RecordDirectory(const std::string& file_path) {
  std::string path = Trim(file_path);
  if (!IsUsableLoggedPath(path)) return;
  std::string dir = UpperCase(ExtractFileDir(path));
  for (const std::string& d : directories_)
    if (d == dir) return;
  directories_.push_back(dir);
}

Uninstaller::Decision Uninstaller::SharedFileDecision(const std::string& path,
                                                      int32_t default_count) {
  int32_t count = ReadRegistryInteger(rootcode::kLocalMachine, kSharedDlls, path, default_count);
  if (count >= 2) {
    auto key = platform_.Reg().Open(RegRoot::kLocalMachine, kSharedDlls, RegAccess::kAll, false);
    if (key) key->Set(path, RegValue::Dword(static_cast<uint32_t>(count - 1)));
    return Decision::kKeep;
  }
  if (count == kNoCounter) return Decision::kRemove;
  std::string question = Format(
      "Uninstall has determined that the file %s is no longer used by an application. Is it "
      "o.k. to delete it?",
      {path});
  if (!view_.Confirm(question)) return Decision::kKeep;
  DeleteRegistryValue(rootcode::kLocalMachine, kSharedDlls, path);
  return Decision::kRemove;
}

void Uninstaller::RemoveAliases() {
  Processes& procs = platform_.Procs();
  ModuleHandle engine = procs.LoadModule(kEngineLibrary);
  if (engine == 0) return;  // DbiInitFn fails: nothing else is called
  struct Unload {
    Processes& p;
    ModuleHandle m;
    ~Unload() { p.UnloadModule(m); }
  } unload{procs, engine};
  int32_t result = -1;
  if (!procs.Call(engine, "DbiInitFn", {CallArg::Int(400), CallArg::Null()}, &result) ||
      result != 0)
    return;
  struct Exit {
    Processes& p;
    ModuleHandle m;
    ~Exit() {
      int32_t r;
      p.Call(m, "DbiExit", {}, &r);
    }
  } exit_engine{procs, engine};
  TStringList names;
  const std::string aliases = log_key_ + "\\Aliases";
  ReadRegistrySubkeyNames(rootcode::kLocalMachine, aliases, &names);
  bool handled = false;
  for (int i = 0; i < names.Count(); ++i) {
    int32_t r;
    procs.Call(engine, "#70", {CallArg::Null(), CallArg::Str(AnsiToOemString(names[i]))}, &r);
    handled = true;
  }
  DeleteRegistryKey(rootcode::kLocalMachine, aliases);
  if (handled) {
    int32_t r;
    procs.Call(engine, "#526", {CallArg::Null(), CallArg::Null(), CallArg::Int(1)}, &r);
  }
}

void Uninstaller::UnregisterServer(const std::string& path, const std::string& style) {
  Processes& procs = platform_.Procs();
  if (style == "0") {
    ModuleHandle m = procs.LoadModule(path);
    if (m == 0) return;
    int32_t r;
    if (procs.HasExport(m, "DllUnregisterServer")) procs.Call(m, "DllUnregisterServer", {}, &r);
    procs.UnloadModule(m);
  } else if (style == "1") {
    // Quoted, so that a path with blanks starts the server and nothing else.
    procs.Exec("\"" + path + "\" /UNREGSERVER", true);
  }
}

void Uninstaller::RemoveActiveX() {
  const std::string section = log_key_ + "\\ActiveX";
  auto key = OpenLogKey(platform_, section);
  if (!key) return;
  key->DeleteValue("Entries");
  std::vector<std::string> names = ValueNames(*key);
  FileSystem& fs = platform_.Files();
  for (size_t i = 0; i < names.size(); ++i) {
    view_.SetProgress(ProgressPercent(static_cast<int>(i), static_cast<int>(names.size())));
    std::string text;
    if (ReadLogText(*key, names[i], &text)) {
      std::string path = NthField(text, 1, ";");
      std::string style = NthField(text, 2, ";");
      if (SharedFileDecision(path, -1) == Decision::kRemove && IsUsableLoggedPath(path)) {
        std::string file = Trim(path);
        bool exists = fs.Exists(file);
        if (exists) UnregisterServer(file, style);
        RecordDirectory(file);
        if (exists) fs.RemoveFile(file);
      }
    }
    key->DeleteValue(names[i]);
  }
  key.reset();
  DeleteRegistryKey(rootcode::kLocalMachine, section);
}

void Uninstaller::RemoveFiles() {
  FileSystem& fs = platform_.Files();
  for (int suffix = 0;; ++suffix) {
    std::string section = log_key_ + "\\Files" + (suffix ? std::to_string(suffix) : "");
    auto key = OpenLogKey(platform_, section);
    if (!key) return;
    key->DeleteValue("Entries");
    std::vector<std::string> names = ValueNames(*key);
    for (size_t i = 0; i < names.size(); ++i) {
      view_.SetProgress(ProgressPercent(static_cast<int>(i), static_cast<int>(names.size())));
      std::string path;
      if (ReadLogText(*key, names[i], &path) &&
          SharedFileDecision(path, kNoCounter) == Decision::kRemove && IsUsableLoggedPath(path)) {
        std::string file = Trim(path);
        if (fs.Exists(file)) {
          RecordDirectory(file);
          const bool removed = fs.RemoveFile(file);
          LogStep("file", file + (removed ? ": removed" : ": could not be removed"));
        }
      }
      key->DeleteValue(names[i]);
    }
    key.reset();
    DeleteRegistryKey(rootcode::kLocalMachine, section);
  }
}

void Uninstaller::RemoveIniSection(const std::string& ini, const std::string& entries_key,
                                   const std::string& section) {
  auto logged = OpenLogKey(platform_, entries_key + "\\" + section);
  if (!logged) return;
  IniFiles& inis = platform_.Ini();
  std::vector<std::pair<std::string, std::string>> lines;
  for (const std::string& name : inis.ReadSection(ini, section))
    lines.emplace_back(name, inis.Read(ini, section, name, ""));
  for (const std::string& v : ValueNames(*logged)) {
    std::vector<std::pair<std::string, std::string>> kept;
    for (auto& line : lines)
      if (!SameText(line.first, v)) kept.push_back(line);
    lines.swap(kept);
  }
  const std::string failure = Format("Unable to write to %s", {ini});
  if (!inis.EraseSection(ini, section)) throw EUninstallError(failure);
  for (auto it = lines.rbegin(); it != lines.rend(); ++it)
    if (!inis.Write(ini, section, it->first, it->second)) throw EUninstallError(failure);
}

void Uninstaller::RemoveIniEntries() {
  const std::string root = log_key_ + "\\INIFiles";
  if (!OpenLogKey(platform_, root)) return;
  TStringList files;
  ReadRegistrySubkeyNames(rootcode::kLocalMachine, root, &files);
  FileSystem& fs = platform_.Files();
  for (int f = 0; f < files.Count(); ++f) {
    const std::string fkey = root + "\\" + files[f];
    auto key = OpenLogKey(platform_, fkey);
    std::string ini;
    if (!key || !ReadLogText(*key, "FilePath", &ini) || !IsUsableLoggedPath(ini)) continue;
    ini = Trim(ini);
    const std::string entries = fkey + "\\Entries";
    if (!OpenLogKey(platform_, entries) || !fs.Exists(ini)) continue;
    TStringList sections;
    ReadRegistrySubkeyNames(rootcode::kLocalMachine, entries, &sections);
    for (int s = 0; s < sections.Count(); ++s) RemoveIniSection(ini, entries, sections[s]);
    auto file = fs.Open(ini, FileAccess::kRead, share::kAll, Disposition::kOpenExisting);
    bool empty = file && file->Size() == 0;
    file.reset();
    if (empty) {
      RecordDirectory(ini);
      fs.RemoveFile(ini);
      std::string dir = ExtractFileDir(ini);
      std::vector<FileEntry> left;
      if (fs.List(dir, "*", &left) && left.empty()) fs.RemoveDir(dir);
    }
  }
  DeleteRegistryKey(rootcode::kLocalMachine, root);
}

void Uninstaller::RemoveBdeUse() {
  auto log = OpenLogKey(platform_, log_key_ + "\\BDE");
  if (!log) return;
  std::string text;
  int share = ReadLogText(*log, "Entries", &text) ? StrToIntDefault(text, 0) : 0;
  auto engine = platform_.Reg().Open(RegRoot::kLocalMachine, kBdeKey, RegAccess::kAll, false);
  if (!engine) return;
  int use = ReadLogText(*engine, "UseCount", &text) ? StrToIntDefault(text, 0) : 0;
  std::string config;
  if (!ReadLogText(*engine, "CONFIGFILE01", &config)) config.clear();
  long long remaining = static_cast<long long>(use) - share;
  if (remaining > 0) {
    engine->Set("UseCount", RegValue::String(std::to_string(remaining)));
    return;
  }
  engine.reset();
  DeleteRegistryKey(rootcode::kLocalMachine, kBdeKey);
  DeleteRegistryKey(rootcode::kLocalMachine, kBlwKey);
  RecordDirectory(config);
  if (IsUsableLoggedPath(config) && platform_.Files().Exists(Trim(config)))
    platform_.Files().RemoveFile(Trim(config));
}

void Uninstaller::RemoveDirectories() {
  for (const std::string& dir : directories_) platform_.Files().RemoveDir(dir);
}

bool Uninstaller::RemoveRegistryEntries() {
  const std::string root = log_key_ + "\\RegistryKeys";
  if (!OpenLogKey(platform_, root)) return true;
  bool ok = true;
  TStringList entries;
  ReadRegistrySubkeyNames(rootcode::kLocalMachine, root, &entries);
  for (int i = 0; i < entries.Count(); ++i) {
    const std::string rkey = root + "\\" + entries[i];
    auto entry = OpenLogKey(platform_, rkey);
    std::string target;
    RegValue root_value;
    RegRoot target_root;
    std::optional<uint32_t> code;
    if (!entry || !ReadLogText(*entry, "Key", &target) || !entry->Query("Root", &root_value) ||
        !(code = root_value.AsDword()) || *code > 5 ||
        !RegistryRootOfCode(static_cast<int>(*code), &target_root)) {
      ok = false;
      continue;
    }
    std::vector<std::string> names;
    std::vector<std::string> subkeys;
    if (entry->SubkeyNames(&subkeys) && [&] {
          for (auto& s : subkeys)
            if (SameText(s, "Entries")) return true;
          return false;
        }()) {
      auto values = OpenLogKey(platform_, rkey + "\\Entries");
      if (!values) {
        ok = false;
        continue;
      }
      names = ValueNames(*values);
    } else {
      names = ValueNames(*entry);
    }
    // An empty target would name the root itself: nothing of it is deleted.
    if (Trim(target).empty() || Trim(target) == "\\") continue;
    auto key = platform_.Reg().Open(target_root, target, RegAccess::kAll, false);
    if (!key) continue;
    for (const std::string& n : names) key->DeleteValue(n);
    std::vector<std::string> left_values, left_subkeys;
    key->ValueNames(&left_values);
    key->SubkeyNames(&left_subkeys);
    key.reset();
    if (left_values.empty() || left_subkeys.empty())
      DeleteRegistryKey(static_cast<int>(*code), target);
  }
  DeleteRegistryKey(rootcode::kLocalMachine, root);
  return ok;
}

std::string Uninstaller::RemoveSelf() {
  FileSystem& fs = platform_.Files();
  const std::string exe = self_path_.empty() ? platform_.System().ExePath() : self_path_;
  if (fs.RemoveFile(exe)) return product_ + " has finished removing itself";
  int platform_class = PlatformClass(platform_.System());
  if (platform_class < 0)
    throw EUninstallError("Could not get information about the current version of Windows");
  if (platform_class == platformid::kWindows) {
    std::string short_path;
    if (!fs.ShortPath(exe, &short_path)) short_path = exe;
    std::string windows;
    if (platform_.System().WindowsDirectory(&windows))
      platform_.Ini().Write(IncludeTrailingBackslash(windows) + "WININIT.INI", "Rename", "nul",
                            short_path);
  } else {
    fs.MoveEx(exe, std::string(), movefile::kReplaceExisting | movefile::kDelayUntilReboot);
  }
  return "The uninstallation program for " + product_ +
         " will be removed after you reboot your computer.";
}

}  // namespace kit
