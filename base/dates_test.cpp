#include "base/dates.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/exception.h"

namespace kit {
namespace {

struct Fields {
  int y, mo, d, h, mi, s, ms;
};

Fields Decode(TDateTime v) {
  Fields f{};
  DecodeDateTime(v, &f.y, &f.mo, &f.d, &f.h, &f.mi, &f.s, &f.ms);
  return f;
}

TEST(Dates, DayCountFromTheEpoch) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1899, 12, 31), 1.0);
  EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0);  // 1900 is no leap year
  EXPECT_EQ(EncodeDate(2000, 2, 29), 36585.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), kMinDateTime);
  EXPECT_EQ(EncodeDate(9999, 12, 31), std::floor(kMaxDateTime));
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  Fields f = Decode(1.5);  // 1899-12-31 12:00
  EXPECT_EQ(f.y, 1899); EXPECT_EQ(f.mo, 12); EXPECT_EQ(f.d, 31); EXPECT_EQ(f.h, 12);
  for (int y : {1, 4, 100, 1600, 1899, 1900, 1980, 2000, 2024, 2107, 9999}) {
    for (int m : {1, 2, 3, 12}) {
      int d = DaysInMonth(y, m);
      Fields g = Decode(ComposeDateTime(EncodeDate(y, m, d), EncodeTime(23, 59, 58, 500)));
      EXPECT_EQ(g.y * 10000 + g.mo * 100 + g.d, y * 10000 + m * 100 + d);
      EXPECT_EQ(g.h * 10000 + g.mi * 100 + g.s, 235958);
      EXPECT_EQ(g.ms, 500);
    }
  }
}

TEST(Dates, InvalidFieldsAndValuesRaise) {
  EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
  EXPECT_THROW(EncodeDate(2023, 13, 1), EConvertError);
  EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
  int y, m, d;
  EXPECT_THROW(DecodeDate(std::nan(""), &y, &m, &d), EConvertError);
  EXPECT_THROW(DecodeDate(kMinDateTime - 1, &y, &m, &d), EConvertError);
  EXPECT_THROW(DecodeDate(3e6, &y, &m, &d), EConvertError);
}

TEST(Dates, BeforeTheEpochTheFractionIsTheTimeOfDay) {
  Fields f = Decode(-1.25);
  EXPECT_EQ(f.y, 1899); EXPECT_EQ(f.mo, 12); EXPECT_EQ(f.d, 29);
  EXPECT_EQ(f.h, 6); EXPECT_EQ(f.mi, 0);
  EXPECT_DOUBLE_EQ(ComposeDateTime(EncodeDate(1899, 12, 29), EncodeTime(6, 0, 0, 0)), -1.25);
  EXPECT_DOUBLE_EQ(ComposeDateTime(EncodeDate(1899, 12, 31), EncodeTime(6, 0, 0, 0)), 1.25);
  Fields g = Decode(ComposeDateTime(EncodeDate(1800, 7, 4), EncodeTime(18, 30, 0, 0)));
  EXPECT_EQ(g.y * 10000 + g.mo * 100 + g.d, 18000704);
  EXPECT_EQ(g.h * 100 + g.mi, 1830);
  // A time that rounds up to 24:00 belongs to the next day.
  Fields h = Decode(1.0 - 1e-10);
  EXPECT_EQ(h.d, 31); EXPECT_EQ(h.h, 0);
  Fields k = Decode(-1.0 - (1.0 - 1e-10));  // 1899-12-29 nearly 24:00
  EXPECT_EQ(k.d, 30); EXPECT_EQ(k.h, 0);
}

TEST(Dates, DosDateAndTime) {
  // 2001-07-14 13:45:36 -> date (21 << 9 | 7 << 5 | 14), time (13 << 11 | 45 << 5 | 18)
  const uint32_t dos = ((21u << 9 | 7u << 5 | 14u) << 16) | (13u << 11 | 45u << 5 | 18u);
  TDateTime v = FileDateToDateTime(dos);
  EXPECT_DOUBLE_EQ(v, EncodeDate(2001, 7, 14) + EncodeTime(13, 45, 36, 0));
  EXPECT_EQ(DateTimeToFileDate(v), dos);
  // Odd seconds are truncated to the two-second step.
  EXPECT_EQ(DateTimeToFileDate(v + EncodeTime(0, 0, 1, 999)), dos);
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(1980, 1, 1)), (1u << 5 | 1u) << 16);
  EXPECT_EQ(FileDateToDateTime(0xFF9FBF7D), EncodeDate(2107, 12, 31) + EncodeTime(23, 59, 58, 0));
  EXPECT_EQ(DateTimeToFileDate(FileDateToDateTime(0xFF9FBF7D)), 0xFF9FBF7Du);
}

TEST(Dates, DosConversionRefusesWhatItCannotHold) {
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(1979, 12, 31) + 0.99), 0u);
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(2108, 1, 1)), 0u);
  EXPECT_EQ(DateTimeToFileDate(-5.5), 0u);
  EXPECT_EQ(DateTimeToFileDate(std::nan("")), 0u);
  EXPECT_EQ(DateTimeToFileDate(1e12), 0u);
  TDateTime v = 42;
  EXPECT_FALSE(TryFileDateToDateTime(0, &v));                    // month 0, day 0
  EXPECT_FALSE(TryFileDateToDateTime((1u << 5 | 1u) << 16 | (24u << 11), &v));  // hour 24
  EXPECT_FALSE(TryFileDateToDateTime((13u << 5 | 1u) << 16, &v));  // month 13
  EXPECT_FALSE(TryFileDateToDateTime((2u << 5 | 30u) << 16, &v));  // 1980-02-30
  EXPECT_FALSE(TryFileDateToDateTime((1u << 5 | 1u) << 16 | 30u, &v));  // second 60
  EXPECT_EQ(v, 42);
  try {
    FileDateToDateTime(0x00000000);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_NE(e.Message().find("0x00000000"), std::string::npos);
  }
}

}  // namespace
}  // namespace kit
