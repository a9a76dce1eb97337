// Dates and times as a day count: TDateTime is a double holding the days
// since 1899-12-30 00:00, the time of day as the fraction (1.5 is 1899-12-31
// 12:00). Before 1899-12-30 the whole part counts back and the fraction is
// still the time of day, taken as it stands: -1.25 is 1899-12-29 06:00.
// Valid dates run from 0001-01-01 to 9999-12-31.
//
// DOS date and time (the file times of the platform layer): the high word is
// the date (year - 1980) << 9 | month << 5 | day, the low word the time
// hour << 11 | minute << 5 | second / 2. DOS dates cover 1980..2107 and two
// seconds; conversions into that form truncate odd seconds and give 0 for
// dates outside that range.
#pragma once

#include <cstdint>

namespace kit {

using TDateTime = double;

constexpr double kMinDateTime = -693593.0;         // 0001-01-01
constexpr double kMaxDateTime = 2958465.99999999;  // 9999-12-31 23:59:59.999

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Raise EConvertError for fields out of range.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime* date);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime* time);
// A date (whole days) and a time of day (0 <= time < 1) as one value,
// following the convention for days before 1899-12-30.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// Raise EConvertError for NaN and values outside the valid dates. A time
// that rounds to a full day (23:59:59.9996) counts as 00:00 of the next day.
void DecodeDate(TDateTime value, int* year, int* month, int* day);
void DecodeTime(TDateTime value, int* hour, int* minute, int* second, int* msec);
void DecodeDateTime(TDateTime value, int* year, int* month, int* day, int* hour, int* minute,
                    int* second, int* msec);

// 0 when the date lies outside 1980-01-01 .. 2107-12-31 or is not valid.
uint32_t DateTimeToFileDate(TDateTime value);
// False (and *value unchanged) for a DOS value whose fields are not a date
// and time (month 0 or 13, day 0 or past the month's end, hour 24, ...).
bool TryFileDateToDateTime(uint32_t dos, TDateTime* value);
// Raises EConvertError naming the value for such fields.
TDateTime FileDateToDateTime(uint32_t dos);

}  // namespace kit
