#include "platform/emulated/emulated_machine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/emulated_ini.h"
#include "platform/emulated/emulated_processes.h"
#include "platform/emulated/emulated_progman.h"
#include "platform/emulated/emulated_registry.h"
#include "platform/emulated/emulated_restart.h"
#include "platform/emulated/emulated_system_info.h"
#include "platform/emulated/host_ini.h"
#include "platform/emulated/win_path.h"

namespace kit {

namespace {

const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";

bool IsDir(const std::string& p) {
  struct stat st;
  return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

EmulatedMachine::EmulatedMachine(std::string host_dir, MachineSettings settings)
    : host_dir_(std::move(host_dir)), settings_(std::move(settings)) {}

EmulatedMachine::~EmulatedMachine() = default;

FileSystem& EmulatedMachine::Files() { return *files_; }
Registry& EmulatedMachine::Reg() { return *reg_; }
IniFiles& EmulatedMachine::Ini() { return *ini_; }
SystemInfo& EmulatedMachine::System() { return *system_; }
Processes& EmulatedMachine::Procs() { return *procs_; }
kit::Restart& EmulatedMachine::Reboot() { return *restart_; }
DdeClient& EmulatedMachine::Dde() { return *progman_; }

std::string EmulatedMachine::OutcomesFile() const { return host_dir_ + "/outcomes.ini"; }
std::string EmulatedMachine::InUseFile() const { return host_dir_ + "/inuse.txt"; }

bool EmulatedMachine::IsMachine(const std::string& host_dir) {
  struct stat st;
  return ::stat((host_dir + "/machine.ini").c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool EmulatedMachine::Init(std::string* error) {
  files_ = std::make_unique<EmulatedFileSystem>(*this);
  reg_ = std::make_unique<EmulatedRegistry>(*this);
  ini_ = std::make_unique<EmulatedIni>(*this);
  system_ = std::make_unique<EmulatedSystemInfo>(*this);
  procs_ = std::make_unique<EmulatedProcesses>(*this);
  restart_ = std::make_unique<EmulatedRestart>(*this);
  progman_ = std::make_unique<EmulatedProgman>(*this);
  if (!files_->Load(error)) return false;
  return reg_->Load(error);
}

std::unique_ptr<EmulatedMachine> EmulatedMachine::Open(const std::string& host_dir_in,
                                                       std::string* error) {
  std::string host_dir = host_dir_in;
  while (host_dir.size() > 1 && host_dir.back() == '/') host_dir.pop_back();
  if (!IsDir(host_dir)) {
    struct stat st;
    bool exists = ::stat(host_dir.c_str(), &st) == 0;
    *error = "no machine at " + host_dir +
             (exists ? " (it is a file, not a directory)" : " (the directory does not exist)");
    return nullptr;
  }
  if (!IsMachine(host_dir)) {
    *error = "no machine at " + host_dir + " (it has no machine.ini)";
    return nullptr;
  }
  emu::HostIni ini;
  std::string why;
  MachineSettings settings;
  if (!ini.Load(host_dir + "/machine.ini", &why) || !MachineSettings::Parse(ini, &settings, &why)) {
    *error = "machine at " + host_dir + ": " + why;
    return nullptr;
  }
  std::unique_ptr<EmulatedMachine> m(new EmulatedMachine(host_dir, settings));
  if (!m->Init(&why)) {
    *error = "machine at " + host_dir + ": " + why;
    return nullptr;
  }
  return m;
}

std::unique_ptr<EmulatedMachine> EmulatedMachine::Create(const std::string& host_dir_in,
                                                         const MachineSettings& settings,
                                                         std::string* error) {
  std::string host_dir = host_dir_in;
  while (host_dir.size() > 1 && host_dir.back() == '/') host_dir.pop_back();
  std::error_code ec;
  std::filesystem::create_directories(host_dir, ec);
  if (!IsDir(host_dir)) {
    *error = "cannot create the machine directory " + host_dir;
    return nullptr;
  }
  if (IsMachine(host_dir)) {
    *error = "there is a machine at " + host_dir + " already";
    return nullptr;
  }
  if (!settings.Drive('C')) {
    *error = "a machine needs a drive C";
    return nullptr;
  }
  emu::HostIni ini;
  settings.Store(&ini);
  std::string why;
  // Fixed drives get their folder; the floppy drives A: and B: start empty.
  for (const auto& d : settings.drives) {
    if (d.letter == 'A' || d.letter == 'B') continue;
    std::filesystem::create_directories(host_dir + "/drives/" + std::string(1, static_cast<char>(d.letter | 0x20)), ec);
  }
  // The folders and registry entries every installation expects.
  const std::string& win = settings.windows_dir;
  std::string drive = win.substr(0, 2);
  std::string program_files = drive + "\\Program Files";
  std::string common = program_files + "\\Common Files";
  std::string start_menu = win + "\\Start Menu";
  // The starting registry is written whole, at once.
  emu::RegTrees trees;
  auto key = [&](RegRoot root, const std::string& path) {
    emu::RegNode* n = root == RegRoot::kLocalMachine  ? &trees.local_machine
                      : root == RegRoot::kCurrentUser ? &trees.current_user
                                                      : &trees.users;
    size_t i = 0;
    while (i < path.size()) {
      size_t j = path.find('\\', i);
      if (j == std::string::npos) j = path.size();
      n = n->AddChild(path.substr(i, j - i));
      i = j + 1;
    }
    return n;
  };
  const char* kCv = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  const char* kFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  emu::RegNode* cv = key(RegRoot::kLocalMachine, kCv);
  cv->SetValue("ProgramFilesDir", RegValue::String(program_files));
  cv->SetValue("CommonFilesDir", RegValue::String(common));
  cv->SetValue("SystemRoot", RegValue::String(win));
  key(RegRoot::kLocalMachine, std::string(kCv) + "\\Uninstall");
  key(RegRoot::kLocalMachine, emu::kClassesRootAlias);
  key(RegRoot::kLocalMachine, emu::kCurrentConfigAlias);
  key(RegRoot::kLocalMachine, kSessionManager);
  emu::RegNode* folders = key(RegRoot::kCurrentUser, kFolders);
  folders->SetValue("Start Menu", RegValue::String(start_menu));
  folders->SetValue("Programs", RegValue::String(start_menu + "\\Programs"));
  folders->SetValue("Startup", RegValue::String(start_menu + "\\Programs\\Startup"));
  folders->SetValue("Desktop", RegValue::String(win + "\\Desktop"));
  folders->SetValue("Fonts", RegValue::String(win + "\\Fonts"));
  key(RegRoot::kUsers, ".DEFAULT");
  if (settings.IsNT()) {
    emu::RegNode* nt = key(RegRoot::kLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    nt->SetValue("CurrentVersion", RegValue::String(std::to_string(settings.version.major) + "." +
                                                    std::to_string(settings.version.minor)));
    nt->SetValue("CurrentBuildNumber", RegValue::String(std::to_string(settings.version.build)));
  }
  if (!emu::WriteFileDurable(host_dir + "/registry.reg", emu::WriteRegedit4(trees), &why)) {
    *error = "cannot write the starting registry of the machine at " + host_dir + ": " + why;
    return nullptr;
  }
  if (!ini.Save(host_dir + "/machine.ini", &why)) {
    *error = why;
    return nullptr;
  }
  std::unique_ptr<EmulatedMachine> m(new EmulatedMachine(host_dir, settings));
  if (!m->Init(&why)) {
    *error = why;
    return nullptr;
  }
  FileSystem& fs = m->Files();
  for (const std::string& d : {win, settings.system_dir, settings.temp_dir, common,
                               start_menu + "\\Programs\\Startup", win + "\\Desktop",
                               win + "\\Fonts"}) {
    if (!fs.MakeDirectories(d)) {
      *error = "cannot create " + d + " in the machine at " + host_dir;
      return nullptr;
    }
  }
  return m;
}

void EmulatedMachine::SetProcess(const std::string& exe_path,
                                 const std::vector<std::string>& arguments) {
  exe_path_ = exe_path;
  arguments_ = arguments;
  size_t cut = exe_path.rfind('\\');
  if (cut != std::string::npos) {
    std::string dir = exe_path.substr(0, cut);
    if (dir.size() == 2) dir += "\\";
    files_->SetCurrentDir(dir);
  }
}

std::string EmulatedMachine::HostPath(const std::string& windows_path, std::string* error) {
  EmulatedFileSystem::Resolved r;
  if (uint32_t e = files_->Resolve(windows_path, &r)) {
    if (error) *error = windows_path + ": " + ErrorText(e);
    return {};
  }
  return r.host;
}

// ---------------------------------------------------------------- errors

std::string EmulatedMachine::ErrorText(uint32_t code) {
  switch (code) {
    case 0: return "The operation completed successfully.";
    case 1: return "Incorrect function.";
    case 2: return "The system cannot find the file specified.";
    case 3: return "The system cannot find the path specified.";
    case 5: return "Access is denied.";
    case 6: return "The handle is invalid.";
    case 8: return "Not enough storage is available to process this command.";
    case 11: return "An attempt was made to load a program with an incorrect format.";
    case 13: return "The data is invalid.";
    case 17: return "The system cannot move the file to a different disk drive.";
    case 21: return "The device is not ready.";
    case 29: return "The system cannot write to the specified device.";
    case 30: return "The system cannot read from the specified device.";
    case 32: return "The process cannot access the file because it is being used by another process.";
    case 38: return "Reached the end of the file.";
    case 39: return "The disk is full.";
    case 50: return "The request is not supported.";
    case 80: return "The file exists.";
    case 87: return "The parameter is incorrect.";
    case 112: return "There is not enough space on the disk.";
    case 120: return "This function is not supported on this system.";
    case 122: return "The data area passed to a system call is too small.";
    case 123: return "The filename, directory name, or volume label syntax is incorrect.";
    case 126: return "The specified module could not be found.";
    case 127: return "The specified procedure could not be found.";
    case 131: return "An attempt was made to move the file pointer before the beginning of the file.";
    case 145: return "The directory is not empty.";
    case 161: return "The specified path is invalid.";
    case 183: return "Cannot create a file when that file already exists.";
    case 193: return "%1 is not a valid Win32 application.";
    case 234: return "More data is available.";
    case 259: return "No more data is available.";
    case 267: return "The directory name is invalid.";
    case 1009: return "The configuration registry database is corrupt.";
    case 1018: return "Illegal operation attempted on a registry key that has been marked for deletion.";
    case 1314: return "A required privilege is not held by the client.";
    default: return "Unknown error " + std::to_string(code) + ".";
  }
}

// ---------------------------------------------------------------- in use

std::vector<EmulatedMachine::InUseMark> EmulatedMachine::InUseMarks() const {
  std::vector<InUseMark> marks;
  std::string data;
  if (!emu::ReadHostFile(InUseFile(), &data)) return marks;
  size_t pos = 0;
  while (pos < data.size()) {
    size_t nl = data.find('\n', pos);
    if (nl == std::string::npos) nl = data.size();
    std::string line = data.substr(pos, nl - pos);
    pos = nl + 1;
    size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    InUseMode mode = line.substr(0, tab) == "deny-write" ? InUseMode::kDenyWrite : InUseMode::kDenyAll;
    marks.push_back({mode, line.substr(tab + 1)});
  }
  return marks;
}

bool EmulatedMachine::SaveInUse(const std::vector<InUseMark>& marks, std::string* error) {
  std::string data;
  for (const auto& m : marks)
    data += std::string(m.mode == InUseMode::kDenyAll ? "deny-all" : "deny-write") + "\t" + m.path + "\n";
  return emu::WriteFileAtomic(InUseFile(), data, error);
}

bool EmulatedMachine::MarkInUse(const std::string& windows_path, InUseMode mode,
                                std::string* error) {
  EmulatedFileSystem::Resolved r;
  uint32_t e = files_->Resolve(windows_path, &r);
  if (e || !r.exists || r.is_dir) {
    if (error) *error = "no file " + windows_path + " in the machine at " + host_dir_;
    return false;
  }
  ClearInUse(windows_path);
  std::vector<InUseMark> marks = InUseMarks();
  marks.push_back({mode, r.LongText()});
  return SaveInUse(marks, error);
}

bool EmulatedMachine::ClearInUse(const std::string& windows_path) {
  EmulatedFileSystem::Resolved target;
  if (files_->Resolve(windows_path, &target) != 0) return false;
  struct stat st;
  if (::stat(InUseFile().c_str(), &st) != 0) return false;
  std::vector<InUseMark> kept;
  bool removed = false;
  for (auto& m : InUseMarks()) {
    EmulatedFileSystem::Resolved r;
    if (files_->Resolve(m.path, &r) == 0 && r.host == target.host)
      removed = true;
    else
      kept.push_back(std::move(m));
  }
  return SaveInUse(kept, nullptr) && removed;
}

// ---------------------------------------------------------------- outcomes

bool EmulatedMachine::SetOutcome(const std::string& file, const std::string& key,
                                 const std::string& value) {
  emu::HostIni ini;
  if (!ini.Load(OutcomesFile(), nullptr)) return false;
  ini.Set(file, key, value);
  return ini.Save(OutcomesFile(), nullptr);
}

bool EmulatedMachine::SetExportResult(const std::string& module, const std::string& export_name,
                                      int32_t result) {
  return SetOutcome(module, export_name, std::to_string(result));
}

bool EmulatedMachine::SetExportMissing(const std::string& module, const std::string& export_name) {
  return SetOutcome(module, export_name, "missing");
}

bool EmulatedMachine::SetLoadFailure(const std::string& module, uint32_t error_code) {
  return SetOutcome(module, "Load", "fail " + std::to_string(error_code));
}

bool EmulatedMachine::SetExitCode(const std::string& program, uint32_t exit_code) {
  return SetOutcome(program, "ExitCode", std::to_string(exit_code));
}

// ---------------------------------------------------------------- journal

void EmulatedMachine::AppendJournal(const std::string& line) {
  int fd = ::open((host_dir_ + "/journal.txt").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd < 0) return;
  std::string text = line + "\n";
  ssize_t w = ::write(fd, text.data(), text.size());
  (void)w;
  ::close(fd);
}

std::vector<std::string> EmulatedMachine::Journal() const {
  std::vector<std::string> lines;
  std::string data;
  if (!emu::ReadHostFile(host_dir_ + "/journal.txt", &data)) return lines;
  size_t pos = 0;
  while (pos < data.size()) {
    size_t nl = data.find('\n', pos);
    if (nl == std::string::npos) nl = data.size();
    lines.push_back(data.substr(pos, nl - pos));
    pos = nl + 1;
  }
  return lines;
}

void EmulatedMachine::ClearJournal() { ::unlink((host_dir_ + "/journal.txt").c_str()); }

// ---------------------------------------------------------------- restart

bool EmulatedMachine::RunWininit() {
  std::string ini_path = settings_.windows_dir + "\\WININIT.INI";
  EmulatedFileSystem::Resolved r;
  if (files_->Resolve(ini_path, &r) != 0 || !r.exists || r.is_dir) return true;
  std::string data;
  if (!emu::ReadHostFile(r.host, &data)) return false;
  bool in_rename = false;
  size_t pos = 0;
  while (pos < data.size()) {
    size_t nl = data.find('\n', pos);
    if (nl == std::string::npos) nl = data.size();
    std::string line = data.substr(pos, nl - pos);
    pos = nl + 1;
    auto trim = [](std::string s) {
      size_t a = s.find_first_not_of(" \t\r");
      if (a == std::string::npos) return std::string();
      return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
    };
    line = trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      in_rename = close != std::string::npos && emu::EqualNoCase(trim(line.substr(1, close - 1)), "rename");
      continue;
    }
    size_t eq = line.find('=');
    if (!in_rename || eq == std::string::npos) continue;
    std::string dest = trim(line.substr(0, eq)), src = trim(line.substr(eq + 1));
    bool ok;
    if (emu::EqualNoCase(dest, "NUL")) {
      ok = files_->RemoveFile(src);
    } else {
      if (files_->Exists(dest)) files_->RemoveFile(dest);
      ok = files_->MoveEx(src, dest, movefile::kReplaceExisting | movefile::kCopyAllowed);
    }
    AppendJournal("Wininit " + dest + "=" + src + " -> " +
                  (ok ? std::string("ok") : "failed " + std::to_string(last_error_)));
  }
  std::string bak = settings_.windows_dir + "\\WININIT.BAK";
  return files_->MoveEx(ini_path, bak, movefile::kReplaceExisting);
}

bool EmulatedMachine::RunPendingRenames() {
  auto key = reg_->Open(RegRoot::kLocalMachine, kSessionManager, RegAccess::kAll, false);
  if (!key) return true;
  RegValue v;
  if (!key->Query("PendingFileRenameOperations", &v)) return true;
  // Strings in pairs; an empty string stands for "delete" and so cannot end
  // the list: take every zero-terminated string up to the final zero.
  std::vector<std::string> items;
  std::string data = v.data;
  if (!data.empty() && data.back() == '\0') data.pop_back();
  size_t pos = 0;
  while (pos < data.size()) {
    size_t z = data.find('\0', pos);
    if (z == std::string::npos) z = data.size();
    items.push_back(data.substr(pos, z - pos));
    pos = z + 1;
  }
  auto strip = [](std::string s) {
    if (s.compare(0, 4, "\\??\\") == 0) s.erase(0, 4);
    return s;
  };
  for (size_t i = 0; i < items.size(); i += 2) {
    std::string from = strip(items[i]);
    std::string to = i + 1 < items.size() ? items[i + 1] : std::string();
    bool ok;
    if (to.empty()) {
      ok = files_->DirectoryExists(from) ? files_->RemoveDir(from) : files_->RemoveFile(from);
    } else {
      bool replace = to[0] == '!';
      if (replace) to.erase(0, 1);
      to = strip(to);
      ok = files_->MoveEx(from, to, movefile::kCopyAllowed | (replace ? movefile::kReplaceExisting : 0));
    }
    AppendJournal("PendingRename " + from + " -> " + (to.empty() ? "(delete)" : to) + " -> " +
                  (ok ? std::string("ok") : "failed " + std::to_string(last_error_)));
  }
  return key->DeleteValue("PendingFileRenameOperations");
}

bool EmulatedMachine::Restart(std::string* error) {
  AppendJournal("Restart");
  files_->InvalidateHandles();
  ::unlink(InUseFile().c_str());
  // The 95 family's WININIT.EXE runs before Windows starts; the NT Session
  // Manager's pending renames then (a machine normally has only one of the
  // two; both are carried out when present, in this order).
  if (!RunWininit()) {
    if (error) *error = "cannot rename WININIT.INI to WININIT.BAK: " + ErrorText(last_error_);
    return false;
  }
  if (!RunPendingRenames()) {
    if (error) *error = "cannot delete PendingFileRenameOperations: " + ErrorText(last_error_);
    return false;
  }
  // Windows starts with its registry written out.
  std::string why;
  if (!reg_->Compact(&why)) {
    if (error) *error = "cannot write the registry: " + why;
    return false;
  }
  return true;
}

bool EmulatedMachine::RegistryText(const std::string& key, std::string* text, std::string* error) {
  return reg_->Export(key, text, error);
}

const std::vector<std::string>& EmulatedMachine::RegistryWarnings() const {
  return reg_->Warnings();
}

}  // namespace kit
