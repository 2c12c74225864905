#pragma once
// Control identifiers of the dialog templates (1075..1148). Plain #defines so
// that the resource script and the portable dialog code share them.

// --- "AstroDlg": Calculation Parameters ---
#define IDC_MARGIN_FIRST 1075  // FAJR; 1075 + k for the k-th timing
#define IDC_MARGIN_FAJR 1075
#define IDC_MARGIN_SUNRISE 1076
#define IDC_MARGIN_ISHRAQ 1077
#define IDC_MARGIN_MIDDAY 1078
#define IDC_MARGIN_ZUHR 1079
#define IDC_MARGIN_ASR1 1080
#define IDC_MARGIN_ASR2 1081
#define IDC_MARGIN_FADING 1082
#define IDC_MARGIN_SUNSET 1083
#define IDC_MARGIN_ISHA 1084
#define IDC_MARGIN_LAST 1084
#define IDC_MARGINS_DEFAULT 1085
#define IDC_OPEN_LIST 1086
#define IDC_USE_LIST 1087
#define IDC_ROW_NUMBER 1088
#define IDC_CITY 1089
#define IDC_COUNTRY 1090
#define IDC_LATITUDE 1091
#define IDC_LONGITUDE 1092
#define IDC_TIME_ZONE 1093
#define IDC_DLS 1094
#define IDC_FAJR_ANGLE 1095
#define IDC_ISHA_ANGLE 1096
#define IDC_CALC_MODE 1097
#define IDC_ANGLES_DEFAULT 1098
#define IDC_APPLY 1099
#define IDC_DATE 1113
#define IDC_TIME 1114
#define IDC_WINDOWS_TZ 1115
#define IDC_WINDOWS_DLS 1116
#define IDC_REAL_TIME 1117

// --- "SettingsDlg": Options ---
#define IDC_FAJR_BEFORE_SUNRISE 1100
#define IDC_FAJR_ADHAN 1101
#define IDC_ADHAN_AT_FAJR 1102
#define IDC_REMINDER_ADVANCE 1106
#define IDC_REMIND 1107
#define IDC_JUMUAH_ADVANCE 1108
#define IDC_PREDAWN_ADVANCE 1109
#define IDC_USE_SALAWAAT 1110
#define IDC_JUMUAH_SALAWAAT 1111
#define IDC_PREDAWN_SALAWAAT 1112
// The Misc. check boxes carry the numbers of the menu commands they stand for.
#define IDC_SHOW_ALL_REMAINING 1049
#define IDC_CLOCK_CORRECTION 1050
#define IDC_USE_ASR2 1052
#define IDC_RUN_AT_STARTUP 1059

// --- "AboutDlg" ---
#define IDC_HOME_PAGE 1103
#define IDC_EMAIL 1104

// --- "RemindDlg" ---
#define IDC_REMINDER_MESSAGE 1105

// --- "TallyDlg" ---
#define IDC_TALLY_ADD 6
#define IDC_TALLY_NAME 1118
#define IDC_TALLY_VALUE 1119
#define IDC_TALLY_INCREMENT 1120

// --- "VakitDlg": Timing ---
#define IDC_TIMING_FIRST 1121  // FAJR; 1121 + i for TodayTimings[i]
#define IDC_TIMING_LAST 1130
#define IDC_VIEW_TOGGLE 1131
#define IDC_CALENDAR 1132
#define IDC_QIBLA 1133
#define IDC_SUN_AZIMUTH 1134
#define IDC_SUN_ELEVATION 1135
#define IDC_SUN_DISTANCE 1136
#define IDC_ECLIPTIC 1137
#define IDC_SUN_DECLINATION 1138
#define IDC_TIME_EQUATION 1139
#define IDC_MOON_DISTANCE 1140
#define IDC_MOON_PHASE 1141
#define IDC_MOON_DECLINATION 1142
#define IDC_MOON_AZIMUTH 1143
#define IDC_MOON_ELEVATION 1144
#define IDC_MOON_ILLUMINATION 1145
#define IDC_COMPASS_DRIFT 1146
#define IDC_GEOMAGNETIC_FLUX 1147
#define IDC_MOON_LINE 1148
