#include "platform/emulated/native_runner.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

extern char** environ;

namespace kit::emu {

std::vector<std::string> SplitCommandLine(const std::string& cl) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < cl.size()) {
    while (i < cl.size() && (cl[i] == ' ' || cl[i] == '\t')) ++i;
    if (i >= cl.size()) break;
    std::string arg;
    bool quoted = false;
    while (i < cl.size() && (quoted || (cl[i] != ' ' && cl[i] != '\t'))) {
      if (cl[i] == '"') quoted = !quoted;
      else arg.push_back(cl[i]);
      ++i;
    }
    out.push_back(arg);
  }
  return out;
}

bool IsElfFile(const std::string& host_path) {
  FILE* f = std::fopen(host_path.c_str(), "rb");
  if (!f) return false;
  char magic[4] = {};
  size_t n = std::fread(magic, 1, 4, f);
  std::fclose(f);
  return n == 4 && std::memcmp(magic, "\x7f" "ELF", 4) == 0;
}

bool RunNative(const std::string& host_program, const std::string& machine_dir,
               const std::string& exe_windows_path, const std::vector<std::string>& args,
               const std::function<void()>& pump, int* exit_code, std::string* error) {
  struct stat st;
  if (::stat(host_program.c_str(), &st) != 0) {
    *error = "cannot find " + host_program;
    return false;
  }
  if (!(st.st_mode & S_IXUSR)) ::chmod(host_program.c_str(), st.st_mode | S_IXUSR);

  std::vector<std::string> env_store;
  for (char** e = environ; *e; ++e) {
    if (std::strncmp(*e, "KIT_MACHINE=", 12) == 0 || std::strncmp(*e, "KIT_EXE_PATH=", 13) == 0)
      continue;
    env_store.push_back(*e);
  }
  env_store.push_back("KIT_MACHINE=" + machine_dir);
  env_store.push_back("KIT_EXE_PATH=" + exe_windows_path);
  std::vector<char*> envp;
  for (auto& s : env_store) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::vector<std::string> argv_store{host_program};
  argv_store.insert(argv_store.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& s : argv_store) argv.push_back(s.data());
  argv.push_back(nullptr);

  pid_t pid;
  int rc = ::posix_spawn(&pid, host_program.c_str(), nullptr, nullptr, argv.data(), envp.data());
  if (rc != 0) {
    *error = "cannot start " + host_program + ": " + std::strerror(rc);
    return false;
  }
  int status = 0;
  for (;;) {
    pid_t w = ::waitpid(pid, &status, pump ? WNOHANG : 0);
    if (w == pid) break;
    if (w < 0 && errno != EINTR) {
      *error = std::string("waiting for the program failed: ") + std::strerror(errno);
      return false;
    }
    if (pump) {
      pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  if (WIFEXITED(status)) *exit_code = WEXITSTATUS(status);
  else if (WIFSIGNALED(status)) *exit_code = 128 + WTERMSIG(status);
  else *exit_code = 1;
  return true;
}

}  // namespace kit::emu
