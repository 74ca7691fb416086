#!/usr/bin/env bash
# Replays each fuzz target's corpus, then fuzzes it for a bounded time.
# usage: scripts/fuzz.sh BUILD_DIR SECONDS_PER_TARGET
# All targets together fuzz for at most LUMORA_FUZZ_TOTAL_SECONDS: each gets SECONDS_PER_TARGET
# or its equal share of that total, whichever is less. The default of 110 keeps the whole run,
# corpus replays included, within about two minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=$2
total=${LUMORA_FUZZ_TOTAL_SECONDS:-110}
targets=0
for target in "$build"/bin/fuzz_*; do
  [ -x "$target" ] && targets=$((targets + 1))
done
if [ "$targets" -gt 0 ]; then
  share=$((total / targets))
  [ "$share" -ge 1 ] || share=1
  [ "$seconds" -le "$share" ] || seconds=$share
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in "$build"/bin/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=fuzz/corpus/${name#fuzz_}
  mkdir -p "$work/$name"
  args=(-timeout=5 -rss_limit_mb=2048)
  [ -f "fuzz/$name.options" ] && read -r -a extra < "fuzz/$name.options" && args+=("${extra[@]}")
  echo "== $name: replaying $corpus"
  if [ -d "$corpus" ]; then
    "$target" "${args[@]}" -runs=0 "$corpus" > "$work/$name.replay.log" 2>&1 \
      || { cat "$work/$name.replay.log"; status=1; continue; }
  fi
  echo "== $name: fuzzing for ${seconds}s"
  dirs=("$work/$name")
  [ -d "$corpus" ] && dirs+=("$corpus")
  if ! "$target" "${args[@]}" -max_total_time="$seconds" -artifact_prefix="$work/$name-" \
      "${dirs[@]}" > "$work/$name.log" 2>&1; then
    tail -n 40 "$work/$name.log"
    mkdir -p fuzz/crashes && cp "$work/$name"-* fuzz/crashes/ 2>/dev/null || true
    echo "$name found a failure (copied to fuzz/crashes/)"
    status=1
  else
    grep -E "^Done [0-9]+ runs" "$work/$name.log" | tail -n 1 || true
  fi
done
exit $status
