#include "base/setup_log.h"

#include <chrono>
#include <ctime>

#include "base/format.h"
#include "platform/platform.h"

namespace kit {

namespace {

std::unique_ptr<File>& Owned() {
  static std::unique_ptr<File> file;
  return file;
}

std::string& OpenPath() {
  static std::string path;
  return path;
}

std::function<int64_t()>& Clock() {
  static std::function<int64_t()> clock;
  return clock;
}

int64_t g_lost = 0;

int64_t NowMs() {
  if (Clock()) return Clock()();
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

std::string Stamp() {
  const int64_t ms = NowMs();
  const std::time_t secs = static_cast<std::time_t>(ms / 1000);
  std::tm tm{};
#ifdef _WIN32
  gmtime_s(&tm, &secs);
#else
  gmtime_r(&secs, &tm);
#endif
  return Format("%.4d-%.2d-%.2d %.2d:%.2d:%.2d.%.3d", {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                                                      tm.tm_hour, tm.tm_min, tm.tm_sec,
                                                      static_cast<int>(ms % 1000)});
}

}  // namespace

File* SetupLog::file_ = nullptr;

bool SetupLog::Open(FileSystem& fs, const std::string& path, std::string* error) {
  std::unique_ptr<File> f =
      fs.Open(path, FileAccess::kWrite, share::kRead, Disposition::kOpenAlways);
  if (!f || !f->Seek(0, SeekOrigin::kEnd)) {
    if (error) *error = "The log file " + path + " cannot be opened for writing";
    return false;
  }
  Attach(std::move(f), path);
  return true;
}

void SetupLog::Attach(std::unique_ptr<File> file, std::string path) {
  Owned() = std::move(file);
  file_ = Owned().get();
  OpenPath() = std::move(path);
  g_lost = 0;
}

void SetupLog::Close() {
  file_ = nullptr;
  Owned().reset();
  OpenPath().clear();
}

const std::string& SetupLog::Path() { return OpenPath(); }

void SetupLog::SetClock(std::function<int64_t()> clock) { Clock() = std::move(clock); }

int64_t SetupLog::LostLines() { return g_lost; }

void SetupLog::Write(const char* kind, const std::string& text) {
  if (file_ == nullptr) return;
  std::string line = Stamp();
  line += ' ';
  line += kind;
  // Kinds are short words; the texts line up after them.
  for (size_t n = std::char_traits<char>::length(kind); n < 9; ++n) line += ' ';
  line += ' ';
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n')
      line += " | ";
    else
      line += c;
  }
  line += "\r\n";
  uint32_t written = 0;
  // One write per line: nothing waits in a buffer of this process.
  if (!file_->Write(line.data(), static_cast<uint32_t>(line.size()), &written) ||
      written != line.size())
    ++g_lost;
}

}  // namespace kit
