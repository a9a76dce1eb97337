// install_bench: installs generated products from their archive into fresh
// emulated machines with the driver (Process on a tree of file groups and
// install files) and prints the time of a product of 1,000 and of 10,000
// small files (1 KB each, with 50 files of 1 MB), their ratio, and the
// throughput of installing the 50 large files against extracting the same
// members with the bare engine.
//
//   install_bench [--runs N] [--dir HOSTDIR] [--small N,N] [--cache HOSTDIR]
//
// --cache keeps each product's archive in HOSTDIR and reuses it on later
// runs (the archive depends only on the product's file counts).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/exception.h"
#include "driver/install.h"
#include "files/bench/bench_engine.h"
#include "files/install_file.h"
#include "files/install_file_group.h"
#include "platform/current_platform.h"
#include "platform/emulated/emulated_machine.h"
#include "ui/form.h"
#include "ui/testing/headless_app.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

constexpr int kSmallSize = 1024;
constexpr int kLargeSize = 1024 * 1024;
constexpr int kPerGroup = 1000;
const char kSource[] = "C:\\Product";
const char kArchive[] = "C:\\Setup\\data.kbl";
const char kDest[] = "C:\\Program Files\\Bench";

// Text-like bytes from a few words, chosen by a simple generator: deflate
// takes them to roughly a third.
std::string Bytes(uint32_t seed, int size) {
  static const char* words[] = {"alpha ", "install ", "file ", "group ", "archive ", "setup ", "data ",
                                "value ", "kit ", "windows ", "entry ", "7f3a ", "0x19 ", "\r\n"};
  std::string out;
  out.reserve(size + 16);
  uint32_t x = seed * 2654435761u + 1;
  while (static_cast<int>(out.size()) < size) {
    x = x * 1664525u + 1013904223u;
    out += words[(x >> 24) % 14];
    if ((x & 0xff) < 8) out += static_cast<char>('A' + (x >> 8) % 26);
  }
  out.resize(size);
  return out;
}

struct Product {
  std::string name;
  int small = 0;
  int large = 0;
  // Windows names relative to kSource / kDest: "d<k>\f<i>.dat".
  std::vector<std::string> files;
};

std::string g_cache;  // --cache: where archives are kept between runs

std::string Dir(int group) { return "d" + std::to_string(group); }

Product MakeProduct(const std::string& name, int small, int large) {
  Product p{name, small, large, {}};
  for (int i = 0; i < small + large; ++i)
    p.files.push_back(Dir(i / kPerGroup) + "\\f" + std::to_string(i) + (i < small ? ".dat" : ".big"));
  return p;
}

std::unique_ptr<kit::EmulatedMachine> NewMachine(const std::string& dir) {
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  std::string error;
  auto m = kit::EmulatedMachine::Create(dir, kit::MachineSettings::Default(), &error);
  if (!m) std::fprintf(stderr, "install_bench: %s\n", error.c_str());
  return m;
}

bool Put(kit::FileSystem& fs, const std::string& path, const std::string& bytes) {
  auto f = fs.Open(path, kit::FileAccess::kWrite, kit::share::kAll, kit::Disposition::kCreateAlways);
  uint32_t written = 0;
  return f && f->Write(bytes.data(), static_cast<uint32_t>(bytes.size()), &written) && written == bytes.size();
}

// The source files and their archive on a machine of its own; answers the
// archive's host path.
bool BuildArchive(const std::string& root, const Product& p, std::string* archive_host) {
  std::string cached;
  if (!g_cache.empty()) {
    cached = g_cache + "/" + p.name + "-" + std::to_string(p.small) + "-" + std::to_string(p.large) + ".kbl";
    std::error_code ec;
    if (std::filesystem::is_regular_file(cached, ec)) {
      std::printf("  %-8s archive of %zu files taken from %s\n", p.name.c_str(), p.files.size(), cached.c_str());
      *archive_host = cached;
      return true;
    }
  }
  auto m = NewMachine(root + "/build-" + p.name);
  if (!m) return false;
  kit::FileSystem& fs = m->Files();
  std::vector<std::string> sources;
  for (size_t i = 0; i < p.files.size(); ++i) {
    const std::string path = std::string(kSource) + "\\" + p.files[i];
    fs.MakeDirectories(path.substr(0, path.rfind('\\')));
    const bool large = static_cast<int>(i) >= p.small;
    if (!Put(fs, path, Bytes(static_cast<uint32_t>(i), large ? kLargeSize : kSmallSize))) {
      std::fprintf(stderr, "install_bench: cannot write %s\n", path.c_str());
      return false;
    }
    sources.push_back(path);
  }
  fs.MakeDirectories("C:\\Setup");
  auto t = Clock::now();
  kit::bench::Compress(fs, kArchive, sources);
  std::printf("  %-8s archive of %zu files made in %.2f s\n", p.name.c_str(), sources.size(),
              Seconds(t, Clock::now()));
  std::string error;
  *archive_host = m->HostPath(kArchive, &error);
  if (archive_host->empty()) return false;
  if (!cached.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(g_cache, ec);
    std::filesystem::copy_file(*archive_host, cached + ".part", std::filesystem::copy_options::overwrite_existing, ec);
    if (!ec) std::filesystem::rename(cached + ".part", cached, ec);
    if (ec) std::fprintf(stderr, "install_bench: cannot keep the archive in %s\n", cached.c_str());
  }
  return true;
}

// A fresh machine with the archive in C:\Setup.
std::unique_ptr<kit::EmulatedMachine> TargetMachine(const std::string& dir, const std::string& archive_host) {
  auto m = NewMachine(dir);
  if (!m) return nullptr;
  m->Files().MakeDirectories("C:\\Setup");
  std::string error;
  std::filesystem::copy_file(archive_host, m->HostPath(kArchive, &error),
                             std::filesystem::copy_options::overwrite_existing);
  return m;
}

// The driver with a group per kPerGroup files, installed with Process;
// answers the seconds of Process, or a negative value on failure.
double InstallWithDriver(kit::EmulatedMachine& m, const Product& p) {
  kit::ScopedPlatform scoped(m);
  kit::bench::FreeInstallEngine();
  kit::testing::HeadlessApp app;
  kit::TInstall* install = nullptr;
  kit::Application().CreateForm([&](kit::TComponent* owner) {
    auto* form = new kit::TForm(owner);
    form->SetName("Form1");
    install = new kit::TInstall(form);
    install->SetLoading(true);
    install->SetName("Install1");
    install->SetRunAutomatic(false);
    install->Information().SetProductName("Bench Product");
    install->SetArchiveFileType(kit::ddAbsolute);
    install->SetArchiveFile(kArchive);
    kit::TInstallFileGroup* group = nullptr;
    for (size_t i = 0; i < p.files.size(); ++i) {
      const std::string& f = p.files[i];
      const std::string dir = f.substr(0, f.find('\\'));
      if (i % kPerGroup == 0) {
        group = new kit::TInstallFileGroup(form);
        group->SetName("G" + std::to_string(i / kPerGroup));
        group->SetContainer(install);
      }
      auto* file = new kit::TInstallFile(form);
      file->SetName("F" + std::to_string(i));
      file->SetContainer(group);
      file->SetIncludeFromDir(std::string(kSource) + "\\" + dir);
      file->SetFileName(f.substr(f.find('\\') + 1));
      file->SetDestDirType(kit::ddAbsolute);
      file->SetDestDir(std::string(kDest) + "\\" + dir);
    }
    install->Loaded();
    return form;
  });
  double seconds = -1;
  try {
    auto t = Clock::now();
    install->Process();
    seconds = Seconds(t, Clock::now());
  } catch (const kit::Exception& e) {
    std::fprintf(stderr, "install_bench: the install run failed: %s\n", e.Message().c_str());
  }
  kit::Application().DestroyComponents();
  kit::bench::FreeInstallEngine();
  return seconds;
}

// Checks a sample of the installed files.
bool Verify(kit::EmulatedMachine& m, const Product& p) {
  for (size_t i = 0; i < p.files.size(); i += 97) {
    const bool large = static_cast<int>(i) >= p.small;
    const std::string expect = Bytes(static_cast<uint32_t>(i), large ? kLargeSize : kSmallSize);
    auto f = m.Files().Open(std::string(kDest) + "\\" + p.files[i], kit::FileAccess::kRead, kit::share::kAll,
                            kit::Disposition::kOpenExisting);
    std::string got(expect.size() + 1, '\0');
    uint32_t n = 0;
    if (!f || !f->Read(got.data(), static_cast<uint32_t>(got.size()), &n) || n != expect.size() ||
        got.compare(0, expect.size(), expect) != 0) {
      std::fprintf(stderr, "install_bench: %s not installed whole\n", p.files[i].c_str());
      return false;
    }
  }
  return true;
}

// The best of `runs` driver installs of `p` into fresh machines.
double BestInstall(const std::string& root, const Product& p, const std::string& archive, int runs) {
  double best = -1;
  for (int r = 0; r < runs; ++r) {
    auto m = TargetMachine(root + "/target-" + p.name, archive);
    if (!m) return -1;
    const double s = InstallWithDriver(*m, p);
    if (s < 0 || !Verify(*m, p)) return -1;
    std::printf("  %-8s driver install, run %d: %.3f s\n", p.name.c_str(), r + 1, s);
    if (best < 0 || s < best) best = s;
  }
  return best;
}

double BestExtract(const std::string& root, const Product& p, const std::string& archive, int runs) {
  double best = -1;
  std::vector<std::string> names;
  for (const auto& f : p.files) names.push_back(std::string(kSource) + "\\" + f);
  const std::string dir = std::string(kDest) + "\\" + Dir(0);
  for (int r = 0; r < runs; ++r) {
    auto m = TargetMachine(root + "/target-" + p.name, archive);
    if (!m) return -1;
    m->Files().MakeDirectories(dir);
    double s = -1;
    try {
      auto t = Clock::now();
      kit::bench::Extract(m->Files(), kArchive, names, dir);
      s = Seconds(t, Clock::now());
    } catch (const kit::Exception& e) {
      std::fprintf(stderr, "install_bench: extraction failed: %s\n", e.Message().c_str());
      return -1;
    }
    std::printf("  %-8s engine extraction, run %d: %.3f s\n", p.name.c_str(), r + 1, s);
    if (best < 0 || s < best) best = s;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 3;
  std::vector<int> sizes = {1000, 10000};
  std::string root;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--runs" && i + 1 < argc) {
      runs = std::atoi(argv[++i]);
    } else if (a == "--dir" && i + 1 < argc) {
      root = argv[++i];
    } else if (a == "--cache" && i + 1 < argc) {
      g_cache = argv[++i];
    } else if (a == "--small" && i + 1 < argc) {
      const std::string list = argv[++i];
      sizes.clear();
      for (size_t pos = 0; pos < list.size();) {
        size_t comma = list.find(',', pos);
        if (comma == std::string::npos) comma = list.size();
        sizes.push_back(std::atoi(list.substr(pos, comma - pos).c_str()));
        pos = comma + 1;
      }
    } else {
      std::fprintf(stderr, "usage: install_bench [--runs N] [--dir HOSTDIR] [--small N,N] [--cache HOSTDIR]\n");
      return 2;
    }
  }
  const bool own_root = root.empty();
  if (own_root) {
    char tmpl[] = "/tmp/install_bench.XXXXXX";
    if (::mkdtemp(tmpl) == nullptr) return 1;
    root = tmpl;
  }
  std::printf("install_bench: best of %d runs, machines in %s\n", runs, root.c_str());

  std::vector<double> times;
  for (int small : sizes) {
    const Product p = MakeProduct(std::to_string(small), small, 50);
    std::string archive;
    if (!BuildArchive(root, p, &archive)) return 1;
    const double t = BestInstall(root, p, archive, runs);
    if (t < 0) return 1;
    std::printf("%d small + 50 large files: %.3f s (%.0f files/s)\n", small, t, (small + 50) / t);
    times.push_back(t);
  }
  int status = 0;
  if (times.size() == 2) {
    const double ratio = times[1] / times[0];
    std::printf("ratio %d/%d files: %.2f (target <= 12)%s\n", sizes[1], sizes[0], ratio,
                ratio <= 12 ? "" : "  MISSED");
  }

  // The large files alone: the driver against the bare engine.
  const Product large = MakeProduct("large", 0, 50);
  std::string archive;
  if (!BuildArchive(root, large, &archive)) return 1;
  const double driver = BestInstall(root, large, archive, runs);
  const double engine = BestExtract(root, large, archive, runs);
  if (driver < 0 || engine < 0) return 1;
  const double mb = 50.0 * kLargeSize / (1024.0 * 1024.0);
  std::printf("50 x 1 MB: driver %.1f MB/s, engine %.1f MB/s, ratio %.2f (target >= 0.8)%s\n", mb / driver,
              mb / engine, engine / driver, engine / driver >= 0.8 ? "" : "  MISSED");

  if (own_root) {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  return status;
}
