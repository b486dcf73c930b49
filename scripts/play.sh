#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVALE_TESTS=OFF
# The program reads its resource tree from its working folder: data/ and the generated art,
# fonts and sounds, gathered by the build in build/data.
if [ -x "$root/build/app/corvale-cards" ]; then
  cd "$root/build/data"
  exec "$root/build/app/corvale-cards" "$@"
fi
echo "play: the game executable is not built yet"
