#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/ini_file.h"
#include "temp_folder.h"

namespace korvana {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

constexpr char kMissing[] = "<no file>";

// One odd file and one read from it. `fallback` and `bufferSize` serve the
// string reads; integer reads use `intFallback`.
struct StringCase {
  const char* name;
  std::string contents;  // kMissing: no file at all
  const char* section;
  const char* key;
  const char* fallback;
  size_t bufferSize;
  std::string expected;
};

const std::string kLongValue(1000, 'x');

std::vector<StringCase> StringCases() {
  return {
      {"plain", "[Options]\r\nRemind=Yes\r\n", "Options", "Remind", "-", 255, "Yes"},
      {"names_ignore_case", "[oPTIONS]\r\nREMIND=Yes\r\n", "Options", "Remind", "-", 255, "Yes"},
      {"blanks_around_line_key_and_value", "  [Options]  \r\n   Remind   =   Yes   \r\n",
       "Options", "Remind", "-", 255, "Yes"},
      {"blanks_around_requested_names", "[Options]\r\nRemind=Yes\r\n", "  Options ", " Remind  ",
       "-", 255, "Yes"},
      {"blanks_inside_brackets", "[  Options ]\r\nRemind=Yes\r\n", "Options", "Remind", "-",
       255, "Yes"},
      {"tabs", "\t[Options]\t\r\n\tRemind\t=\tYes\t\r\n", "Options", "Remind", "-", 255, "Yes"},
      {"double_quotes_removed", "[Options]\r\nReminder Text=\"  I SWEAR  \"\r\n", "Options",
       "Reminder Text", "-", 255, "  I SWEAR  "},
      {"single_quotes_removed", "[Options]\r\nWall='Moon'\r\n", "Options", "Wall", "-", 255,
       "Moon"},
      {"unmatched_quote_kept", "[Options]\r\nWall=\"Moon\r\n", "Options", "Wall", "-", 255,
       "\"Moon"},
      {"mixed_quotes_kept", "[Options]\r\nWall=\"Moon'\r\n", "Options", "Wall", "-", 255,
       "\"Moon'"},
      {"lone_quote_kept", "[Options]\r\nWall=\"\r\n", "Options", "Wall", "-", 255, "\""},
      {"inner_quotes_kept", "[Options]\r\nWall=a\"b\"\r\n", "Options", "Wall", "-", 255,
       "a\"b\""},
      {"first_section_wins", "[Options]\r\nA=1\r\n[options]\r\nA=2\r\nB=3\r\n", "Options", "A",
       "-", 255, "1"},
      {"second_section_not_searched", "[Options]\r\nA=1\r\n[Options]\r\nB=3\r\n", "Options", "B",
       "-", 255, "-"},
      {"first_key_wins", "[Options]\r\nA=1\r\na=2\r\n", "Options", "A", "-", 255, "1"},
      {"empty_value_is_empty", "[Options]\r\nA=\r\n", "Options", "A", "-", 255, ""},
      {"line_without_equals_is_absent", "[Options]\r\nA\r\n", "Options", "A", "-", 255, "-"},
      {"missing_key", "[Options]\r\nA=1\r\n", "Options", "B", "dflt", 255, "dflt"},
      {"missing_section", "[Options]\r\nA=1\r\n", "Other", "A", "dflt", 255, "dflt"},
      {"missing_file", kMissing, "Options", "A", "dflt", 255, "dflt"},
      {"empty_file", "", "Options", "A", "dflt", 255, "dflt"},
      {"fallback_loses_trailing_spaces", "", "Options", "A", "dflt  ", 255, "dflt"},
      {"value_cut_to_buffer", "[C]\r\nCity Name=Kahramanmaras Merkez\r\n", "C", "City Name", "-",
       16, "Kahramanmaras M"},
      {"fallback_cut_to_buffer", "", "C", "City Name", "Kahramanmaras Merkez", 16,
       "Kahramanmaras M"},
      {"over_long_line", "[O]\r\nLong=" + kLongValue + "\r\nNext=2\r\n", "O", "Long",
       "-", 255, kLongValue.substr(0, 254)},
      {"line_after_over_long_line",
       "[O]\r\nLong=" + kLongValue + "\r\nNext=2\r\n", "O", "Next", "-", 255, "2"},
      {"lf_line_ends", "[O]\nA=1\nB=2\n", "O", "B", "-", 255, "2"},
      {"no_final_line_break", "[O]\r\nA=1\r\nB=2", "O", "B", "-", 255, "2"},
      {"key_before_any_section", "A=1\r\n[O]\r\nB=2\r\n", "O", "A", "-", 255, "-"},
      {"comment_is_no_value", "[O]\r\n;A=1\r\n", "O", "A", "-", 255, "-"},
      {"semicolon_inside_value_kept", "[O]\r\nA=1 ; note\r\n", "O", "A", "-", 255, "1 ; note"},
      {"equals_inside_value_kept", "[O]\r\nA=b=c\r\n", "O", "A", "-", 255, "b=c"},
      {"text_after_header", "[O] note\r\nA=1\r\n", "O", "A", "-", 255, "1"},
      {"header_without_bracket_is_no_section", "[O\r\nA=1\r\n", "O", "A", "-", 255, "-"},
      {"blank_lines_inside_section", "[O]\r\n\r\n\r\nA=1\r\n", "O", "A", "-", 255, "1"},
  };
}

struct IntCase {
  const char* name;
  const char* value;  // written as "[O]\r\nK=<value>\r\n"; nullptr: no key
  int fallback;
  int expected;
};

const IntCase kIntCases[] = {
    {"negative", "-1800", 7, -1800},
    {"plus_sign", "+42", 7, 42},
    {"leading_digits_then_text", "12abc", 7, 12},
    {"blanks_before_number", "   12", 7, 12},
    {"not_a_number", "abc", 7, 0},
    {"empty_value_gives_fallback", "", 7, 7},
    {"absent_key_gives_fallback", nullptr, 7, 7},
    {"hex_prefix", "0x1F", 7, 31},
    {"capital_x_is_no_prefix", "0X1f", 7, 0},
    {"negative_hex", "-0x10", 7, -16},
    {"binary_prefix", "0b101", 7, 5},
    {"octal_prefix", "0o17", 7, 15},
    {"leading_zero_is_decimal", "017", 7, 17},
    {"hex_prefix_without_digits", "0xg", 7, 0},
    {"hex_letters_end_a_decimal", "12ab", 7, 12},
    {"lone_zero", "0", 7, 0},
    {"decimal_point_stops", "12.7", 7, 12},
    {"decimal_comma_stops", "41,01", 7, 41},
    {"quoted_number", "\"-5\"", 7, -5},
    {"blank_after_sign", "- 5", 7, 0},
    {"wraps_like_32_bits", "4294967295", 7, -1},
    {"wraps_big_number", "99999999999", 7, 1215752191},
    {"only_29_characters_count", "000000000000000000000000000001", 7, 0},
};

std::string WriteCaseFile(const TempFolder& folder, const std::string& name,
                          const std::string& contents) {
  if (contents == kMissing) return folder.File(name + ".ini");
  return folder.Write(name + ".ini", contents);
}

TEST(IniFile, ReadsStringsWithTheProfileRules) {
  TempFolder folder;
  for (const StringCase& c : StringCases()) {
    SCOPED_TRACE(c.name);
    const std::string path = WriteCaseFile(folder, c.name, c.contents);
    EXPECT_EQ(PortableReadIniString(path, c.section, c.key, c.fallback, c.bufferSize),
              c.expected);
    // The dispatching reader must say the same (the real profile functions
    // in the Windows build).
    EXPECT_EQ(ReadIniString(path, c.section, c.key, c.fallback, c.bufferSize), c.expected);
  }
}

TEST(IniFile, ReadsIntegersAsSignAndLeadingDigits) {
  TempFolder folder;
  for (const IntCase& c : kIntCases) {
    SCOPED_TRACE(c.name);
    const std::string contents =
        c.value == nullptr ? "[O]\r\n" : std::string("[O]\r\nK=") + c.value + "\r\n";
    const std::string path = folder.Write(std::string(c.name) + ".ini", contents);
    EXPECT_EQ(PortableReadIniInt(path, "O", "K", c.fallback), c.expected);
    EXPECT_EQ(ReadIniInt(path, "o", "k", c.fallback), c.expected);
  }
}

TEST(IniFile, IntegerFromMissingFileIsTheFallback) {
  TempFolder folder;
  EXPECT_EQ(PortableReadIniInt(folder.File("none.ini"), "O", "K", -1700), -1700);
  EXPECT_EQ(ReadIniInt(folder.File("none.ini"), "O", "K", -1700), -1700);
}

TEST(IniFile, ListsTheKeysOfASection) {
  const struct {
    const char* name;
    const char* contents;
    std::vector<std::string> expected;
  } cases[] = {
      {"empty_section", "[Calculation Parameters]\r\n[Options]\r\nA=1\r\n", {}},
      {"keys_in_order", "[Calculation Parameters]\r\nLatitude=1\r\n\r\nLongitude=2\r\n",
       {"Latitude", "Longitude"}},
      {"comments_and_bare_words_skipped",
       "[Calculation Parameters]\r\n;note=1\r\nword\r\nLatitude=1\r\n", {"Latitude"}},
      {"first_section_only", "[Calculation Parameters]\r\nA=1\r\n[Calculation Parameters]\r\nB=2\r\n",
       {"A"}},
      {"missing_section", "[Options]\r\nA=1\r\n", {}},
      {"missing_file", kMissing, {}},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = WriteCaseFile(folder, c.name, c.contents);
    EXPECT_EQ(PortableReadIniKeys(path, "Calculation Parameters"), c.expected);
    EXPECT_EQ(ReadIniKeys(path, "calculation parameters"), c.expected);
  }
}

// Writes through the portable writer and checks the bytes of the file: the
// rest of the file stays as it was.
TEST(IniFile, PortableWriterEditsInPlace) {
  const struct {
    const char* name;
    const char* before;  // kMissing: no file
    const char* section;
    const char* key;
    const char* value;
    const char* after;
  } cases[] = {
      {"creates_file", kMissing, "Options", "Remind", "Yes", "[Options]\r\nRemind=Yes\r\n"},
      {"replaces_in_place", "; mine\r\n[Options]\r\n  remind = No  \r\nWall=Moon\r\n", "Options",
       "Remind", "Yes", "; mine\r\n[Options]\r\nRemind=Yes\r\nWall=Moon\r\n"},
      {"keeps_lf_line_ends", "[Options]\nRemind=No\nWall=Moon\n", "Options", "Remind", "Yes",
       "[Options]\nRemind=Yes\nWall=Moon\n"},
      {"appends_to_its_section", "[Options]\r\nWall=Moon\r\n\r\n[Time Servers]\r\nA=1\r\n",
       "options", "Remind", "Yes",
       "[Options]\r\nWall=Moon\r\nRemind=Yes\r\n\r\n[Time Servers]\r\nA=1\r\n"},
      {"appends_to_first_of_two_sections", "[O]\r\nA=1\r\n[O]\r\nB=2\r\n", "O", "B", "3",
       "[O]\r\nA=1\r\nB=3\r\n[O]\r\nB=2\r\n"},
      {"appends_to_empty_section", "[O]\r\n[P]\r\n", "O", "A", "1", "[O]\r\nA=1\r\n[P]\r\n"},
      {"appends_to_section_without_final_break", "[O]\r\nA=1", "O", "B", "2",
       "[O]\r\nA=1\r\nB=2\r\n"},
      {"creates_section", "[O]\r\nA=1\r\n", "Options", "Wall", "Moon",
       "[O]\r\nA=1\r\n[Options]\r\nWall=Moon\r\n"},
      {"creates_section_after_unfinished_line", "[O]\r\nA=1", "P", "B", "2",
       "[O]\r\nA=1\r\n[P]\r\nB=2\r\n"},
      {"value_cut_at_line_break", "[O]\r\n", "O", "A", "one\r\n[Evil]\r\nB=2",
       "[O]\r\nA=one\r\n"},
      {"empty_value", "[O]\r\nA=1\r\n", "O", "A", "", "[O]\r\nA=\r\n"},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = WriteCaseFile(folder, c.name, c.before);
    ASSERT_TRUE(PortableWriteIniString(path, c.section, c.key, c.value));
    EXPECT_EQ(ReadBytes(path), c.after);
  }
}

TEST(IniFile, PortableWriterLeavesNothingBeside) {
  TempFolder folder;
  const std::string path = folder.Write("k.ini", "[O]\r\nA=1\r\n");
  ASSERT_TRUE(PortableWriteIniString(path, "O", "A", "2"));
  ASSERT_TRUE(PortableWriteIniString(folder.File("new.ini"), "O", "A", "2"));
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 2);
}

// Files that cannot be written: the write reports failure and the file, if
// any, keeps every byte.
TEST(IniFile, UnwritableFilesAreLeftAlone) {
  TempFolder folder;
  const std::string original = "[Options]\r\nRemind=No\r\n";

  const std::string readOnly = folder.Write("read-only.ini", original);
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::group_read |
                                             std::filesystem::perms::others_read);
  EXPECT_FALSE(PortableWriteIniString(readOnly, "Options", "Remind", "Yes"));
  EXPECT_FALSE(WriteIniString(readOnly, "Options", "Remind", "Yes"));
  EXPECT_EQ(ReadBytes(readOnly), original);
  EXPECT_EQ(ReadIniString(readOnly, "Options", "Remind", "", 255), "No");

  // A folder where the file should be: unreadable, so also unwritable.
  const std::string folderInstead = folder.File("folder.ini");
  std::filesystem::create_directory(folderInstead);
  EXPECT_FALSE(PortableWriteIniString(folderInstead, "Options", "Remind", "Yes"));
  EXPECT_FALSE(WriteIniString(folderInstead, "Options", "Remind", "Yes"));
  EXPECT_EQ(PortableReadIniInt(folderInstead, "Options", "Remind", 5), 5);
  EXPECT_EQ(ReadIniInt(folderInstead, "Options", "Remind", 5), 5);
  EXPECT_TRUE(std::filesystem::is_directory(folderInstead));

  const std::string noFolder = folder.File("missing-folder/korvana.ini");
  EXPECT_FALSE(PortableWriteIniString(noFolder, "Options", "Remind", "Yes"));
  EXPECT_FALSE(WriteIniString(noFolder, "Options", "Remind", "Yes"));
  EXPECT_FALSE(std::filesystem::exists(noFolder));
}

TEST(IniFile, WrittenValuesReadBack) {
  TempFolder folder;
  const std::string path = folder.File("k.ini");
  ASSERT_TRUE(WriteIniInt(path, "Calculation Parameters", "Fajr Angle", -1850));
  ASSERT_TRUE(WriteIniString(path, "Calculation Parameters", "City Name", "Istanbul"));
  ASSERT_TRUE(WriteIniInt(path, "Calculation Parameters", "Fajr Angle", -1800));
  EXPECT_EQ(ReadIniInt(path, "Calculation Parameters", "Fajr Angle", 0), -1800);
  EXPECT_EQ(ReadIniString(path, "Calculation Parameters", "City Name", "???", 16), "Istanbul");
  EXPECT_EQ(ReadIniKeys(path, "Calculation Parameters"),
            (std::vector<std::string>{"Fajr Angle", "City Name"}));
}

#ifdef _WIN32
// The Windows profile functions and the portable writer, given the same
// edits of the same file, leave files that read alike through both readers.
TEST(IniFile, PortableWriterAgreesWithTheProfileFunctions) {
  const char* start =
      "; settings\r\n[options]\r\n  Remind = No \r\nWall=Moon\r\n\r\n[Options]\r\nB=2\r\n"
      "[Time Servers]\r\nServer=x\r\n";
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } edits[] = {
      {"Options", "Remind", "Yes"},       {"Options", "B", "3"},
      {" Options ", " Wall ", "Earth"},   {"Calculation Parameters", "Latitude", "4101"},
      {"Calculation Parameters", "City Name", "\"Istanbul\""},
      {"Time Servers", "Server", ""},
  };
  const struct {
    const char* section;
    const char* key;
  } reads[] = {{"Options", "Remind"},   {"Options", "B"},       {"Options", "Wall"},
               {"Calculation Parameters", "Latitude"}, {"Calculation Parameters", "City Name"},
               {"Time Servers", "Server"}, {"Options", "Missing"}};
  TempFolder folder;
  const std::string real = folder.Write("real.ini", start);
  const std::string portable = folder.Write("portable.ini", start);
  for (const auto& e : edits) {
    ASSERT_TRUE(WriteIniString(real, e.section, e.key, e.value));
    ASSERT_TRUE(PortableWriteIniString(portable, e.section, e.key, e.value));
  }
  for (const auto& r : reads) {
    SCOPED_TRACE(std::string(r.section) + "/" + r.key);
    const std::string expected = ReadIniString(real, r.section, r.key, "-", 255);
    EXPECT_EQ(PortableReadIniString(real, r.section, r.key, "-", 255), expected);
    EXPECT_EQ(ReadIniString(portable, r.section, r.key, "-", 255), expected);
    EXPECT_EQ(PortableReadIniString(portable, r.section, r.key, "-", 255), expected);
  }
  EXPECT_EQ(ReadIniKeys(portable, "Options"), ReadIniKeys(real, "Options"));
}
#endif

}  // namespace
}  // namespace korvana
