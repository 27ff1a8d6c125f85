# Sourced by check-windows.sh and check-release.sh: the comparison of a run of
# the Linux build with a run of the Windows build under Wine.

# compare_runs <script> <what> <Linux run> <Windows run> <diff file>
# Each run is a folder beside its .status, .out and .err files. Says on
# standard error what differs (exit status, console output, any file of the
# folders) and shows Wine's messages; returns 1 when anything differs.
compare_runs() {
  local script=$1 what=$2 l=$3 w=$4 diff_file=$5 differs=0
  if ! cmp -s "$l.status" "$w.status"; then
    echo "$script: $what: exit status $(<"$l.status") on Linux," \
      "$(<"$w.status") on Windows" >&2
    differs=1
  fi
  if ! cmp -s "$l.out" "$w.out"; then
    echo "$script: $what: the console output differs:" >&2
    { diff -u --text --label Linux --label Windows "$l.out" "$w.out" || true; } |
      cat -v | head -40 >&2
    differs=1
  fi
  if ! diff -r -u "$l" "$w" >"$diff_file" 2>&1; then
    echo "$script: $what: the folders differ (Linux -, Windows +):" >&2
    cat -v "$diff_file" | head -40 >&2
    differs=1
  fi
  if [[ -s $w.err ]]; then
    echo "$script: $what: Wine's messages:" >&2
    head -20 "$w.err" >&2
  fi
  return "$differs"
}
