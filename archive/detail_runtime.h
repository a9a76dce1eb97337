// Small runtime routines the archive code needs: ASCII case rules, trimming,
// Windows path pieces, rounding with halves to even and the day-count date.
//
// PLACEHOLDER: the runtime base (base/) is getting its own string, path,
// rounding and date routines; at merge these forward to them and this file
// goes away.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

namespace kit::archive_detail {

inline char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

inline std::string UpperAscii(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = UpperAscii(c);
  return r;
}

inline bool SameTextAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  return true;
}

// Removes leading and trailing spaces and control characters.
inline std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

inline bool IsPathDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }

// The directory part with its trailing delimiter ("C:\Dir\" of "C:\Dir\a.txt").
inline std::string ExtractFilePath(const std::string& path) {
  size_t i = path.size();
  while (i > 0 && !IsPathDelimiter(path[i - 1])) --i;
  return path.substr(0, i);
}

// The directory part without a trailing backslash (except after a drive, "C:").
inline std::string ExtractFileDir(const std::string& path) {
  std::string d = ExtractFilePath(path);
  if (d.size() > 1 && (d.back() == '\\' || d.back() == '/') && d[d.size() - 2] != ':') d.pop_back();
  return d;
}

inline std::string ExtractFileName(const std::string& path) {
  size_t i = path.size();
  while (i > 0 && !IsPathDelimiter(path[i - 1])) --i;
  return path.substr(i);
}

// Replaces the extension (from the last '.' of the file name on) with `ext`.
inline std::string ChangeFileExt(const std::string& path, const std::string& ext) {
  size_t i = path.size();
  while (i > 0 && !IsPathDelimiter(path[i - 1]) && path[i - 1] != '.') --i;
  if (i > 0 && path[i - 1] == '.') return path.substr(0, i - 1) + ext;
  return path + ext;
}

inline std::string IncludeTrailingBackslash(const std::string& dir) {
  if (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) return dir;
  return dir + "\\";
}

// Round(x) with halves to even.
inline int64_t RoundHalfEven(double x) {
  double f = std::floor(x);
  double d = x - f;
  if (d > 0.5 || (d == 0.5 && std::fmod(f, 2.0) != 0.0)) f += 1.0;
  return static_cast<int64_t>(f);
}

// a / b * 100 rounded, as a percentage byte; 0 when b is 0. Values beyond a
// byte are held at its ends.
inline uint8_t PercentByte(double a, double b) {
  if (b == 0) return 0;
  double q = a / b * 100.0;
  if (!(q == q)) return 0;
  if (q <= 0) return 0;
  if (q >= 255) return 255;
  return static_cast<uint8_t>(RoundHalfEven(q));
}

// Days from 1899-12-30 to the civil date (proleptic Gregorian).
inline int64_t DaysFromCivil(int y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return static_cast<int64_t>(era) * 146097 + static_cast<int64_t>(doe) - 719468 + 25569;
}

inline void CivilFromDays(int64_t days, int* y, unsigned* m, unsigned* d) {
  int64_t z = days - 25569 + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  *d = doy - (153 * mp + 2) / 5 + 1;
  *m = mp < 10 ? mp + 3 : mp - 9;
  *y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (*m <= 2));
}

// DOS date/time (date in the high word) to the day count with the time of day
// as the fraction.
inline double DosToDayCount(uint32_t dos) {
  unsigned date = dos >> 16, time = dos & 0xFFFF;
  int year = 1980 + static_cast<int>(date >> 9);
  unsigned month = (date >> 5) & 15, day = date & 31;
  if (month < 1) month = 1;
  if (month > 12) month = 12;
  if (day < 1) day = 1;
  unsigned hour = time >> 11, minute = (time >> 5) & 63, second = (time & 31) * 2;
  double days = static_cast<double>(DaysFromCivil(year, month, day));
  return days + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

// The day count back to DOS date/time (two-second resolution); dates outside
// 1980..2107 are held at the ends of that range.
inline uint32_t DayCountToDos(double value) {
  if (!(value == value)) value = 0;
  int64_t days = static_cast<int64_t>(std::floor(value));
  int64_t secs = RoundHalfEven((value - std::floor(value)) * 86400.0);
  if (secs >= 86400) { secs -= 86400; ++days; }
  int y;
  unsigned m, d;
  CivilFromDays(days, &y, &m, &d);
  if (y < 1980) return (1u << 5 | 1u) << 16;
  if (y > 2107) { y = 2107; m = 12; d = 31; secs = 86398; }
  uint32_t date = (static_cast<uint32_t>(y - 1980) << 9) | (m << 5) | d;
  uint32_t time = (static_cast<uint32_t>(secs / 3600) << 11) |
                  (static_cast<uint32_t>((secs / 60) % 60) << 5) | static_cast<uint32_t>((secs % 60) / 2);
  return (date << 16) | time;
}

}  // namespace kit::archive_detail
