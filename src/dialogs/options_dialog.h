#pragma once
// The Options dialog's decisions: what it shows and enables, the checks of
// Save with the values they store, and when the salawaat sound file is
// needed. Like the Calculation Parameters dialog it works on the program's
// own values: clicks change them at once, Save stores the four fields.

#include <string>

#include "dialogs/dialog_text.h"
#include "settings/schema.h"

namespace korvana {

// The four minute fields, as shown or as typed.
struct OptionsFields {
  std::string fajrAdhan;        // minutes before SUNRISE
  std::string reminderAdvance;  // minutes
  std::string jumuahAdvance;    // minutes before ZUHR on Fridays
  std::string predawnAdvance;   // minutes before FAJR
};

struct OptionsView {
  OptionsFields fields;
  bool beforeSunriseSelected = false;  // radio 1100: the adhan comes before sunrise
  bool atFajrSelected = false;         // radio 1102
  bool fajrAdhanEnabled = false;       // the minutes field, only before sunrise
  bool remindChecked = false;
  bool useSalawaatChecked = false;
  bool jumuahChecked = false;
  bool jumuahAdvanceEnabled = false;
  bool predawnChecked = false;
  bool predawnAdvanceEnabled = false;
  bool useAsr2Checked = false;
  bool showAllRemainingChecked = false;
  bool clockCorrectionChecked = false;
  bool runAtStartupChecked = false;
};

OptionsView BuildOptionsView(const Options& options);

// Save: the four fields in order, each a whole number without sign, each
// stored at once when it passes; disabled fields are checked too. Fajr
// Adhan and Reminder Advance 10..60, the two salawaat advances 10..120.
FieldCheck CheckOptionsFields(const OptionsFields& fields, Options& options);

// The file "sala.wav" is needed when a Jumuah or predawn salawaat is on, or
// salawaat before the prayers is on and Reminder File is "sala.wav" in any
// case of letters.
bool SalawaatFileNeeded(const Options& options);

inline constexpr char kSalawaatFileName[] = "sala.wav";

}  // namespace korvana
