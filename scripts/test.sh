#!/usr/bin/env bash
# Sets up, builds and runs every test: first the normal build, then the same suites built
# with AddressSanitizer and UndefinedBehaviorSanitizer (any report fails the run), then the
# fuzz targets for a fixed number of inputs each (scripts/fuzz.sh). After each suite the
# catalogue check's table (one row per game) is printed, also when tests failed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${ZV_JOBS:-$(nproc)}

# ctest in the build folder, then the rows the catalogue check left there.
run_tests() {
  local build=$1 status=0
  rm -rf "$build/catalogue-check"
  (cd "$build" && ctest --no-tests=error --output-on-failure --parallel "$jobs") || status=$?
  echo
  echo "Catalogue check ($(basename "$build")):"
  printf '%3s  %-28s%-8s%-9s%-16s%-14s%-14s%s\n' id name dealt fits "random play" \
    "redraw equal" "undo equal" won/tried
  if compgen -G "$build/catalogue-check/*.row" >/dev/null; then
    cat "$build"/catalogue-check/*.row | sort -n
  fi
  return "$status"
}

"$root/scripts/setup.sh" "$root/build" -DZV_WERROR=ON
run_tests "$root/build"

"$root/scripts/setup.sh" "$root/build-sanitize" -DZV_WERROR=ON -DZV_SANITIZE=ON -DZV_BUILD_BENCH=OFF
run_tests "$root/build-sanitize"

"$root/scripts/fuzz.sh"
