#!/usr/bin/env bash
# Builds the players' release zip (cmake --workflow --preset release) and
# checks it as a player meets it: the zip holds exactly the executable, the
# guide, the settings template and the empty folders; OLVASSEL.txt is the
# repository's guide in code page 1250 with CR LF line ends; and, unpacked
# into a fresh folder with the example reports and catalogues added, the
# unpacked morvinta.exe run under Wine as a double click runs it (no
# arguments, standard input not a terminal) prints the same console output,
# ends with the same status and leaves the same files as the Linux build run
# on an equal folder. That run is made twice: with the zip's own settings
# template, and with the example character's settings (challenge tower on).
#
#   scripts/check-release.sh [linux-morvinta]
#
# Without an argument the Linux build is made in build/release. Exits 77 when
# the cross compiler or Wine is missing (Debian: apt-get install
# g++-mingw-w64-x86-64 wine64 wine).
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=compare-runs.sh
source scripts/compare-runs.sh
root=$PWD
started=$SECONDS

skip() {
  echo "check-release: skipped: $1" >&2
  exit 77
}
fail() {
  echo "check-release: $1" >&2
  exit 1
}

command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
  skip "x86_64-w64-mingw32-g++-posix not found (package g++-mingw-w64-x86-64)"
wine=""
for candidate in wine64 wine /usr/lib/wine/wine64; do
  if command -v "$candidate" >/dev/null; then
    wine=$(command -v "$candidate")
    break
  fi
done
[[ -n $wine ]] || skip "Wine not found (packages wine64 and wine)"

# The Windows build and the Wine prefix are shared with check-windows.sh.
mkdir -p build
exec 9>build/check-windows.lock
flock 9

cmake --workflow --preset release
version=$(sed -n 's/^project(morvinta VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip=$root/build/release/morvinta-$version-windows-x64.zip
[[ -f $zip ]] || fail "no $zip"

if (($# > 0)); then
  linux=$(realpath "$1")
else
  cmake --build --preset default --target morvinta
  linux=$root/build/release/morvinta
fi
[[ -x $linux ]] || fail "no executable $linux"

export WINEPREFIX=$root/build/windows/wine-prefix WINEDEBUG=-all
# The challenge tower's simulation draws from the clock-seeded generator.
export MORVINTA_SEED=20261206
work=$(mktemp -d "$root/build/check-release.XXXXXX")
trap 'rm -rf "$work"' EXIT

# What the zip holds, and nothing else.
listing=$(cmake -E tar tf "$zip" | LC_ALL=C sort)
expected=$(printf '%s\n' OLVASSEL.txt cfg/ cfg/cfg_xxxx.txt fordulok/ info/ \
  morvinta.exe txt/ ulek/ | LC_ALL=C sort)
if [[ $listing != "$expected" ]]; then
  fail "the zip holds"$'\n'"$listing"$'\n'"instead of"$'\n'"$expected"
fi
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
unpacked=$work/unpacked

# The guide as Notepad needs it, and the template as the repository has it.
guide=$unpacked/OLVASSEL.txt
if LC_ALL=C grep -q -v $'\r$' "$guide"; then
  fail "OLVASSEL.txt has lines without CR LF"
fi
iconv -f CP1250 -t UTF-8 "$guide" | tr -d '\r' | cmp -s - packaging/OLVASSEL.txt ||
  fail "OLVASSEL.txt is not packaging/OLVASSEL.txt in code page 1250"
cmp -s "$unpacked/cfg/cfg_xxxx.txt" examples/cfg/cfg_xxxx.txt ||
  fail "cfg/cfg_xxxx.txt is not examples/cfg/cfg_xxxx.txt"

# Wine's first start in a new prefix takes a few seconds and talks; then the
# unpacked executable names the zip's version.
(cd "$unpacked" && "$wine" ./morvinta.exe --version </dev/null >/dev/null 2>&1 9>&-) ||
  true
shown=$(cd "$unpacked" && "$wine" ./morvinta.exe --version </dev/null 2>/dev/null 9>&-) ||
  true
[[ ${shown%$'\r'} == "morvinta $version" ]] ||
  fail "the unpacked morvinta.exe says \"$shown\", not \"morvinta $version\""

# A player's folder: the unpacked zip, the example reports and catalogues,
# and for the case "example" the example character's settings.
#   prepare FOLDER CASE
prepare() {
  mkdir "$1"
  cp -a "$unpacked/." "$1/"
  find examples -maxdepth 1 -type f -iname '*_*.htm' -exec cp {} "$1/" \;
  cp examples/txt/* "$1/txt/"
  [[ $2 == example ]] && cp examples/cfg/cfg_1234.txt "$1/cfg/"
  return 0
}

# Runs a tool without arguments in a folder, as a double click does:
#   run NAME TOOL...
# leaving the console output in $work/NAME.out, Wine's messages in
# $work/NAME.err and the exit status in $work/NAME.status.
run() {
  local name=$1
  shift
  local status=0
  (cd "$work/$name" && "$@" </dev/null >"$work/$name.out" 2>"$work/$name.err" 9>&-) ||
    status=$?
  echo "$status" >"$work/$name.status"
}

failed=0
for case in template example; do
  prepare "$work/linux-$case" "$case"
  prepare "$work/windows-$case" "$case"
  run "linux-$case" "$linux"
  run "windows-$case" "$wine" "$work/windows-$case/morvinta.exe"

  l=$work/linux-$case w=$work/windows-$case
  compare_runs check-release "$case" "$l" "$w" "$work/$case.diff" || failed=1
  written=$(cd "$l" && find fordulok ulek info -type f | LC_ALL=C sort | tr '\n' ' ')
  echo "check-release: $case: wrote $written- $(wc -c <"$l.out") bytes" \
    "of console output, exit status $(<"$l.status")"
  if [[ -z $written ]]; then
    echo "check-release: $case: nothing written into fordulok/, ulek/, info/" >&2
    failed=1
  fi
done

if ((failed)); then
  echo "check-release: FAILED ($((SECONDS - started))s)" >&2
  exit 1
fi
echo "check-release: $(basename "$zip") unpacked runs under Wine as the" \
  "Linux build does ($((SECONDS - started))s)"
