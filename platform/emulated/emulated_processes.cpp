#include "platform/emulated/emulated_processes.h"

#include <cstdlib>

#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/emulated_machine.h"
#include "platform/emulated/host_ini.h"
#include "platform/emulated/native_runner.h"
#include "platform/emulated/win_path.h"

namespace kit {

namespace {

bool ParseInt(const std::string& s, long long* out) {
  if (s.empty()) return false;
  char* end = nullptr;
  long long v = std::strtoll(s.c_str(), &end, 0);
  if (*end != 0) return false;
  *out = v;
  return true;
}

// "fail N" -> N.
bool ParseFailure(const std::string& s, uint32_t* code) {
  if (s.compare(0, 4, "fail") != 0) return false;
  long long v = 2;
  std::string rest = s.substr(4);
  size_t a = rest.find_first_not_of(' ');
  if (a != std::string::npos && !ParseInt(rest.substr(a), &v)) return false;
  *code = static_cast<uint32_t>(v);
  return true;
}

std::string Describe(const std::vector<CallArg>& args) {
  std::string s = "(";
  for (size_t i = 0; i < args.size(); ++i) {
    if (i) s += ", ";
    switch (args[i].kind) {
      case CallArg::Kind::kInt: s += std::to_string(args[i].value); break;
      case CallArg::Kind::kString: s += "\"" + args[i].text + "\""; break;
      case CallArg::Kind::kNull: s += "NULL"; break;
    }
  }
  return s + ")";
}

}  // namespace

std::optional<std::string> EmulatedProcesses::Outcome(const std::string& path,
                                                      const std::string& host,
                                                      const std::string& key, bool* has_section) {
  if (has_section) *has_section = false;
  emu::HostIni ini;
  if (!ini.Load(machine_.OutcomesFile(), nullptr)) return std::nullopt;
  std::string leaf = path.substr(path.rfind('\\') + 1);
  const emu::HostIni::Section* by_name = nullptr;
  const emu::HostIni::Section* found = nullptr;
  for (const auto& s : ini.Sections()) {
    if (s.name.find('\\') == std::string::npos) {
      if (!by_name && emu::EqualNoCase(s.name, leaf)) by_name = &s;
      continue;
    }
    EmulatedFileSystem::Resolved r;
    if (found) continue;
    if (emu::EqualNoCase(s.name, path) ||
        (machine_.FilesImpl().Resolve(s.name, &r) == 0 && r.exists && r.host == host)) {
      found = &s;
    }
  }
  // The section of the path first, then the one of the bare file name.
  std::optional<std::string> value;
  for (const auto* sec : {found, by_name}) {
    if (!sec) continue;
    if (has_section) *has_section = true;
    for (const auto& [k, v] : sec->entries)
      if (!value && emu::EqualNoCase(k, key)) value = v;
  }
  return value;
}

bool EmulatedProcesses::FindProgram(const std::string& cl, std::string* path, std::string* host,
                                    std::string* rest) {
  EmulatedFileSystem& fs = machine_.FilesImpl();
  auto try_file = [&](std::string candidate) {
    for (int pass = 0; pass < 2; ++pass) {
      EmulatedFileSystem::Resolved r;
      if (fs.Resolve(candidate, &r) == 0 && r.exists && !r.is_dir) {
        *path = r.LongText();
        *host = r.host;
        return true;
      }
      std::string leaf = candidate.substr(candidate.find_last_of("\\/") + 1);
      if (leaf.find('.') != std::string::npos) break;
      candidate += ".EXE";
    }
    return false;
  };
  size_t start = cl.find_first_not_of(" \t");
  if (start == std::string::npos) return false;
  if (cl[start] == '"') {
    size_t close = cl.find('"', start + 1);
    if (close == std::string::npos) return false;
    *rest = cl.substr(close + 1);
    return try_file(cl.substr(start + 1, close - start - 1));
  }
  // Unquoted: the shortest prefix ending at a blank that names a file.
  size_t pos = start;
  for (;;) {
    size_t blank = cl.find_first_of(" \t", pos);
    std::string candidate = cl.substr(start, blank == std::string::npos ? std::string::npos : blank - start);
    if (try_file(candidate)) {
      *rest = blank == std::string::npos ? std::string() : cl.substr(blank);
      return true;
    }
    if (blank == std::string::npos) return false;
    pos = blank + 1;
  }
}

bool EmulatedProcesses::RunAndWait(const std::string& command_line,
                                   const std::function<void()>& pump, uint32_t* exit_code) {
  std::string path, host, rest;
  std::string line = "RunAndWait " + command_line + " -> ";
  if (!FindProgram(command_line, &path, &host, &rest)) {
    machine_.AppendJournal(line + "failed 2");
    machine_.SetError(winerr::kFileNotFound);
    return false;
  }
  uint32_t code = 0;
  if (auto start = Outcome(path, host, "Start"); start && ParseFailure(*start, &code)) {
    machine_.AppendJournal(line + "failed " + std::to_string(code));
    machine_.SetError(code);
    return false;
  }
  long long v = 0;
  if (auto ec = Outcome(path, host, "ExitCode"); ec && ParseInt(*ec, &v)) {
    *exit_code = static_cast<uint32_t>(v);
    machine_.AppendJournal(line + "exit " + std::to_string(*exit_code));
    return true;
  }
  auto run = Outcome(path, host, "Run");
  if ((!run || !emu::EqualNoCase(*run, "journal")) && emu::IsElfFile(host)) {
    int status = 0;
    std::string error;
    machine_.AppendJournal("RunAndWait " + command_line + " (native)");
    if (!emu::RunNative(host, machine_.HostDir(), path, emu::SplitCommandLine(rest), pump, &status,
                        &error)) {
      machine_.AppendJournal(line + "failed 193 (" + error + ")");
      machine_.SetError(winerr::kBadExeFormat);
      return false;
    }
    *exit_code = static_cast<uint32_t>(status);
    machine_.AppendJournal(line + "exit " + std::to_string(*exit_code));
    return true;
  }
  *exit_code = 0;
  machine_.AppendJournal(line + "exit 0");
  return true;
}

uint32_t EmulatedProcesses::Exec(const std::string& command_line, bool hidden) {
  std::string path, host, rest;
  std::string line = "Exec " + command_line + (hidden ? " (hidden)" : " (shown)") + " -> ";
  if (!FindProgram(command_line, &path, &host, &rest)) {
    machine_.AppendJournal(line + "2");
    machine_.SetError(winerr::kFileNotFound);
    return 2;  // WinExec's ERROR_FILE_NOT_FOUND
  }
  uint32_t result = 33;
  uint32_t code;
  long long v;
  if (auto start = Outcome(path, host, "Start"); start && ParseFailure(*start, &code)) {
    result = code < 32 ? code : 0;
    machine_.SetError(code);
  } else if (auto e = Outcome(path, host, "Exec"); e && ParseInt(*e, &v)) {
    result = static_cast<uint32_t>(v);
  }
  machine_.AppendJournal(line + std::to_string(result));
  return result;
}

ModuleHandle EmulatedProcesses::LoadModule(const std::string& path) {
  EmulatedFileSystem& fs = machine_.FilesImpl();
  EmulatedFileSystem::Resolved r;
  bool found = false;
  bool bare = path.find_first_of("\\/:") == std::string::npos;
  if (bare) {
    // The search order of LoadLibrary: the program's folder, the current
    // folder, the system and the Windows folder.
    std::string exe = machine_.ExePath();
    std::vector<std::string> dirs;
    if (exe.find('\\') != std::string::npos) dirs.push_back(exe.substr(0, exe.rfind('\\')));
    dirs.push_back(fs.CurrentDir());
    dirs.push_back(machine_.Settings().system_dir);
    dirs.push_back(machine_.Settings().windows_dir);
    std::string name = path.find('.') == std::string::npos ? path + ".DLL" : path;
    for (auto d : dirs) {
      if (d.back() != '\\') d.push_back('\\');
      if (fs.Resolve(d + name, &r) == 0 && r.exists && !r.is_dir) {
        found = true;
        break;
      }
    }
  } else {
    found = fs.Resolve(path, &r) == 0 && r.exists && !r.is_dir;
  }
  std::string line = "LoadModule " + path + " -> ";
  if (!found) {
    machine_.AppendJournal(line + "failed 126");
    machine_.SetError(winerr::kModNotFound);
    return 0;
  }
  std::string full = r.LongText();
  bool has_section = false;
  uint32_t code;
  auto load = Outcome(full, r.host, "Load", &has_section);
  if (load && ParseFailure(*load, &code)) {
    machine_.AppendJournal(line + "failed " + std::to_string(code));
    machine_.SetError(code);
    return 0;
  }
  for (auto& [h, m] : modules_)
    if (m.host == r.host) {
      ++m.refs;
      machine_.AppendJournal(line + "ok");
      return h;
    }
  std::string bytes;
  emu::ReadHostFile(r.host, &bytes);
  std::optional<emu::PeExports> exports = emu::ReadPeExports(bytes);
  if (!exports && !has_section) {
    machine_.AppendJournal(line + "failed 193");
    machine_.SetError(winerr::kBadExeFormat);
    return 0;
  }
  ModuleHandle h = next_;
  next_ += 0x10000;
  modules_[h] = Module{full, r.host, 1, exports};
  machine_.AppendJournal(line + "ok");
  return h;
}

bool EmulatedProcesses::HasExport(ModuleHandle module, const std::string& export_name) {
  auto it = modules_.find(module);
  if (it == modules_.end()) {
    machine_.SetError(winerr::kInvalidHandle);
    return false;
  }
  const Module& m = it->second;
  long long v;
  if (auto o = Outcome(m.path, m.host, export_name)) {
    if (ParseInt(*o, &v)) return true;
    machine_.SetError(winerr::kProcNotFound);
    return false;
  }
  if (m.exports && m.exports->Has(export_name)) return true;
  machine_.SetError(winerr::kProcNotFound);
  return false;
}

bool EmulatedProcesses::Call(ModuleHandle module, const std::string& export_name,
                             const std::vector<CallArg>& args, int32_t* result) {
  auto it = modules_.find(module);
  if (it == modules_.end()) {
    machine_.SetError(winerr::kInvalidHandle);
    return false;
  }
  const Module& m = it->second;
  std::string line = "Call " + m.path + "!" + export_name + Describe(args) + " -> ";
  long long v = 0;
  bool exists = false;
  if (auto o = Outcome(m.path, m.host, export_name)) {
    exists = ParseInt(*o, &v);
  } else if (m.exports && m.exports->Has(export_name)) {
    exists = true;
  }
  if (!exists) {
    machine_.AppendJournal(line + "missing");
    machine_.SetError(winerr::kProcNotFound);
    return false;
  }
  *result = static_cast<int32_t>(v);
  machine_.AppendJournal(line + std::to_string(*result));
  return true;
}

void EmulatedProcesses::UnloadModule(ModuleHandle module) {
  auto it = modules_.find(module);
  if (it == modules_.end()) return;
  machine_.AppendJournal("UnloadModule " + it->second.path);
  if (--it->second.refs <= 0) modules_.erase(it);
}

bool EmulatedProcesses::OleInitialize() {
  machine_.AppendJournal("OleInitialize");
  return true;
}

void EmulatedProcesses::OleUninitialize() { machine_.AppendJournal("OleUninitialize"); }

}  // namespace kit
