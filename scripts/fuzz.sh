#!/usr/bin/env bash
# Runs every libFuzzer target of build-asan (made by scripts/sanitize.sh) for
# a bounded time each: scripts/fuzz.sh [seconds per target, default 60].
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
status=0
for target in build-asan/fuzz/fuzz_*; do
  [[ -x "$target" ]] || continue
  name=$(basename "$target")
  corpus="build-asan/fuzz-corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [[ -d "fuzz/seeds/$name" ]] && seeds=("fuzz/seeds/$name")
  # Drawing starts from the documents the reader starts from too.
  [[ "$name" == fuzz_drawing ]] && seeds+=("fuzz/seeds/fuzz_reader")
  echo "== $name for ${seconds}s"
  # Drawing loads fontconfig and Mesa, which keep caches the leak checker
  # cannot see pointers to (as in the drawing tests).
  # Dynamic TLS is not tracked, as in scripts/sanitize.sh.
  if ! ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}intercept_tls_get_addr=0" \
      LSAN_OPTIONS="suppressions=$PWD/tests/scene/lsan.supp" "$target" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      "$corpus" "${seeds[@]}"; then
    status=1
  fi
done
exit $status
