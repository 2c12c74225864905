#!/usr/bin/env bash
# Builds the Windows program and starts Korvana under Wine. With no display,
# it starts a virtual one and prints the main window's title, so one sees it
# run; press Ctrl-C to stop.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
bash scripts/build.sh win64
. tests/win/wine_env.sh
headless=0
if [ -z "${DISPLAY:-}" ]; then headless=1; fi
wine_env_start
trap 'wine_env_stop' EXIT
app="$KORVANA_WINE_TMP/app"
mkdir -p "$app"
cp build/win64/src/korvana.exe build/win64/src/korvana-cli.exe "$app/"
# The files that ship beside the program: city list, manual, alert sounds.
cp data/korvana.csv data/korvana.rtf data/sounds/*.wav "$app/"
cd "$app"
wine korvana.exe &
program=$!
title=$(wine "$root/build/win64/tests/korvana-probe.exe" wait-window Korvana 30000 2>/dev/null | tr -d '\r')
echo "Korvana is running (window title: \"$title\")."
if [ "$headless" -eq 1 ]; then
  echo "No display was set: it runs on the virtual display $DISPLAY. Ctrl-C stops it."
fi
wait "$program"
