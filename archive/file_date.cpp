#include "archive/file_date.h"

#include <algorithm>
#include <cmath>

#include "base/dates.h"

namespace kit {

namespace {
constexpr uint32_t kFirstDos = ((0u << 9 | 1u << 5 | 1u) << 16);                  // 1980-01-01 00:00:00
constexpr uint32_t kLastDos = ((127u << 9 | 12u << 5 | 31u) << 16) | (23u << 11 | 59u << 5 | 29u);
}  // namespace

double DosToFileDate(uint32_t dos) {
  TDateTime value;
  if (TryFileDateToDateTime(dos, &value)) return value;
  unsigned date = dos >> 16, time = dos & 0xFFFF;
  int year = 1980 + static_cast<int>(date >> 9);
  int month = std::clamp(static_cast<int>((date >> 5) & 15), 1, 12);
  int day = std::clamp(static_cast<int>(date & 31), 1, DaysInMonth(year, month));
  int hour = std::min(static_cast<int>(time >> 11), 23);
  int minute = std::min(static_cast<int>((time >> 5) & 63), 59);
  int second = std::min(static_cast<int>((time & 31) * 2), 58);
  return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, 0);
}

uint32_t FileDateToDos(double file_date) {
  if (std::isnan(file_date)) return kFirstDos;
  uint32_t dos = DateTimeToFileDate(file_date);
  if (dos != 0) return dos;
  return file_date < EncodeDate(1980, 1, 1) ? kFirstDos : kLastDos;
}

}  // namespace kit
