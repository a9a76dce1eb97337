// The diagnostic log of an unattended (or logged) run: one line of text per
// step, "YYYY-MM-DD HH:MM:SS.mmm kind  text", appended to the file and
// handed to the system at once, so a crash keeps every line before it.
// One log per process; every layer may write to it. Writing when no log is
// open costs one test.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kit {

class File;
class FileSystem;

class SetupLog {
 public:
  // Opens (or creates) the file and appends from its end. False with a
  // message naming the file when it cannot be opened.
  static bool Open(FileSystem& fs, const std::string& path, std::string* error);
  // Appends to an open file (tests hand in their own).
  static void Attach(std::unique_ptr<File> file, std::string path);
  static void Close();
  static bool Active() { return file_ != nullptr; }
  static const std::string& Path();
  // One line; line breaks in the text become " | " so a line stays a step.
  static void Write(const char* kind, const std::string& text);
  // The time stamp's source, replaceable in tests (milliseconds since 1970, UTC).
  static void SetClock(std::function<int64_t()> clock);
  // Lines that could not be written (disk full, ...); the run goes on.
  static int64_t LostLines();

 private:
  static File* file_;
};

// Writes a line when a log is open.
inline void LogStep(const char* kind, const std::string& text) {
  if (SetupLog::Active()) SetupLog::Write(kind, text);
}

}  // namespace kit
