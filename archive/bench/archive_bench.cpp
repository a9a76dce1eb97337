// Benchmark of the compression engine against plain zlib on the same bytes,
// and of member lookup in large archives. Prints throughput ratios (engine /
// zlib, 1.0 = as fast as zlib alone), the speed-up of adding with every
// processor over one job, and the lookup scaling ratio.
//
//   archive_bench [corpus megabytes, default 64]
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "archive/kbln_compress.h"
#include "archive/testing/memory_fs.h"
#include "platform/threads.h"

namespace {

using Clock = std::chrono::steady_clock;
using kit::testing::MemoryFileSystem;

double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// Text, already-compressed (random) data, zeros and mixed blocks, in sizes
// from 0 bytes to 8 MB.
std::vector<std::pair<std::string, std::string>> Corpus(size_t total) {
  std::mt19937 gen(42);
  const char* words[] = {"install", "archive", "member", "Tavrix", "setup", "file", "group", "the",
                         "of", "and", "Windows", "version", "directory", "registry", "12345", "\r\n"};
  const size_t sizes[] = {0, 1, 100, 4096, 65536, 300000, 1 << 20, 3 << 20, 8 << 20};
  std::vector<std::pair<std::string, std::string>> files;
  size_t sum = 0;
  for (int i = 0; sum < total; ++i) {
    size_t size = sizes[static_cast<size_t>(i) % (sizeof sizes / sizeof sizes[0])];
    std::string data;
    data.reserve(size);
    int kind = i % 4;
    while (data.size() < size) {
      switch (kind) {
        case 0: data += words[gen() % 16]; data += ' '; break;
        case 1: data.push_back(static_cast<char>(gen())); break;
        case 2: data.append(std::min<size_t>(4096, size - data.size()), '\0'); break;
        default:
          if ((data.size() / 8192) % 2) data.push_back(static_cast<char>(gen()));
          else { data += words[gen() % 16]; }
      }
    }
    data.resize(size);
    sum += size;
    files.emplace_back("C:\\CORPUS\\F" + std::to_string(i) + ".DAT", std::move(data));
  }
  return files;
}

std::string Deflate(const std::string& in) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
  std::string out;
  std::vector<unsigned char> buf(65536);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  z.avail_in = static_cast<uInt>(in.size());
  int r;
  do {
    z.next_out = buf.data();
    z.avail_out = static_cast<uInt>(buf.size());
    r = deflate(&z, Z_FINISH);
    out.append(reinterpret_cast<char*>(buf.data()), buf.size() - z.avail_out);
  } while (r != Z_STREAM_END);
  deflateEnd(&z);
  return out;
}

size_t Inflate(const std::string& in, std::string& out) {
  z_stream z{};
  inflateInit2(&z, 15);
  out.clear();
  std::vector<unsigned char> buf(65536);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  z.avail_in = static_cast<uInt>(in.size());
  int r;
  do {
    z.next_out = buf.data();
    z.avail_out = static_cast<uInt>(buf.size());
    r = inflate(&z, Z_NO_FLUSH);
    out.append(reinterpret_cast<char*>(buf.data()), buf.size() - z.avail_out);
  } while (r == Z_OK);
  inflateEnd(&z);
  return out.size();
}

// Seconds to look up every member of an archive of n members by name (as
// the installer does for each file), in another letter case, ten times over.
double Lookup(int n, double* load_seconds) {
  MemoryFileSystem fs;
  std::vector<std::string> names;
  for (int i = 0; i < n; ++i) {
    std::string name = "C:\\Build\\Group" + std::to_string(i % 37) + "\\File" + std::to_string(i) + ".dll";
    fs.PutFile(name, "x");
    names.push_back(name);
  }
  {
    kit::TKblnCompress builder(nullptr, fs);
    builder.SetCompressedFile("C:\\OUT\\files.1");
    builder.SetCompressionLevel(kit::colFastest);
    builder.SetFilesToProcess(names);
    builder.AddFiles(false);
  }
  double best = 1e9;
  *load_seconds = 1e9;
  for (int round = 0; round < 5; ++round) {
    kit::TKblnCompress engine(nullptr, fs);
    engine.SetCompressedFile("C:\\OUT\\files.1");
    auto t0 = Clock::now();
    engine.FileCount();
    auto t1 = Clock::now();
    long found = 0;
    for (int pass = 0; pass < 10; ++pass)
    for (const std::string& name : names) {
      std::string upper = name;
      for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
      found += engine.IndexOfFile(upper) >= 0;
      found += engine.Headers().IndexOf(name + ";dest") >= 0;
    }
    auto t2 = Clock::now();
    if (found != 20L * n) {
      std::fprintf(stderr, "lookup failed: %ld of %d\n", found, 2 * n);
      std::exit(1);
    }
    *load_seconds = std::min(*load_seconds, Seconds(t0, t1));
    best = std::min(best, Seconds(t1, t2));
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  size_t mb = argc > 1 ? static_cast<size_t>(std::atoi(argv[1])) : 64;
  auto files = Corpus(mb << 20);
  size_t bytes = 0;
  for (auto& f : files) bytes += f.second.size();
  std::printf("corpus: %zu files, %.1f MB\n", files.size(), bytes / 1048576.0);

  // Each side runs three times, alternating; the best time counts (the
  // machine is shared).
  double zd = 1e9, zi = 1e9, zr = 1e9, ea = 1e9, ex = 1e9;
  size_t inflated = 0, archive_size = 0;
  for (int round = 0; round < 3; ++round) {
    std::vector<std::string> streams;
    auto z0 = Clock::now();
    for (auto& f : files) streams.push_back(Deflate(f.second));
    auto z1 = Clock::now();
    zd = std::min(zd, Seconds(z0, z1));

    MemoryFileSystem fs;
    std::vector<std::string> names;
    for (auto& f : files) {
      fs.PutFile(f.first, f.second);
      names.push_back(f.first);
    }
    kit::TKblnCompress engine(nullptr, fs);
    engine.SetCompressedFile("C:\\DIST\\files.1");
    engine.SetCompressionLevel(kit::colMax);
    engine.SetFilesToProcess(names);
    auto e0 = Clock::now();
    engine.AddFiles(false);
    ea = std::min(ea, Seconds(e0, Clock::now()));

    // Extraction is short: five times a round, alternating with plain
    // inflate, each member into a buffer of its own, of its size, as
    // extraction gives each its own file; and all into one reused buffer,
    // whose memory is touched once for the whole corpus.
    for (int rep = 0; rep < 5; ++rep) {
      auto z1 = Clock::now();
      inflated = 0;
      std::vector<std::string> outs(streams.size());
      for (size_t i = 0; i < streams.size(); ++i) {
        outs[i].reserve(files[i].second.size());
        inflated += Inflate(streams[i], outs[i]);
      }
      auto z2 = Clock::now();
      std::string out;
      for (auto& s : streams) Inflate(s, out);
      auto z3 = Clock::now();
      zi = std::min(zi, Seconds(z1, z2));
      zr = std::min(zr, Seconds(z2, z3));

      const std::string dir = "C:\\OUT" + std::to_string(rep);
      fs.MakeDirectories(dir);
      engine.SetExtractDirectory(dir);
      engine.SetFilesToProcess(names);
      auto e2 = Clock::now();
      engine.ExtractFiles();
      ex = std::min(ex, Seconds(e2, Clock::now()));
      for (auto& f : files) {
        const std::string path = dir + "\\" + f.first.substr(f.first.rfind('\\') + 1);
        if (fs.FileData(path) != f.second) {
          std::fprintf(stderr, "extracted %s differs\n", f.first.c_str());
          return 1;
        }
        fs.RemoveFile(path);
      }
    }
    archive_size = fs.FileData("C:\\DIST\\files.1").size();
  }

  std::printf("deflate 9 : %7.3f s  %7.1f MB/s\n", zd, bytes / 1048576.0 / zd);
  std::printf("AddFiles  : %7.3f s  %7.1f MB/s  (archive %.1f MB)\n", ea, bytes / 1048576.0 / ea,
              archive_size / 1048576.0);
  std::printf("inflate   : %7.3f s  %7.1f MB/s  (one reused buffer %.3f s)\n", zi, inflated / 1048576.0 / zi, zr);
  std::printf("Extract   : %7.3f s  %7.1f MB/s\n", ex, bytes / 1048576.0 / ex);
  std::printf("ratio add     (engine/zlib throughput): %.3f\n", zd / ea);
  std::printf("ratio extract (engine/zlib throughput): %.3f  (against one reused buffer %.3f)\n", zi / ex, zr / ex);

  // Adding with one job and with every processor: the time and the bytes.
  const int jobs = std::max(2, kit::ProcessorCount());
  double one = 1e9, many = 1e9;
  bool same = true;
  for (int round = 0; round < 3; ++round) {
    std::string archives[2];
    for (int j = 0; j < 2; ++j) {
      MemoryFileSystem fs;
      std::vector<std::string> names;
      for (auto& f : files) {
        fs.PutFile(f.first, f.second);
        names.push_back(f.first);
      }
      kit::TKblnCompress engine(nullptr, fs);
      engine.SetCompressedFile("C:\\DIST\\files.1");
      engine.SetCompressionLevel(kit::colMax);
      engine.SetJobs(j == 0 ? 1 : jobs);
      engine.SetFilesToProcess(names);
      auto t0 = Clock::now();
      engine.AddFiles(false);
      double t = Seconds(t0, Clock::now());
      (j == 0 ? one : many) = std::min(j == 0 ? one : many, t);
      archives[j] = fs.FileData("C:\\DIST\\files.1");
    }
    same = same && archives[0] == archives[1];
  }
  std::printf("AddFiles %d jobs: %7.3f s (1 job %7.3f s)  speed-up %.2f  archives %s\n", jobs, many, one,
              one / many, same ? "identical" : "DIFFER");
  if (!same) return 1;

  double load2 = 0, load20 = 0;
  double l2 = Lookup(2000, &load2);
  double l20 = Lookup(20000, &load20);
  std::printf("lookup  2000 members: %.4f s (table load %.4f s)\n", l2, load2);
  std::printf("lookup 20000 members: %.4f s (table load %.4f s)\n", l20, load20);
  std::printf("ratio lookup 20000/2000: %.2f (linear = 10)\n", l20 / l2);
  return 0;
}
