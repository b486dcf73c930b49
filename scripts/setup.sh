#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when any is missing.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libepoxy-dev libopenal-dev liblua5.1-0-dev libyajl-dev zlib1g-dev libopus-dev
  libfreetype-dev fonts-dejavu-core libpng-dev python3 pngcheck
  espeak-ng
  ninja-build lld
  xvfb xauth libgl1-mesa-dri
  clang libclang-rt-14-dev
  libxi-dev libxtst-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
