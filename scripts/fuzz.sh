#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for a fixed number of inputs from
# its seeds and kept fault inputs, several targets at once. A crash, leak, timeout (a hang is
# a fault), memory blow-up or sanitizer report fails the run; the input that caused it is
# left under build-fuzz/fuzzing/<target>/faults/. Prints each target's figures.
#   scripts/fuzz.sh [target...]        (default: every target)
# ZV_JOBS: targets run at once (default: every core); ZV_FUZZ_SEED: libFuzzer's random seed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-fuzz"
jobs=${ZV_JOBS:-$(nproc)}
seed=${ZV_FUZZ_SEED:-1}

CC=clang CXX=clang++ "$root/scripts/setup.sh" "$build" -DZV_FUZZ=ON

# target, inputs to run, longest input in bytes
targets=(
  "games_dat          3000  20000"
  "catalogue_source  20000   4096"
  "ini_file           5000   2048"
  "preferences        2000   2048"
  "statistics_file    5000   2048"
  "kolvan_record      5000    512"
  "kolvan_network     1000   2048"
  "socket_lines       4000   1024"
  "wav_file          15000   2048"
  "background_picture 2000   4096"
)
if (($#)); then
  chosen=()
  for entry in "${targets[@]}"; do
    for name in "$@"; do [[ ${entry%% *} == "$name" ]] && chosen+=("$entry"); done
  done
  targets=("${chosen[@]}")
fi

fuzz_one() {
  local name=$1 runs=$2 max_len=$3
  local work="$build/fuzzing/$name"
  rm -rf "$work" && mkdir -p "$work/corpus" "$work/faults"
  local inputs=("$work/corpus" "$root/tests/fuzz/corpus/$name")
  [[ -d "$root/tests/fuzz/regression/$name" ]] && inputs+=("$root/tests/fuzz/regression/$name")
  local start=$SECONDS status=0
  ASAN_OPTIONS=detect_stack_use_after_return=1:abort_on_error=0 \
  LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$root/tests/sanitizers/ubsan.supp" \
  QT_QPA_PLATFORM=offscreen \
    "$build/tests/fuzz/fuzz_$name" -runs="$runs" -max_len="$max_len" -timeout=10 \
      -rss_limit_mb=2048 -seed="$seed" -print_final_stats=1 -artifact_prefix="$work/faults/" \
      "${inputs[@]}" > "$work/log" 2>&1 || status=$?
  local executed corpus
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
  corpus=$(grep -o 'corp: [0-9]*/[0-9]*[a-zA-Z]*' "$work/log" | tail -1 | cut -d' ' -f2)
  local verdict=ok
  ((status == 0)) || verdict="FAILED (exit $status, log $work/log)"
  printf '%-19s %7s inputs run, corpus %-12s %4ss  %s\n' \
    "$name" "${executed:-?}" "${corpus:-?}" "$((SECONDS - start))" "$verdict"
  ((status == 0)) || { tail -40 "$work/log" | sed "s/^/  $name: /"; return 1; }
}

echo "fuzz: ${#targets[@]} targets, $jobs at a time, seed $seed"
start=$SECONDS
failed=0
running=0
for entry in "${targets[@]}"; do
  # shellcheck disable=SC2086
  fuzz_one $entry &
  if ((++running >= jobs)); then
    wait -n || failed=1
    ((running--))
  fi
done
while ((running > 0)); do
  wait -n || failed=1
  ((running--))
done
echo "fuzz: done in $((SECONDS - start))s"
exit "$failed"
