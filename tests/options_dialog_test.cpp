// The Options dialog's decisions without a window: the four minute fields
// of Save, what the form shows and enables, and when "sala.wav" is needed.

#include <gtest/gtest.h>

#include "dialogs/options_dialog.h"
#include "resources/dialog_ids.h"

namespace korvana {
namespace {

TEST(OptionsChecks, FourFieldsInOrder) {
  const struct {
    const char* name;
    const char* fajr;
    const char* reminder;
    const char* jumuah;
    const char* predawn;
    bool passed;
    int focusId;
  } cases[] = {
      {"defaults", "60", "20", "60", "90", true, IDC_PREDAWN_ADVANCE},
      {"lowest", "10", "10", "10", "10", true, IDC_PREDAWN_ADVANCE},
      {"highest", "60", "60", "120", "120", true, IDC_PREDAWN_ADVANCE},
      {"fajr_9", "9", "20", "60", "90", false, IDC_FAJR_ADHAN},
      {"fajr_61", "61", "20", "60", "90", false, IDC_FAJR_ADHAN},
      {"fajr_empty", "", "20", "60", "90", false, IDC_FAJR_ADHAN},
      {"fajr_negative", "-10", "20", "60", "90", false, IDC_FAJR_ADHAN},
      {"reminder_61", "60", "61", "60", "90", false, IDC_REMINDER_ADVANCE},
      {"reminder_text", "60", "abc", "60", "90", false, IDC_REMINDER_ADVANCE},
      {"jumuah_121", "60", "20", "121", "90", false, IDC_JUMUAH_ADVANCE},
      {"predawn_9", "60", "20", "60", "9", false, IDC_PREDAWN_ADVANCE},
      {"first_failure_wins", "60", "5", "500", "90", false, IDC_REMINDER_ADVANCE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Options options;
    const FieldCheck check =
        CheckOptionsFields({c.fajr, c.reminder, c.jumuah, c.predawn}, options);
    EXPECT_EQ(check.passed, c.passed);
    EXPECT_EQ(check.focusId, c.focusId);
  }
}

TEST(OptionsChecks, GreyFajrFieldIsStillChecked) {
  Options options;
  options.adhanAtFajr = true;  // the minutes field is disabled
  const FieldCheck check = CheckOptionsFields({"5", "20", "60", "90"}, options);
  EXPECT_FALSE(check.passed);
  EXPECT_EQ(check.focusId, IDC_FAJR_ADHAN);
}

TEST(OptionsChecks, StoresEachPassingValueAtOnce) {
  Options options;
  EXPECT_FALSE(CheckOptionsFields({"15", "25", "200", "45"}, options).passed);
  EXPECT_EQ(options.fajrAdhanMinutes, 15);
  EXPECT_EQ(options.reminderAdvance, 25);
  EXPECT_EQ(options.jumuahSalawaatAdvance, 60);   // failed: unchanged
  EXPECT_EQ(options.predawnSalawaatAdvance, 90);  // not reached
  EXPECT_TRUE(CheckOptionsFields({"15", "25", "100", "45"}, options).passed);
  EXPECT_EQ(options.jumuahSalawaatAdvance, 100);
  EXPECT_EQ(options.predawnSalawaatAdvance, 45);
}

TEST(OptionsView, ShowsAndEnables) {
  Options options;
  OptionsView view = BuildOptionsView(options);
  EXPECT_EQ(view.fields.fajrAdhan, "60");
  EXPECT_EQ(view.fields.reminderAdvance, "20");
  EXPECT_EQ(view.fields.jumuahAdvance, "60");
  EXPECT_EQ(view.fields.predawnAdvance, "90");
  EXPECT_TRUE(view.beforeSunriseSelected);
  EXPECT_FALSE(view.atFajrSelected);
  EXPECT_TRUE(view.fajrAdhanEnabled);
  EXPECT_FALSE(view.jumuahAdvanceEnabled);
  EXPECT_FALSE(view.predawnAdvanceEnabled);
  EXPECT_FALSE(view.runAtStartupChecked);

  options.adhanAtFajr = true;
  options.jumuahSalawaat = true;
  options.predawnSalawaat = true;
  options.remind = true;
  options.useSalawaat = true;
  options.useAsr2 = true;
  options.showAllRemainingTimes = true;
  options.automaticClockCorrection = true;
  options.runAtStartup = true;
  view = BuildOptionsView(options);
  EXPECT_FALSE(view.beforeSunriseSelected);
  EXPECT_TRUE(view.atFajrSelected);
  EXPECT_FALSE(view.fajrAdhanEnabled);
  EXPECT_TRUE(view.jumuahChecked);
  EXPECT_TRUE(view.jumuahAdvanceEnabled);
  EXPECT_TRUE(view.predawnChecked);
  EXPECT_TRUE(view.predawnAdvanceEnabled);
  EXPECT_TRUE(view.remindChecked);
  EXPECT_TRUE(view.useSalawaatChecked);
  EXPECT_TRUE(view.useAsr2Checked);
  EXPECT_TRUE(view.showAllRemainingChecked);
  EXPECT_TRUE(view.clockCorrectionChecked);
  EXPECT_TRUE(view.runAtStartupChecked);
}

TEST(OptionsSalawaat, WhenTheFileIsNeeded) {
  const struct {
    const char* name;
    bool jumuah, predawn, useSalawaat;
    const char* reminderFile;
    bool needed;
  } cases[] = {
      {"nothing_on", false, false, false, "sala.wav", false},
      {"jumuah", true, false, false, "other.wav", true},
      {"predawn", false, true, false, "other.wav", true},
      {"reminder_sala_capitals", false, false, true, "SALA.WAV", true},
      {"reminder_sala_mixed", false, false, true, "Sala.Wav", true},
      {"reminder_other_file", false, false, true, "other.wav", false},
      {"reminder_sala_with_folder", false, false, true, "C:\\x\\sala.wav", false},
      {"reminder_longer_name", false, false, true, "sala.wav.bak", false},
      {"reminder_shorter_name", false, false, true, "sala.wa", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Options options;
    options.jumuahSalawaat = c.jumuah;
    options.predawnSalawaat = c.predawn;
    options.useSalawaat = c.useSalawaat;
    options.reminderFile = c.reminderFile;
    EXPECT_EQ(SalawaatFileNeeded(options), c.needed);
  }
}

}  // namespace
}  // namespace korvana
