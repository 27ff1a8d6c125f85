#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz", clang), makes their seed
# corpora from examples/ and the hostile inputs, and runs each target for the
# given number of seconds (default 3600). Then every huge hostile report goes
# once through the whole run under the sanitizers, and once through the
# whole run of the release build (preset "default") in a
# copy of examples/, each held to a bound: at most 1 s of processor time
# (user and system) per started 2 MiB of report, and at most 150 MB of peak
# memory. A run that grew faster than the report would overrun it.
# Processor time rather than the clock, so that other work on a shared
# machine does not fail the check.
#
#   scripts/fuzz.sh [seconds per target] [seconds per 2 MB] [peak MB]
#
# The corpora grow in build/fuzz/corpus/<target>; crashes, hangs and
# out-of-memory inputs are kept in build/fuzz/findings/<target>.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-3600}
per_2mb=${2:-1}
peak_mb=${3:-150}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# Absolute: the targets work in a folder of their own.
build=$(pwd)/build/fuzz
seeds=$build/seeds
rm -rf "$seeds"
"$build/fuzz/morvinta_fuzz_corpus" examples "$seeds" --big

status=0
for target in text_scan run readers; do
  corpus=$build/corpus/$target
  findings=$build/findings/$target
  mkdir -p "$corpus" "$findings"
  echo "== $target: $seconds s"
  # The report's anchors as whole words for the mutations of a report.
  dictionary=()
  if [[ $target == run ]]; then dictionary=(-dict="$seeds/run.dict"); fi
  if ! "$build/fuzz/morvinta_fuzz_$target" "$corpus" "$seeds/$target" \
      -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 \
      "${dictionary[@]}" \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" \
      2>"$build/fuzz-$target.log"; then
    tail -40 "$build/fuzz-$target.log"
    status=1
  fi
  grep -E "stat::(number_of_executed_units|average_exec_per_sec)|Done [0-9]+ runs" \
    "$build/fuzz-$target.log" || true
done

# The same reports under the sanitizers, for what they find: a generous
# timeout, as the instrumented build is many times slower.
echo "== huge reports under the sanitizers"
if ! "$build/fuzz/morvinta_fuzz_run" -timeout=300 -rss_limit_mb=8192 \
    "$seeds"/run-big/* 2>"$build/fuzz-huge.log"; then
  tail -40 "$build/fuzz-huge.log"
  status=1
fi
grep -E "Executed .* in [0-9]+ ms" "$build/fuzz-huge.log" || true

echo "== huge reports: $per_2mb s per 2 MiB, $peak_mb MB (release build)"
cmake --preset default >/dev/null
cmake --build --preset default --target morvinta
tool=$(pwd)/build/release/morvinta
work=$build/huge-run
for report in "$seeds"/run-big/*.htm; do
  rm -rf "$work"
  cp -r examples "$work"
  rm -f "$work"/*.htm
  cp "$report" "$work/1234_56.htm"
  size=$(stat -c %s "$report")
  bound=$(awk -v s="$size" -v b="$per_2mb" \
    'BEGIN { n = int((s + 2097151) / 2097152); print (n < 1 ? 1 : n) * b }')
  # The tool ends with status 1 after processing a report.
  run_status=0
  (cd "$work" && /usr/bin/time -q -f "%U %S %M" -o "$work/.time" \
    "$tool" 1234_56.htm </dev/null >/dev/null) || run_status=$?
  if [[ $run_status -ne 1 ]]; then
    echo "$(basename "$report"): the run ended with status $run_status"
    status=1
    continue
  fi
  read -r user system kb < <(tail -1 "$work/.time")
  verdict=$(awk -v u="$user" -v s="$system" -v kb="$kb" -v b="$bound" \
    -v mb="$peak_mb" 'BEGIN { print (u + s <= b && kb <= mb * 1024) ? "ok" : "OVER" }')
  printf '%s: %d bytes, %.2f s (bound %s s), %d MB: %s\n' \
    "$(basename "$report")" "$size" "$(awk -v u="$user" -v s="$system" \
    'BEGIN { print u + s }')" "$bound" $((kb / 1024)) "$verdict"
  [[ $verdict == ok ]] || status=1
done
rm -rf "$work"
exit $status
