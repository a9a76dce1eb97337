#include "base/dates.h"

#include <cmath>

#include "base/exception.h"
#include "base/format.h"

namespace kit {
namespace {

constexpr int64_t kMsecsPerDay = 86400000;
// Days from 0001-01-01 (day 1 of the proleptic Gregorian calendar) to
// 1899-12-30.
constexpr int64_t kDateDelta = 693594;

// Days since 0001-01-01 counted from 1 (0001-01-01 is 1).
int64_t DaysFromCivil(int y, int m, int d) {
  int64_t yy = y - 1;
  int64_t days = yy * 365 + yy / 4 - yy / 100 + yy / 400;
  static const int kCum[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  days += kCum[m - 1] + d;
  if (m > 2 && IsLeapYear(y)) days += 1;
  return days;
}

void CivilFromDays(int64_t days, int* year, int* month, int* day) {
  // days >= 1, 0001-01-01 is 1.
  int64_t n = days - 1;
  int64_t y400 = n / 146097;
  n %= 146097;
  int64_t y100 = n / 36524;
  if (y100 == 4) y100 = 3;
  n -= y100 * 36524;
  int64_t y4 = n / 1461;
  n %= 1461;
  int64_t y1 = n / 365;
  if (y1 == 4) y1 = 3;
  n -= y1 * 365;
  int y = static_cast<int>(y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1);
  int m = 1;
  while (true) {
    int dim = DaysInMonth(y, m);
    if (n < dim) break;
    n -= dim;
    ++m;
  }
  *year = y;
  *month = m;
  *day = static_cast<int>(n + 1);
}

// Whole days since 0001-01-01 (from 1) and milliseconds of the day.
void Split(TDateTime value, int64_t* days, int64_t* msec) {
  if (std::isnan(value) || value < kMinDateTime || value >= 2958466.0) {
    throw EConvertError("Invalid date and time value " + FixedFloatText(value, 6));
  }
  double whole = std::trunc(value);
  double frac = std::fabs(value - whole);
  int64_t ms = static_cast<int64_t>(std::llround(frac * static_cast<double>(kMsecsPerDay)));
  int64_t d = static_cast<int64_t>(whole) + kDateDelta;
  if (ms >= kMsecsPerDay) {  // 24:00 is the start of the next calendar day
    ms -= kMsecsPerDay;
    d += 1;
  }
  static const int64_t kLastDay = DaysFromCivil(9999, 12, 31);
  if (d < 1 || d > kLastDay) throw EConvertError("Invalid date and time value: past 9999-12-31");
  *days = d;
  *msec = ms;
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + ((month == 2 && IsLeapYear(year)) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime* date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month)) {
    return false;
  }
  *date = static_cast<double>(DaysFromCivil(year, month, day) - kDateDelta);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime* time) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      msec < 0 || msec > 999) {
    return false;
  }
  int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + msec;
  *time = static_cast<double>(ms) / static_cast<double>(kMsecsPerDay);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime d;
  if (!TryEncodeDate(year, month, day, &d)) {
    throw EConvertError(Format("Invalid argument to date encode: %.4d-%.2d-%.2d", {year, month, day}));
  }
  return d;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
  TDateTime t;
  if (!TryEncodeTime(hour, minute, second, msec, &t)) {
    throw EConvertError(
        Format("Invalid argument to time encode: %.2d:%.2d:%.2d.%.3d", {hour, minute, second, msec}));
  }
  return t;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
  return date < 0 ? date - time : date + time;
}

void DecodeDate(TDateTime value, int* year, int* month, int* day) {
  int64_t days, ms;
  Split(value, &days, &ms);
  CivilFromDays(days, year, month, day);
}

void DecodeTime(TDateTime value, int* hour, int* minute, int* second, int* msec) {
  int64_t days, ms;
  Split(value, &days, &ms);
  *msec = static_cast<int>(ms % 1000);
  ms /= 1000;
  *second = static_cast<int>(ms % 60);
  ms /= 60;
  *minute = static_cast<int>(ms % 60);
  *hour = static_cast<int>(ms / 60);
}

void DecodeDateTime(TDateTime value, int* year, int* month, int* day, int* hour, int* minute,
                    int* second, int* msec) {
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, msec);
}

uint32_t DateTimeToFileDate(TDateTime value) {
  int y, mo, d, h, mi, s, ms;
  try {
    DecodeDateTime(value, &y, &mo, &d, &h, &mi, &s, &ms);
  } catch (const EConvertError&) {
    return 0;
  }
  if (y < 1980 || y > 2107) return 0;
  uint32_t date = (static_cast<uint32_t>(y - 1980) << 9) | (static_cast<uint32_t>(mo) << 5) |
                  static_cast<uint32_t>(d);
  uint32_t time = (static_cast<uint32_t>(h) << 11) | (static_cast<uint32_t>(mi) << 5) |
                  static_cast<uint32_t>(s / 2);
  return (date << 16) | time;
}

bool TryFileDateToDateTime(uint32_t dos, TDateTime* value) {
  uint32_t date = dos >> 16, time = dos & 0xFFFF;
  TDateTime d, t;
  if (!TryEncodeDate(static_cast<int>((date >> 9) + 1980), static_cast<int>((date >> 5) & 15),
                     static_cast<int>(date & 31), &d) ||
      !TryEncodeTime(static_cast<int>(time >> 11), static_cast<int>((time >> 5) & 63),
                     static_cast<int>((time & 31) * 2), 0, &t)) {
    return false;
  }
  *value = d + t;
  return true;
}

TDateTime FileDateToDateTime(uint32_t dos) {
  TDateTime v;
  if (!TryFileDateToDateTime(dos, &v)) {
    throw EConvertError("Invalid DOS date and time 0x" + IntToHex(dos, 8));
  }
  return v;
}

}  // namespace kit
