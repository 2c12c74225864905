#include <gtest/gtest.h>

#include <string>

#include "dialogs/timing_rows.h"

namespace korvana {
namespace {

TEST(TimingRows, MoonLine) {
  const struct {
    const char* name;
    int16_t code;
    const char* line;
  } cases[] = {
      {"visible_here", 100, ">> Moon visible from here"},
      {"visible_elsewhere", -100, ">> Moon visible from Earth"},
      {"too_thin", 0, ""},
      {"solar_37", 37, ">>  SUN eclipse  %37  <<"},
      {"solar_1", 1, ">>  SUN eclipse  % 1  <<"},
      {"solar_99", 99, ">>  SUN eclipse  %99  <<"},
      {"lunar_5", -5, ">>  MOON eclipse  % 5  <<"},
      {"lunar_99", -99, ">>  MOON eclipse  %99  <<"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatMoonLine(c.code), c.line) << c.name;
}

AstroState Istanbul(int16_t day, int16_t month, int16_t year, int16_t hour, int16_t minute) {
  AstroState s;
  SetLocation(s, 4101, 2897, 180);
  SetDate(s, day, month, year);
  SetTime(s, hour, minute);
  return s;
}

const TimingRow* Find(const TimingAstroData& data, int valueId) {
  for (const TimingRow& row : data.rows) {
    if (row.valueId == valueId) return &row;
  }
  return nullptr;
}

TEST(TimingRows, RowsInDialogOrder) {
  AstroState s = Istanbul(5, 7, 2014, 20, 0);
  const TimingAstroData data = FormatTimingAstroData(s, 50, 0, TimingTextEncoding::kWindows1252);
  const int kOrder[kTimingRowCount] = {1133, 1134, 1135, 1146, 1147, 1143, 1144, 1141,
                                       1142, 1140, 1145, 1136, 1137, 1138, 1139};
  for (int i = 0; i < kTimingRowCount; ++i) EXPECT_EQ(data.rows[i].valueId, kOrder[i]) << i;
  EXPECT_STREQ(data.rows[0].label, "QIBLA      =");
  EXPECT_STREQ(data.rows[3].label, "Compass Drift  =");
  EXPECT_STREQ(data.rows[14].label, "Time Equation  =");
}

TEST(TimingRows, ValuesAsTheDialogShowsThem) {
  AstroState s = Istanbul(5, 7, 2014, 20, 0);
  const TimingAstroData cp1252 = FormatTimingAstroData(s, 50, 0, TimingTextEncoding::kWindows1252);
  const struct {
    const char* name;
    int valueId;
    const char* value;  // Windows-1252
  } cases[] = {
      {"qibla", 1133, "151.6\xB0"},
      {"compass_drift", 1146, "  5.1\xB0"},
      {"geomag_flux", 1147, " 24.7 \xB5T"},
      {"moon_azimuth", 1143, "197.4\xB0"},
      {"moon_elevation", 1144, " 39.7\xB0"},
      {"moon_phase", 1141, " 92.3\xB0"},
      {"moon_decl", 1142, " -0.7\xB0"},
      {"moon_distance", 1140, "389.2 Mm"},
      {"moon_illumination", 1145, "% 52.0"},
      {"sun_distance", 1136, "152.0 Gm"},
  };
  for (const auto& c : cases) {
    const TimingRow* row = Find(cp1252, c.valueId);
    ASSERT_NE(row, nullptr) << c.name;
    EXPECT_EQ(row->value, c.value) << c.name;
  }
  EXPECT_EQ(cp1252.moonLine, ">> Moon visible from here");
  EXPECT_TRUE(Find(cp1252, 1146)->enabled);

  AstroState again = Istanbul(5, 7, 2014, 20, 0);
  const TimingAstroData utf8 = FormatTimingAstroData(again, 50, 0, TimingTextEncoding::kUtf8);
  EXPECT_EQ(Find(utf8, 1133)->value, "151.6\xC2\xB0");
  EXPECT_EQ(Find(utf8, 1147)->value, " 24.7 \xC2\xB5T");
  EXPECT_EQ(Find(utf8, 1145)->value, "% 52.0");
}

TEST(TimingRows, CompassDriftGreyedWhenTheModelHasExpired) {
  AstroState s = Istanbul(5, 7, 2025, 20, 0);
  const TimingAstroData data = FormatTimingAstroData(s, 50, 0, TimingTextEncoding::kWindows1252);
  const TimingRow* drift = Find(data, 1146);
  ASSERT_NE(drift, nullptr);
  EXPECT_FALSE(drift->enabled);
  EXPECT_FALSE(drift->value.empty()) << "the value is still shown";
}

}  // namespace
}  // namespace korvana
