// A small native program for the kitvm test: it reports what the machine
// tells it, writes a registry value and a file, and exits with a code given
// on its command line.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/host.h"

int main(int argc, char** argv) {
  std::string error;
  auto p = kit::OpenHostPlatform(argc, argv, &error);
  if (!p) {
    std::fprintf(stderr, "probe: %s\n", error.c_str());
    return 3;
  }
  std::printf("exe=%s\n", p->System().ExePath().c_str());
  for (const auto& a : p->System().Arguments()) std::printf("arg=%s\n", a.c_str());
  std::printf("cwd=%s\n", p->Files().CurrentDir().c_str());
  auto key = p->Reg().Open(kit::RegRoot::kLocalMachine, "SOFTWARE\\Probe", kit::RegAccess::kAll, true);
  if (!key || !key->Set("Ran", kit::RegValue::String("yes \"quoted\" C:\\path"))) return 4;
  auto f = p->Files().Open("PROBE.TXT", kit::FileAccess::kWrite, kit::share::kNone,
                           kit::Disposition::kCreateAlways);
  uint32_t n = 0;
  if (!f || !f->Write("hello", 5, &n)) return 5;
  auto args = p->System().Arguments();
  return args.empty() ? 0 : std::atoi(args.back().c_str());
}
