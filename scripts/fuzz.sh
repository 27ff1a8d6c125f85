#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz", clang), makes their seed
# corpora from examples/ and the hostile inputs, and runs each target for the
# given number of seconds (default 3600). Then every huge hostile report goes
# once through the whole run, each within a generous time bound: a run that
# grew quadratically with the report's size would overrun it.
#
#   scripts/fuzz.sh [seconds per target] [bound per huge report, seconds]
#
# The corpora grow in build/fuzz/corpus/<target>; crashes, hangs and
# out-of-memory inputs are kept in build/fuzz/findings/<target>.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-3600}
bound=${2:-300}
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
  if ! "$build/fuzz/morvinta_fuzz_$target" "$corpus" "$seeds/$target" \
      -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" \
      2>"$build/fuzz-$target.log"; then
    tail -40 "$build/fuzz-$target.log"
    status=1
  fi
  grep -E "stat::(number_of_executed_units|average_exec_per_sec)|Done [0-9]+ runs" \
    "$build/fuzz-$target.log" || true
done

echo "== huge reports, each within $bound s"
if ! "$build/fuzz/morvinta_fuzz_run" -timeout="$bound" -rss_limit_mb=8192 \
    "$seeds"/run-big/* 2>"$build/fuzz-huge.log"; then
  tail -40 "$build/fuzz-huge.log"
  status=1
fi
grep -E "Executed .* in [0-9]+ ms" "$build/fuzz-huge.log" || true
exit $status
