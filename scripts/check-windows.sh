#!/usr/bin/env bash
# Builds the Windows executable (build/windows) and checks under Wine that it
# behaves as the Linux build does: both run on fresh copies of examples/, once
# in directory mode and once on a single report, and every file of the
# resulting folders, the console output and the exit status must be the same
# bytes. Both runs are made again in a working folder whose path holds "ő",
# "ű" and a letter outside code page 1250, with the turns, order-sheet and
# image folders named with accents in the settings, the old report's deletion
# on and a report whose name has an accent; there the outputs must land in
# the accented folders and that report must be gone, and without the turns
# folder the enhanced report must stay in the input's place.
#
#   scripts/check-windows.sh [linux-morvinta]
#
# Without an argument the Linux build is made in build/release. Exits 77 when
# the cross compiler or Wine is missing (Debian: apt-get install
# g++-mingw-w64-x86-64 wine64 wine). MORVINTA_CHECK_EXAMPLES names another
# example folder to run on.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=compare-runs.sh
source scripts/compare-runs.sh
root=$PWD
started=$SECONDS

skip() {
  echo "check-windows: skipped: $1" >&2
  exit 77
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

examples=${MORVINTA_CHECK_EXAMPLES:-examples}
examples=$(cd "$examples" && pwd)
reports=()
while IFS= read -r name; do reports+=("$name"); done < <(
  cd "$examples" && find . -maxdepth 1 -type f -iname '*_*.htm' -printf '%f\n' |
    LC_ALL=C sort)
if ((${#reports[@]} == 0)); then
  echo "check-windows: no *_*.htm report in $examples" >&2
  exit 1
fi
single=${reports[-1]}

# One check at a time: the Windows build and the Wine prefix are shared. (Wine's
# server, which outlives the runs a little, must not hold the lock.)
mkdir -p build
exec 9>build/check-windows.lock
flock 9

cmake --preset windows >/dev/null
cmake --build --preset windows
exe=$root/build/windows/morvinta.exe

if (($# > 0)); then
  linux=$(realpath "$1")
else
  cmake --preset default >/dev/null
  cmake --build --preset default --target morvinta
  linux=$root/build/release/morvinta
fi
[[ -x $linux ]] || { echo "check-windows: no executable $linux" >&2; exit 1; }

export WINEPREFIX=$root/build/windows/wine-prefix WINEDEBUG=-all
# Wine reads the names of the Linux file system in the locale's encoding.
export LC_ALL=C.UTF-8
# The challenge tower's simulation draws from the clock-seeded generator.
export MORVINTA_SEED=20261206
work=$(mktemp -d "$root/build/check-windows.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The accented working folder, its folders and the report with an accent.
accented='Kalandozó őű Ж'
accented_report="Vendelő_$single"
turns_folder='fordulók' sheets_folder='ülések ŐŰ'

# Lays out a fresh copy of the example folder in FOLDER; for the accented
# modes the settings name the accented folders first (the first entry of a key
# counts; "képek" before "képek könyvtára", whose key holds it), in 1250.
lay_out() {
  local folder=$1 mode=$2
  mkdir -p "$folder"
  cp -a "$examples/." "$folder/"
  [[ $mode == accented-* ]] || return 0
  local entries=$'k\xe9pek: 1; k\xe9pek k\xf6nyvt\xe1ra: "k\xe9pek"; fordul\xf3k k\xf6nyvt\xe1ra: "fordul\xf3k"; ulek k\xf6nyvt\xe1ra: "\xfcl\xe9sek \xd5\xdb"; fordul\xf3 t\xf6rl\xe9se: 1;\n'
  local cfg
  for cfg in "$folder"/cfg/cfg_*.txt; do
    { printf '%s' "$entries"; cat "$cfg"; } >"$cfg.new" && mv "$cfg.new" "$cfg"
  done
  mkdir -p "$folder/$sheets_folder"
  # Without its turns folder the report is written over the input, which
  # must then stay.
  [[ $mode == accented-in-place ]] || mkdir -p "$folder/$turns_folder"
  cp "$folder/$single" "$folder/$accented_report"
}

# Runs a tool in a laid-out folder:
#   run NAME FOLDER TOOL... ARGUMENTS...
# leaving the console output in $work/NAME.out and the exit status in
# $work/NAME.status.
run() {
  local name=$1 folder=$2
  shift 2
  local status=0
  (cd "$folder" && "$@" </dev/null >"$work/$name.out" 2>"$work/$name.err" 9>&-) ||
    status=$?
  echo "$status" >"$work/$name.status"
}

# Wine's first start in a new prefix takes a few seconds and talks.
mkdir -p "$work/warm-up"
(cd "$work/warm-up" && "$wine" "$exe" --version </dev/null >/dev/null 2>&1 9>&-) ||
  true
rm -rf "$work/warm-up"

modes=(directory single accented-directory accented-single accented-in-place)
# The working folder of a run.
folder_of() {
  if [[ $2 == accented-* ]]; then
    echo "$work/$1-$2/$accented"
  else
    echo "$work/$1-$2"
  fi
}
for mode in "${modes[@]}"; do
  arguments=()
  [[ $mode == single ]] && arguments=("$single")
  [[ $mode == accented-single ]] && arguments=("$accented_report")
  [[ $mode == accented-in-place ]] && arguments=("$single")
  for system in linux windows; do
    lay_out "$(folder_of "$system" "$mode")" "$mode"
  done
  run "linux-$mode" "$(folder_of linux "$mode")" "$linux" "${arguments[@]}"
  run "windows-$mode" "$(folder_of windows "$mode")" "$wine" "$exe" \
    "${arguments[@]}"
done

failed=0
for mode in "${modes[@]}"; do
  l=$work/linux-$mode w=$work/windows-$mode
  case $mode in
  directory) what="directory mode" ;;
  single) what="single mode ($single)" ;;
  accented-directory) what="directory mode in \"$accented\"" ;;
  accented-single) what="single mode ($accented_report) in \"$accented\"" ;;
  accented-in-place)
    what="single mode ($single) in \"$accented\" without its turns folder"
    ;;
  esac
  if [[ $mode == accented-in-place ]]; then
    f=$(folder_of linux "$mode")
    if ! head -c 17 "$f/$single" | grep -q '<!-- morvinta -->'; then
      echo "check-windows: $what: $single is not the enhanced report" >&2
      failed=1
    fi
  elif [[ $mode == accented-* ]]; then
    f=$(folder_of linux "$mode")
    if [[ -z $(ls -A "$f/$turns_folder") || -z $(ls -A "$f/$sheets_folder") ]]; then
      echo "check-windows: $what: no output in \"$turns_folder\" or" \
        "\"$sheets_folder\"" >&2
      failed=1
    fi
    if [[ -e $f/$accented_report ]]; then
      echo "check-windows: $what: $accented_report was not deleted" >&2
      failed=1
    fi
  fi
  compare_runs check-windows "$what" "$l" "$w" "$work/$mode.diff" || failed=1
  changed=$({ diff -rq "$examples" "$(folder_of linux "$mode")" || true; } |
    wc -l)
  echo "check-windows: $what: $changed files written, changed or removed," \
    "$(wc -c <"$l.out") bytes of console output, exit status $(<"$l.status")"
done

if ((failed)); then
  echo "check-windows: FAILED ($((SECONDS - started))s)" >&2
  exit 1
fi
echo "check-windows: the Windows build matches the Linux build" \
  "($((SECONDS - started))s)"
