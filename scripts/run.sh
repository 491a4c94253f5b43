#!/usr/bin/env bash
# Sets up, builds and runs one program from its folder under build/dist/:
#   scripts/run.sh [zevodadu|kolvan32|gridlet]   (default: zevodadu)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh" "$root/build"
case "${1:-zevodadu}" in
  zevodadu|Zevodadu) folder=Zevodadu; program=Zevodadu ;;
  kolvan32)          folder=kolvan32; program=kolvan32 ;;
  gridlet)           folder=gridlet;  program=gridlet ;;
  *) echo "usage: $0 [zevodadu|kolvan32|gridlet]" >&2; exit 2 ;;
esac
# kolvan32 keeps its record and gridlet finds its sounds in the current folder.
cd "$root/build/dist/$folder"
exec "./$program"
