#!/usr/bin/env bash
# Builds Korvana's release packages into out/:
#   out/korvana-VERSION-portable.zip  korvana.exe, korvana-cli.exe, the city
#                                     list, the manual, the three default
#                                     sounds and README.txt, in a folder
#                                     korvana-VERSION/
#   out/korvana-VERSION-setup.exe     the per-user Windows installer (NSIS)
#
#   release.sh [--allow-missing-data]
#
# The Windows program is built first with scripts/build.sh win64; with
# KORVANA_WIN_BUILD=DIR an already configured Windows build directory is used
# instead (only korvana and korvana-cli are built there).
# Every shipped file is required. --allow-missing-data is for development
# only: it lets the packages be built without the city list and the sounds
# that are not there yet, and says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

allow_missing=0
for arg in "$@"; do
  case "$arg" in
    --allow-missing-data) allow_missing=1 ;;
    -h|--help) sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "release.sh: unknown option '$arg'" >&2; exit 2 ;;
  esac
done

fail() { echo "release.sh: $*" >&2; exit 1; }

version=$(sed -n 's/^project(korvana VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no version found in CMakeLists.txt"
command -v makensis >/dev/null || fail "makensis is missing (apt-get install nsis)"
command -v zip >/dev/null || fail "zip is missing (apt-get install zip)"

# The manual must say what its source says.
python3 tools/make_manual.py --check || fail "data/korvana.rtf is stale"

# The data that ships beside the program: name in data/, name in the package.
data_files=(
  "korvana.rtf:korvana.rtf"
  "korvana.csv:korvana.csv"
  "sounds/ezan.wav:ezan.wav"
  "sounds/sala.wav:sala.wav"
  "sounds/ezandua.wav:ezandua.wav"
)
missing=()
for entry in "${data_files[@]}"; do
  [ -f "data/${entry%%:*}" ] || missing+=("data/${entry%%:*}")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$allow_missing" -eq 0 ]; then
    fail "missing shipped file(s): ${missing[*]} (--allow-missing-data builds without them, for development only)"
  fi
  echo "release.sh: NOTE: building WITHOUT ${missing[*]} (--allow-missing-data); these packages are not for release" >&2
fi

if [ -n "${KORVANA_WIN_BUILD:-}" ]; then
  build=$(cd "$KORVANA_WIN_BUILD" && pwd)
  cmake --build "$build" -j "$(nproc)" --target korvana korvana-cli
else
  bash scripts/build.sh win64
  build="$root/build/win64"
fi
for exe in korvana.exe korvana-cli.exe; do
  [ -f "$build/src/$exe" ] || fail "$build/src/$exe was not built"
done

name="korvana-$version"
out="$root/out"
stage="$out/$name"
mkdir -p "$out"
rm -rf "$stage"
rm -f "$out"/korvana-*-portable.zip "$out"/korvana-*-setup.exe
mkdir "$stage"

for exe in korvana.exe korvana-cli.exe; do
  x86_64-w64-mingw32-strip -o "$stage/$exe" "$build/src/$exe"
done
for entry in "${data_files[@]}"; do
  if [ -f "data/${entry%%:*}" ]; then cp "data/${entry%%:*}" "$stage/${entry##*:}"; fi
done
# Windows' own editors expect CR LF line ends.
sed -e "s/@VERSION@/$version/" -e 's/\r$//' -e 's/$/\r/' installer/README.txt > "$stage/README.txt"

# The zip: fixed file times and order, so the same sources give the same zip.
stamp=$(git log -1 --format=%cd --date=format:%Y%m%d%H%M.%S 2>/dev/null || date +%Y%m%d%H%M.%S)
find "$stage" -exec touch -h -t "$stamp" {} +
(cd "$out" && find "$name" -print | LC_ALL=C sort | zip -q -X -D "$name-portable.zip" -@)

nsis_defines=(-DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$out/$name-setup.exe"
              -DICON="$root/src/resources/korvana.ico")
if [ ${#missing[@]} -gt 0 ]; then nsis_defines+=(-DALLOW_MISSING_DATA); fi
makensis -V2 -NOCD "${nsis_defines[@]}" installer/korvana.nsi

echo "release.sh: built"
echo "  $out/$name-portable.zip"
echo "  $out/$name-setup.exe"
