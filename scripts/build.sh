#!/usr/bin/env bash
# Configures and builds one configuration: scripts/build.sh <build-dir> [extra cmake options...]
# CORVALE_BUILD_TARGETS (space-separated) builds only those targets. Uses Ninja when it is installed:
# it schedules the hundreds of small test executables better than make; a folder already configured
# keeps the generator it was made with.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
generator=()
if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja > /dev/null; then
  generator=(-G Ninja)
fi
targets=()
if [ -n "${CORVALE_BUILD_TARGETS:-}" ]; then
  read -r -a names <<< "$CORVALE_BUILD_TARGETS"
  targets=(--target "${names[@]}")
fi
cmake -S "$root" -B "$dir" "${generator[@]}" "$@" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
