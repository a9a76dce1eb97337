// registry_bench: the cost of one registry write on the emulated machine as
// the registry grows. For each size it creates a machine whose registry
// already holds that many values, then writes an installation log the way
// the installer does (per file: open the "Files" key, read "Entries", write
// "File<n>" and "Entries"), and prints the time per write.
//
//   registry_bench [--writes N] [--existing N[,N...]] [--dir HOSTDIR]
#include <stdlib.h>

#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/emulated/emulated_machine.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// Processor time of this process (user and system), in seconds: the cost of
// a write without the wait for the disk, which varies with its load.
double CpuSeconds() {
  struct timespec ts;
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

const char kLogKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Bench Product\\Files";

// Appends `count` values to registry.reg, 100 to a key, as a registry that
// was filled before the installation.
bool Prefill(const std::string& dir, int count) {
  std::ofstream out(dir + "/registry.reg", std::ios::app | std::ios::binary);
  for (int i = 0; i < count; ++i) {
    if (i % 100 == 0) out << "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Existing\\Key" << i / 100 << "]\r\n";
    out << "\"Value" << i << "\"=\"C:\\\\Program Files\\\\Existing\\\\file" << i << ".dat\"\r\n";
  }
  return static_cast<bool>(out);
}

struct Result {
  double per_write = 0;   // seconds, over all writes
  double cpu = 0;         // processor seconds per write
  double first = 0;       // seconds per write, first tenth of the writes
  double last = 0;        // seconds per write, last tenth
  double reopen = 0;      // opening the machine afterwards
  double close = 0;       // closing it
};

bool Run(const std::string& root, int existing, int writes, Result* r) {
  std::string dir = root + "/m" + std::to_string(existing);
  std::string error;
  {
    auto m = kit::EmulatedMachine::Create(dir, kit::MachineSettings::Default(), &error);
    if (!m) {
      std::fprintf(stderr, "registry_bench: %s\n", error.c_str());
      return false;
    }
  }
  if (!Prefill(dir, existing)) {
    std::fprintf(stderr, "registry_bench: cannot extend %s/registry.reg\n", dir.c_str());
    return false;
  }
  auto m = kit::EmulatedMachine::Open(dir, &error);
  if (!m) {
    std::fprintf(stderr, "registry_bench: %s\n", error.c_str());
    return false;
  }
  kit::Registry& reg = m->Reg();
  int files = writes / 2;
  int tenth = files / 10 > 0 ? files / 10 : 1;
  double cpu_start = CpuSeconds();
  auto start = Clock::now();
  auto mark = start;
  for (int i = 1; i <= files; ++i) {
    auto key = reg.Open(kit::RegRoot::kLocalMachine, kLogKey, kit::RegAccess::kAll, true);
    kit::RegValue entries;
    int n = 1;
    if (key && key->Query("Entries", &entries) && entries.AsString())
      n = std::atoi(entries.AsString()->c_str()) + 1;
    if (!key ||
        !key->Set("File" + std::to_string(n),
                  kit::RegValue::String("C:\\Program Files\\Bench\\dir" + std::to_string(i / 100) +
                                        "\\file" + std::to_string(i) + ".dat")) ||
        !key->Set("Entries", kit::RegValue::String(std::to_string(n)))) {
      std::fprintf(stderr, "registry_bench: write %d failed (error %u)\n", i, m->LastError());
      return false;
    }
    if (i == tenth) {
      r->first = Seconds(start, Clock::now()) / (2.0 * tenth);
    }
    if (i == files - tenth) mark = Clock::now();
  }
  auto end = Clock::now();
  r->cpu = (CpuSeconds() - cpu_start) / (2.0 * files);
  r->per_write = Seconds(start, end) / (2.0 * files);
  r->last = Seconds(mark, end) / (2.0 * tenth);
  auto t = Clock::now();
  m.reset();
  r->close = Seconds(t, Clock::now());
  t = Clock::now();
  m = kit::EmulatedMachine::Open(dir, &error);
  r->reopen = Seconds(t, Clock::now());
  if (!m) {
    std::fprintf(stderr, "registry_bench: reopening: %s\n", error.c_str());
    return false;
  }
  auto key = m->Reg().Open(kit::RegRoot::kLocalMachine, kLogKey, kit::RegAccess::kRead, false);
  kit::RegValue v;
  if (!key || !key->Query("Entries", &v) || *v.AsString() != std::to_string(files)) {
    std::fprintf(stderr, "registry_bench: the log did not survive reopening\n");
    return false;
  }
  m.reset();
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int writes = 20000;
  std::vector<int> sizes = {1000, 100000};
  std::string root;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--writes" && i + 1 < argc) {
      writes = std::atoi(argv[++i]);
    } else if (a == "--existing" && i + 1 < argc) {
      sizes.clear();
      for (const char* p = argv[++i]; *p;) {
        sizes.push_back(std::atoi(p));
        const char* comma = std::strchr(p, ',');
        if (!comma) break;
        p = comma + 1;
      }
    } else if (a == "--dir" && i + 1 < argc) {
      root = argv[++i];
    } else {
      std::fprintf(stderr, "usage: registry_bench [--writes N] [--existing N[,N...]] [--dir HOSTDIR]\n");
      return 2;
    }
  }
  if (writes < 2) writes = 2;
  bool own_root = root.empty();
  if (own_root) {
    std::string templ = (std::filesystem::temp_directory_path() / "kitregbench-XXXXXX").string();
    if (!::mkdtemp(templ.data())) {
      std::perror("registry_bench: mkdtemp");
      return 1;
    }
    root = templ;
  }
  std::printf("%d writes (%d files logged), machine in %s\n", writes, writes / 2, root.c_str());
  std::printf("%10s %12s %12s %12s %12s %10s %10s\n", "existing", "us/write", "first 10%",
              "last 10%", "cpu us/write", "close s", "reopen s");
  std::vector<Result> results;
  for (int n : sizes) {
    Result r;
    if (!Run(root, n, writes, &r)) return 1;
    std::printf("%10d %12.1f %12.1f %12.1f %12.1f %10.3f %10.3f\n", n, r.per_write * 1e6,
                r.first * 1e6, r.last * 1e6, r.cpu * 1e6, r.close, r.reopen);
    std::fflush(stdout);
    results.push_back(r);
  }
  if (results.size() >= 2)
    std::printf("ratio per write, %d to %d existing values: %.2f (processor time %.2f)\n",
                sizes.back(), sizes.front(), results.back().per_write / results.front().per_write,
                results.back().cpu / results.front().cpu);
  if (own_root) {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  return 0;
}
