#!/usr/bin/env bash
# Installs what is missing (Debian 12, apt), then configures and builds.
#   scripts/setup.sh [build-dir] [extra cmake options...]
# Quick when everything is already there: apt is only called for missing packages and the
# build is incremental. ZV_JOBS sets the build's parallelism (default: every core).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-"$root/build"}
shift || true

missing=()
while read -r pkg; do
  [[ -z "$pkg" || "$pkg" == \#* ]] && continue
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done < "$root/scripts/packages.txt"

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$build" --parallel "${ZV_JOBS:-$(nproc)}"
