#include "dialogs/options_dialog.h"

#include <cstdint>

#include "dialogs/dialog_text.h"
#include "resources/dialog_ids.h"

namespace korvana {

namespace {

constexpr int kMinAdvance = 10;           // minutes, every field
constexpr int kMaxAdhanAdvance = 60;      // Fajr Adhan, Reminder Advance
constexpr int kMaxSalawaatAdvance = 120;  // Jumuah and predawn salawaat

std::string FormatUnsigned(int value) { return std::to_string(static_cast<uint32_t>(value)); }

bool EqualsIgnoringCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return i == a.size() && b[i] == '\0';
}

}  // namespace

OptionsView BuildOptionsView(const Options& options) {
  OptionsView view;
  view.fields.fajrAdhan = FormatUnsigned(options.fajrAdhanMinutes);
  view.beforeSunriseSelected = !options.adhanAtFajr;
  view.atFajrSelected = options.adhanAtFajr;
  view.fajrAdhanEnabled = !options.adhanAtFajr;
  view.fields.reminderAdvance = FormatUnsigned(options.reminderAdvance);
  view.remindChecked = options.remind;
  view.useSalawaatChecked = options.useSalawaat;
  view.fields.jumuahAdvance = FormatUnsigned(options.jumuahSalawaatAdvance);
  view.jumuahAdvanceEnabled = options.jumuahSalawaat;
  view.jumuahChecked = options.jumuahSalawaat;
  view.fields.predawnAdvance = FormatUnsigned(options.predawnSalawaatAdvance);
  view.predawnAdvanceEnabled = options.predawnSalawaat;
  view.predawnChecked = options.predawnSalawaat;
  view.useAsr2Checked = options.useAsr2;
  view.showAllRemainingChecked = options.showAllRemainingTimes;
  view.clockCorrectionChecked = options.automaticClockCorrection;
  view.runAtStartupChecked = options.runAtStartup;
  return view;
}

FieldCheck CheckOptionsFields(const OptionsFields& fields, Options& options) {
  struct Field {
    const std::string& text;
    int id;
    int max;
    int& stored;
  };
  const Field order[] = {
      {fields.fajrAdhan, IDC_FAJR_ADHAN, kMaxAdhanAdvance, options.fajrAdhanMinutes},
      {fields.reminderAdvance, IDC_REMINDER_ADVANCE, kMaxAdhanAdvance, options.reminderAdvance},
      {fields.jumuahAdvance, IDC_JUMUAH_ADVANCE, kMaxSalawaatAdvance,
       options.jumuahSalawaatAdvance},
      {fields.predawnAdvance, IDC_PREDAWN_ADVANCE, kMaxSalawaatAdvance,
       options.predawnSalawaatAdvance},
  };
  FieldCheck check;
  for (const Field& field : order) {
    check.focusId = field.id;
    int32_t value = 0;
    if (!ReadFieldInteger(field.text, false, &value) || value < kMinAdvance || value > field.max)
      return check;
    field.stored = value;
  }
  check.passed = true;
  return check;
}

bool SalawaatFileNeeded(const Options& options) {
  return options.jumuahSalawaat || options.predawnSalawaat ||
         (options.useSalawaat && EqualsIgnoringCase(options.reminderFile, kSalawaatFileName));
}

}  // namespace korvana
