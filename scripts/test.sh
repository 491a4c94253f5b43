#!/usr/bin/env bash
# Sets up, builds and runs every test: first the normal build, then the same suites built
# with AddressSanitizer and UndefinedBehaviorSanitizer (any report fails the run), then the
# fuzz targets for a fixed number of inputs each (scripts/fuzz.sh).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${ZV_JOBS:-$(nproc)}

"$root/scripts/setup.sh" "$root/build" -DZV_WERROR=ON
(cd "$root/build" && ctest --no-tests=error --output-on-failure --parallel "$jobs")

"$root/scripts/setup.sh" "$root/build-sanitize" -DZV_WERROR=ON -DZV_SANITIZE=ON -DZV_BUILD_BENCH=OFF
(cd "$root/build-sanitize" && ctest --no-tests=error --output-on-failure --parallel "$jobs")

"$root/scripts/fuzz.sh"
