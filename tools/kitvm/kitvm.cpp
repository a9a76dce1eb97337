// kitvm: the command-line tool for emulated Windows machines.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/emulated_machine.h"
#include "platform/emulated/host_ini.h"
#include "platform/emulated/native_runner.h"

namespace {

using kit::EmulatedMachine;

constexpr int kUsageExit = 2;

const char kUsage[] =
    "usage: kitvm COMMAND DIR ...\n"
    "  create DIR [--version 95|98|nt4|nt351|win32s|2000|xp] [--language 0409] [--codepage 1252]\n"
    "  run DIR 'C:\\PATH\\PROGRAM' [ARGS...]   run a native program inside the machine\n"
    "  put DIR HOSTFILE 'C:\\PATH'             copy a host file into the machine\n"
    "  get DIR 'C:\\PATH' HOSTFILE             copy a file out of the machine\n"
    "  restart DIR                            restart Windows (pending renames, WININIT.INI)\n"
    "  regset DIR 'HKLM\\KEY' NAME TEXT      set a string value of HKEY_LOCAL_MACHINE\n"
    "  regedit DIR [KEY]                      print the registry as a REGEDIT4 file\n"
    "  tree DIR ['C:\\PATH']                   list files with their sizes\n"
    "  journal DIR                            print the module and process journal\n"
    "  mark-in-use DIR 'C:\\PATH' [--read-allowed]  mark a file in use\n";

int Usage(const std::string& why) {
  if (!why.empty()) std::fprintf(stderr, "kitvm: %s\n", why.c_str());
  std::fputs(kUsage, stderr);
  return kUsageExit;
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "kitvm: %s\n", why.c_str());
  return 1;
}

std::unique_ptr<EmulatedMachine> OpenMachine(const std::string& dir, int* exit_code) {
  std::string error;
  auto m = EmulatedMachine::Open(dir, &error);
  if (!m) {
    std::fprintf(stderr, "kitvm: %s\n", error.c_str());
    *exit_code = kUsageExit;
    return m;
  }
  for (const auto& w : m->RegistryWarnings()) std::fprintf(stderr, "kitvm: warning: %s\n", w.c_str());
  return m;
}

int Create(const std::string& dir, const std::vector<std::string>& opts) {
  kit::MachineSettings s = kit::MachineSettings::Default();
  std::string language, codepage;
  for (size_t i = 0; i < opts.size(); ++i) {
    const std::string& o = opts[i];
    if (i + 1 >= opts.size()) return Usage("option " + o + " needs a value");
    const std::string& v = opts[++i];
    if (o == "--version") {
      if (!kit::MachineSettings::ForVersion(v, &s)) return Usage("unknown Windows version " + v);
    } else if (o == "--language") {
      language = v;
    } else if (o == "--codepage") {
      codepage = v;
    } else {
      return Usage("unknown option " + o);
    }
  }
  char* end = nullptr;
  if (!language.empty()) {
    unsigned long l = std::strtoul(language.c_str(), &end, 16);
    if (*end || l == 0 || l > 0xFFFF) return Usage("--language needs a hexadecimal language id such as 0409");
    s.language = static_cast<uint16_t>(l);
  }
  s.SetCodePage(s.ansi_code_page);
  if (!codepage.empty()) {
    unsigned long cp = std::strtoul(codepage.c_str(), &end, 10);
    if (*end || cp == 0 || cp > 65535) return Usage("--codepage needs a code page number such as 1252");
    s.SetCodePage(static_cast<uint32_t>(cp));
  }
  std::string error;
  if (!EmulatedMachine::Create(dir, s, &error)) return Fail(error);
  return 0;
}

int Run(const std::string& dir, const std::string& program, const std::vector<std::string>& args) {
  int rc = 0;
  auto m = OpenMachine(dir, &rc);
  if (!m) return rc;
  kit::EmulatedFileSystem::Resolved r;
  if (m->FilesImpl().Resolve(program, &r) != 0 || !r.exists || r.is_dir)
    return Fail("no program " + program + " in the machine at " + dir);
  if (!kit::emu::IsElfFile(r.host))
    return Fail(program + " is not a native program; only host programs put into the machine can run");
  m->AppendJournal("kitvm run " + r.LongText());
  std::string exe = r.LongText();
  m.reset();
  int status = 0;
  std::string error;
  if (!kit::emu::RunNative(r.host, dir, exe, args, nullptr, &status, &error)) return Fail(error);
  return status;
}

int Put(const std::string& dir, const std::string& host_file, const std::string& target) {
  int rc = 0;
  auto m = OpenMachine(dir, &rc);
  if (!m) return rc;
  std::string data;
  if (!kit::emu::ReadHostFile(host_file, &data)) return Fail("cannot read " + host_file);
  kit::FileSystem& fs = m->Files();
  std::string path = target;
  if (fs.DirectoryExists(path)) {
    if (path.back() != '\\') path.push_back('\\');
    path += host_file.substr(host_file.find_last_of('/') + 1);
  }
  size_t cut = path.find_last_of('\\');
  if (cut != std::string::npos && cut > 2) fs.MakeDirectories(path.substr(0, cut));
  auto f = fs.Open(path, kit::FileAccess::kWrite, kit::share::kNone, kit::Disposition::kCreateAlways);
  uint32_t written = 0;
  if (!f || !f->Write(data.data(), static_cast<uint32_t>(data.size()), &written))
    return Fail("cannot write " + path + ": " + m->ErrorText(m->LastError()));
  return 0;
}

int Get(const std::string& dir, const std::string& source, const std::string& host_file) {
  int rc = 0;
  auto m = OpenMachine(dir, &rc);
  if (!m) return rc;
  auto f = m->Files().Open(source, kit::FileAccess::kRead, kit::share::kRead, kit::Disposition::kOpenExisting);
  if (!f) return Fail("cannot read " + source + ": " + m->ErrorText(m->LastError()));
  std::string data;
  char buf[65536];
  uint32_t got = 0;
  while (f->Read(buf, sizeof buf, &got) && got > 0) data.append(buf, got);
  std::string error;
  if (!kit::emu::WriteFileAtomic(host_file, data, &error)) return Fail(error);
  return 0;
}

void Tree(kit::FileSystem& fs, const std::string& dir, int depth) {
  std::vector<kit::FileEntry> entries;
  if (!fs.List(dir, "*", &entries)) return;
  std::string base = dir.back() == '\\' ? dir : dir + "\\";
  for (const auto& e : entries) {
    std::string indent(static_cast<size_t>(depth) * 2, ' ');
    if (e.IsDirectory()) {
      std::printf("%s%s\\\n", indent.c_str(), e.name.c_str());
      Tree(fs, base + e.name, depth + 1);
    } else {
      std::printf("%s%s  %lld\n", indent.c_str(), e.name.c_str(), static_cast<long long>(e.size));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> a(argv + 1, argv + argc);
  if (a.empty() || a[0] == "--help" || a[0] == "-h") return Usage(a.empty() ? "no command given" : "");
  const std::string cmd = a[0];
  if (a.size() < 2) return Usage(cmd + " needs a machine directory");
  const std::string dir = a[1];
  std::vector<std::string> rest(a.begin() + 2, a.end());
  int rc = 0;

  if (cmd == "create") return Create(dir, rest);
  if (cmd == "run") {
    if (rest.empty()) return Usage("run needs the program's Windows path");
    return Run(dir, rest[0], std::vector<std::string>(rest.begin() + 1, rest.end()));
  }
  if (cmd == "put") {
    if (rest.size() != 2) return Usage("put needs a host file and a Windows path");
    return Put(dir, rest[0], rest[1]);
  }
  if (cmd == "get") {
    if (rest.size() != 2) return Usage("get needs a Windows path and a host file");
    return Get(dir, rest[0], rest[1]);
  }
  if (cmd == "restart") {
    if (!rest.empty()) return Usage("restart takes no arguments");
    auto m = OpenMachine(dir, &rc);
    if (!m) return rc;
    std::string error;
    if (!m->Restart(&error)) return Fail(error);
    return 0;
  }
  if (cmd == "regset") {
    if (rest.size() != 3 || rest[0].rfind("HKLM\\", 0) != 0)
      return Usage("regset needs 'HKLM\\KEY', a value name and its text");
    auto m = OpenMachine(dir, &rc);
    if (!m) return rc;
    auto key = m->Reg().Open(kit::RegRoot::kLocalMachine, rest[0].substr(5), kit::RegAccess::kAll, true);
    if (!key || !key->Set(rest[1], kit::RegValue::String(rest[2]))) return Fail("cannot set " + rest[0] + " " + rest[1]);
    return 0;
  }
  if (cmd == "regedit") {
    if (rest.size() > 1) return Usage("regedit takes at most one key");
    auto m = OpenMachine(dir, &rc);
    if (!m) return rc;
    std::string text, error;
    if (!m->RegistryText(rest.empty() ? "" : rest[0], &text, &error)) return Fail(error);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
  }
  if (cmd == "tree") {
    if (rest.size() > 1) return Usage("tree takes at most one path");
    auto m = OpenMachine(dir, &rc);
    if (!m) return rc;
    std::string root = rest.empty() ? "C:\\" : rest[0];
    if (!m->Files().DirectoryExists(root)) return Fail("no folder " + root + " in the machine at " + dir);
    std::printf("%s\n", root.c_str());
    Tree(m->Files(), root, 1);
    return 0;
  }
  if (cmd == "journal") {
    if (!rest.empty()) return Usage("journal takes no arguments");
    auto m = OpenMachine(dir, &rc);
    if (!m) return rc;
    for (const auto& line : m->Journal()) std::printf("%s\n", line.c_str());
    return 0;
  }
  if (cmd == "mark-in-use") {
    if (rest.empty() || rest.size() > 2 || (rest.size() == 2 && rest[1] != "--read-allowed"))
      return Usage("mark-in-use needs a Windows path and optionally --read-allowed");
    auto m = OpenMachine(dir, &rc);
    if (!m) return rc;
    std::string error;
    if (!m->MarkInUse(rest[0], rest.size() == 2 ? kit::InUseMode::kDenyWrite : kit::InUseMode::kDenyAll, &error))
      return Fail(error);
    return 0;
  }
  return Usage("unknown command " + cmd);
}
