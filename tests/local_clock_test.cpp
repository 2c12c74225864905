// File times of local moments, as the wake-up timer takes them.

#include <gtest/gtest.h>

#include "platform/local_clock.h"

namespace korvana {
namespace {

struct FileTimeCase {
  const char* name;
  LocalDateTime moment;  // year, month, weekday, day, hour, minute, second, ms
  int64_t fileTime;      // 100-ns units since 1601-01-01 (Python's datetime)
};

class LocalFileTimeTest : public ::testing::TestWithParam<FileTimeCase> {};

TEST_P(LocalFileTimeTest, ConvertsBothWays) {
  const FileTimeCase& c = GetParam();
  EXPECT_EQ(LocalFileTime(c.moment), c.fileTime);
  const LocalDateTime back = FromLocalFileTime(c.fileTime);
  EXPECT_EQ(back.year, c.moment.year);
  EXPECT_EQ(back.month, c.moment.month);
  EXPECT_EQ(back.weekday, c.moment.weekday);
  EXPECT_EQ(back.day, c.moment.day);
  EXPECT_EQ(back.hour, c.moment.hour);
  EXPECT_EQ(back.minute, c.moment.minute);
  EXPECT_EQ(back.second, c.moment.second);
  EXPECT_EQ(back.millisecond, c.moment.millisecond);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LocalFileTimeTest,
    ::testing::Values(
        FileTimeCase{"epoch_1601", {1601, 1, 1, 1, 0, 0, 0, 0}, 0},
        FileTimeCase{"unix_epoch", {1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000},
        FileTimeCase{"adhan_with_milliseconds", {2014, 3, 1, 10, 12, 35, 1, 250},
                     130389285012500000},
        FileTimeCase{"leap_day_last_millisecond", {2000, 2, 2, 29, 23, 59, 59, 999},
                     125963423999990000},
        FileTimeCase{"end_of_the_engine_calendar", {2099, 12, 4, 31, 0, 0, 0, 0},
                     157468320000000000}),
    [](const ::testing::TestParamInfo<FileTimeCase>& info) {
      return std::string(info.param.name);
    });

TEST(LocalFileTime, IgnoresTheWeekdayField) {
  LocalDateTime a = {2014, 3, 1, 10, 12, 0, 0, 0};
  LocalDateTime b = a;
  b.weekday = 5;
  EXPECT_EQ(LocalFileTime(a), LocalFileTime(b));
}

TEST(HostLocalClock, GivesAPlausibleMomentAndZone) {
  const LocalDateTime now = HostLocalClock().GetLocalTime();
  EXPECT_GE(now.year, 2020);
  EXPECT_LE(now.weekday, 6);
  EXPECT_LE(now.second, 59);
  EXPECT_LE(now.millisecond, 999);
  const TimeZoneInfo zone = HostLocalClock().GetTimeZoneInformation();
  EXPECT_LE(zone.bias, 720);
  EXPECT_GE(zone.bias, -840);
}

}  // namespace
}  // namespace korvana
