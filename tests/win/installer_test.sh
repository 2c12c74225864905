#!/usr/bin/env bash
# Tests the release packages that scripts/release.sh wrote: the portable zip's
# contents, and the installer under Wine in a fresh prefix - silent install,
# the installed files and Start-menu entry, Korvana running from the
# installed folder, an update over a running copy, and the silent uninstall.
# Usage: installer_test.sh OUT_DIR WINDOWS_BUILD_DIR
#   OUT_DIR            where release.sh put korvana-VERSION-setup.exe, the zip
#                      and the staged folder korvana-VERSION/
#   WINDOWS_BUILD_DIR  the Windows build holding tests/korvana-probe.exe
set -u
out=${1:?usage: installer_test.sh OUT_DIR WINDOWS_BUILD_DIR}
build=${2:?usage: installer_test.sh OUT_DIR WINDOWS_BUILD_DIR}
out=$(cd "$out" && pwd)
build=$(cd "$build" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_env.sh"
. "$here/e2e_cases.sh"

finish() {
  echo "installer: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

# The files every package carries, by their names in the package.
shipped=(korvana.exe korvana-cli.exe korvana.csv korvana.rtf ezan.wav sala.wav ezandua.wav README.txt)
# Seconds the uninstaller may take: it runs a copy of itself from the temp folder.
readonly kUninstallWaitSeconds=60
readonly kWindowWaitMs=20000

shopt -s nullglob
setups=("$out"/korvana-*-setup.exe)
zips=("$out"/korvana-*-portable.zip)
shopt -u nullglob
if [ ${#setups[@]} -ne 1 ] || [ ${#zips[@]} -ne 1 ]; then
  echo "expected one korvana-*-setup.exe and one korvana-*-portable.zip in $out"
  failed=1
  finish
fi
setup=${setups[0]}
zip=${zips[0]}
package=$(basename "$zip" -portable.zip)
stage="$out/$package"

# --- The portable zip: every file in one folder, and nothing else. ---
zip_lists_the_package() {
  local expected actual
  expected=$(printf "$package/%s\n" "${shipped[@]}" | LC_ALL=C sort)
  actual=$(unzip -Z1 "$zip" | grep -v '/$' | LC_ALL=C sort)
  [ "$expected" = "$actual" ] || { diff <(echo "$expected") <(echo "$actual"); return 1; }
}
check "portable zip holds exactly the shipped files" zip_lists_the_package
readme_has_crlf() {
  local text lines crlf
  text=$(unzip -p "$zip" "$package/README.txt" | od -An -c | tr -d ' \n')
  lines=$(unzip -p "$zip" "$package/README.txt" | tr -cd '\n' | wc -c)
  crlf=$(unzip -p "$zip" "$package/README.txt" | grep -c $'\r$')
  [ "$lines" -gt 0 ] && [ "$lines" -eq "$crlf" ] && [[ "$text" != *'\r\r'* ]]
}
check "README.txt ends every line with CR LF" readme_has_crlf
zip_files_match_stage() {
  local f
  for f in "${shipped[@]}"; do
    cmp -s <(unzip -p "$zip" "$package/$f") "$stage/$f" || { echo "  $f differs"; return 1; }
  done
}
check "zip files are the staged files" zip_files_match_stage

# --- The installer in a fresh prefix. ---
wine_env_start
trap wine_env_stop EXIT
win_env() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
local_appdata=$(win_env LOCALAPPDATA)
appdata=$(win_env APPDATA)
install_win="$local_appdata\\Programs\\Korvana"
install_dir=$(winepath -u "$install_win" 2>/dev/null)
start_menu=$(winepath -u "$appdata\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvana'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }

install_silently() { wine "$setup" /S; }
check "silent install ends with code 0" install_silently
installed_files_match() {
  local f
  for f in "${shipped[@]}"; do
    cmp -s "$stage/$f" "$install_dir/$f" || { echo "  $f missing or different in $install_dir"; return 1; }
  done
}
check "every file is in %LOCALAPPDATA%\\Programs\\Korvana" installed_files_match
check "the uninstaller is installed" test -f "$install_dir/uninstall.exe"
shortcut_names_program() {
  [ -f "$start_menu/Korvana.lnk" ] || { echo "  no $start_menu/Korvana.lnk"; return 1; }
  grep -aqiF "$install_win\\korvana.exe" "$start_menu/Korvana.lnk" ||
    { echo "  Korvana.lnk does not name $install_win\\korvana.exe"; return 1; }
}
check "Start-menu entry starts the installed korvana.exe" shortcut_names_program
uninstall_registered() {
  local command
  command=$(reg_value "$uninstall_key" UninstallString)
  [ "$command" = "\"$install_win\\uninstall.exe\"" ] || { echo "  UninstallString: '$command'"; return 1; }
  [ "$(reg_value "$uninstall_key" DisplayName)" = "Korvana" ]
}
check "uninstaller registered for the user" uninstall_registered

# --- Korvana runs from the installed folder, started from elsewhere. ---
cd "$KORVANA_WINE_TMP"
wine "$install_win\\korvana.exe" &
program=$!
started_from_install() {
  [ -n "$(probe wait-window Korvana "$kWindowWaitMs")" ] || return 1
  local path
  path=$(probe process-path Korvana)
  [ "${path,,}" = "${install_win,,}\\korvana.exe" ] || { echo "  runs from '$path'"; return 1; }
}
check "korvana.exe starts from the installed folder" started_from_install
installed_cli_runs() {
  local first
  first=$(cd "$install_dir" && wine korvana-cli.exe times --lat 41.01 --lon 28.97 --tz 3 \
          --date 2014-06-21 --mode 0 2>/dev/null | tr -d '\r' | head -1)
  [ "$first" = "FAJR     03:24" ] || { echo "  first line '$first'"; return 1; }
}
check "installed korvana-cli.exe computes the timings" installed_cli_runs
# Row 1 of the installed list gives the same timings as its place typed in.
reads_installed_city_list() {
  local row zone lat lon from_list typed
  row=$(head -1 "$install_dir/korvana.csv" | tr -d '\r' | tr ',' '.')
  zone=$(cut -d';' -f3 <<<"$row")
  lat=$(cut -d';' -f4 <<<"$row")
  lon=$(cut -d';' -f5 <<<"$row")
  from_list=$(cd "$install_dir" && wine korvana-cli.exe times --city-row 1 --date 2014-06-21 \
              2>/dev/null | tr -d '\r')
  typed=$(cd "$install_dir" && wine korvana-cli.exe times --lat "$lat" --lon "$lon" --tz "$zone" \
          --date 2014-06-21 2>/dev/null | tr -d '\r')
  [ -n "$from_list" ] && [ "$from_list" = "$typed" ] || {
    echo "  row 1 ($row) gave '$from_list', typed '$typed'"
    return 1
  }
}
check "installed korvana-cli.exe reads the installed city list" reads_installed_city_list

# --- An update over the running program closes it and keeps the user's recordings. ---
printf 'my own adhan' > "$install_dir/ezan.wav"
check "update over a running Korvana ends with code 0" install_silently
check "the update closed the running Korvana" probe wait-gone Korvana 15000
exited_cleanly() {
  local code
  wait "$program"
  code=$?
  [ "$code" -eq 0 ] || { echo "  exit code $code"; return 1; }
}
check "Korvana exited with code 0" exited_cleanly
check "the update keeps the user's ezan.wav" grep -qx 'my own adhan' "$install_dir/ezan.wav"
check "the update installs the program again" cmp -s "$stage/korvana.exe" "$install_dir/korvana.exe"

# --- Exit from the menu command, then the silent uninstall. ---
wine "$install_win\\korvana.exe" &
program=$!
exit_command_ends_it() {
  [ -n "$(probe wait-window Korvana "$kWindowWaitMs")" ] || return 1
  probe command Korvana 1069
  probe wait-gone Korvana 15000 && wait "$program"
}
check "Exit ends the installed Korvana" exit_command_ends_it

# What the running program and the user leave in the folder.
printf '[Options]\r\nmessages=2\r\n' > "$install_dir/korvana.ini"
printf 'report\r\n' > "$install_dir/korvana.txt"
printf 'recording' > "$install_dir/my adhan.wav"
wine reg add "$run_key" /v Korvana /t REG_SZ /d "$install_win\\korvana.exe" /f >/dev/null 2>&1
wine reg add "$run_key" /v Other /t REG_SZ /d 'C:\other.exe' /f >/dev/null 2>&1

uninstall_silently() {
  wine "$install_dir/uninstall.exe" /S || return 1
  local i
  for i in $(seq 1 "$kUninstallWaitSeconds"); do
    [ ! -e "$install_dir/uninstall.exe" ] && return 0
    sleep 1
  done
  echo "  uninstall.exe still there after $kUninstallWaitSeconds s"
  return 1
}
check "silent uninstall ends" uninstall_silently
files_removed() {
  local f left=()
  for f in "${shipped[@]}" korvana.ini korvana.txt uninstall.exe; do
    [ -e "$install_dir/$f" ] && left+=("$f")
  done
  [ ${#left[@]} -eq 0 ] || { echo "  left behind: ${left[*]}"; return 1; }
}
check "uninstall removes the program's files" files_removed
check "uninstall keeps the user's own recording" test -f "$install_dir/my adhan.wav"
check "uninstall removes the Start-menu entry" test ! -e "$start_menu/Korvana.lnk"
uninstall_key_gone() { ! wine reg query "$uninstall_key" >/dev/null 2>&1; }
check "uninstall removes its registry key" uninstall_key_gone
run_value_removed() {
  [ -z "$(reg_value "$run_key" Korvana)" ] || { echo "  Run\\Korvana still set"; return 1; }
  [ "$(reg_value "$run_key" Other)" = 'C:\other.exe' ] || { echo "  Run\\Other was touched"; return 1; }
}
check "uninstall removes only Korvana's start-at-log-on entry" run_value_removed

finish
