#!/usr/bin/env bash
# Makes the golden outputs of the end-to-end test anew: runs the given
# morvinta (default build/test/morvinta) on a copy of examples/ with a fixed
# seed and keeps its console output and every file it wrote. Review the diff
# (git diff tests/data/golden) before committing it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tool="$(realpath "${1:-$root/build/test/morvinta}")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/examples/." "$work/"
(cd "$work" && MORVINTA_SEED=1 "$tool" </dev/null >"$root/tests/data/golden/console.txt" 2>&1) || true
rm -rf "$root/tests/data/golden/files"
mkdir -p "$root/tests/data/golden/files"
(cd "$work" && find . -type f -print0 | while IFS= read -r -d '' file; do
  if ! cmp -s "$file" "$root/examples/$file"; then
    mkdir -p "$root/tests/data/golden/files/$(dirname "$file")"
    cp "$file" "$root/tests/data/golden/files/$file"
  fi
done)
echo "golden outputs written to tests/data/golden"
