// Tinst.exe: the Tavrix product's own set-up helper, started by the
// installer's good-install page with "/A". It checks the installed tree
// beside it (the main program and libraries present, the files counted) and
// reports the result: natively on standard output, on Windows in its exit
// code only, so that an unattended installation never waits for it.
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <memory>

#include "base/paths.h"
#include "platform/host.h"
#endif

namespace {

const char* const kRequired[] = {"Tavrix.exe", "Tavrix.dll", "Tavfax.dll"};

#ifdef _WIN32
std::string OwnDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p = path;
  return p.substr(0, p.find_last_of('\\'));
}
bool FileExists(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}
int CountFiles(const std::string& dir) {
  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &d);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do {
    const std::string name = d.cFileName;
    if (name == "." || name == "..") continue;
    n += (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? CountFiles(dir + "\\" + name) : 1;
  } while (FindNextFileA(h, &d));
  FindClose(h);
  return n;
}
#else
kit::Platform* g_platform = nullptr;
std::string OwnDirectory() {
  return kit::ExcludeTrailingBackslash(kit::ExtractFilePath(g_platform->System().ExePath()));
}
bool FileExists(const std::string& path) {
  kit::FileSystem& fs = g_platform->Files();
  return fs.Exists(path) && !fs.DirectoryExists(path);
}
int CountFiles(const std::string& dir) {
  std::vector<kit::FileEntry> entries;
  if (!g_platform->Files().List(dir, "*", &entries)) return 0;
  int n = 0;
  for (const kit::FileEntry& e : entries) {
    if (e.name == "." || e.name == "..") continue;
    n += e.IsDirectory() ? CountFiles(dir + "\\" + e.name) : 1;
  }
  return n;
}
#endif

// 0 when the tree is complete; the report names what is missing.
int Check(std::string* report) {
  const std::string dir = OwnDirectory();
  std::string missing;
  for (const char* name : kRequired)
    if (!FileExists(dir + "\\" + name)) missing += std::string(missing.empty() ? "" : ", ") + name;
  *report = "Tinst /A: " + dir + ": " + std::to_string(CountFiles(dir)) + " files";
  if (!missing.empty()) {
    *report += "; missing " + missing;
    return 1;
  }
  *report += "; Tavrix is ready";
  return 0;
}

bool IsSwitchA(const char* arg) {
  return (arg[0] == '/' || arg[0] == '-') && (arg[1] == 'A' || arg[1] == 'a') && arg[2] == '\0';
}

}  // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
  std::string error;
  std::unique_ptr<kit::Platform> platform = kit::OpenHostPlatform(argc, argv, &error);
  if (!platform) {
    std::fprintf(stderr, "Tinst: %s\n", error.c_str());
    return 3;
  }
  g_platform = platform.get();
#endif
  if (argc != 2 || !IsSwitchA(argv[1])) {
#ifndef _WIN32
    std::fprintf(stderr, "Tinst: start it with /A after the installation\n");
#endif
    return 2;
  }
  std::string report;
  const int code = Check(&report);
#ifndef _WIN32
  std::printf("%s\n", report.c_str());
#endif
  return code;
}
