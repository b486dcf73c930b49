#!/usr/bin/env bash
# Configures and builds one configuration: scripts/build.sh <build-dir> [extra cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
cmake -S "$root" -B "$dir" "$@" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
cmake --build "$dir" --parallel "$(nproc)"
