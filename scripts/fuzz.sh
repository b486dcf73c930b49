#!/usr/bin/env bash
# Builds the libFuzzer programs with clang (build-fuzz: AddressSanitizer, UndefinedBehaviorSanitizer,
# heaps on the C library heap) and runs each for a given time on a private X server.
#   scripts/fuzz.sh [seconds per target, default 60] [target...]   (default: every target)
# New findings land in build-fuzz/fuzz-findings/<target>/; the growing corpus in
# build-fuzz/fuzz-corpus/<target>/ (seeded from tests/fuzz/corpus/<target>/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build=$root/build-fuzz

if ! command -v clang++ > /dev/null; then
  echo "fuzz: clang++ is not installed (scripts/setup.sh installs it)" >&2
  exit 1
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  mkdir -p "$build"
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVALE_FUZZ=ON \
    -DCORVALE_SANITIZE=ON -DCORVALE_MALLOC_HEAPS=ON > "$build.configure.log" 2>&1 ||
    { cat "$build.configure.log"; exit 1; }
fi
# CORVALE_FUZZ_BUILD=0 skips the build, for several runs of this script side by side.
if [ "${CORVALE_FUZZ_BUILD:-1}" != 0 ]; then
  cmake --build "$build" --parallel "${CORVALE_FUZZ_JOBS:-3}" --target corvale_fuzzers
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$build"/tests/fuzz/fuzz_*; do
    targets+=("${program##*/fuzz_}")
  done
fi

export ALSOFT_DRIVERS=null SDL_AUDIODRIVER=dummy CORVALE_HEADLESS=1
export CORVALE_FUZZ_DATA=$build/data
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for target in "${targets[@]}"; do
  program=$build/tests/fuzz/fuzz_$target
  corpus=$build/fuzz-corpus/$target
  findings=$build/fuzz-findings/$target
  mkdir -p "$corpus" "$findings"
  # Mesa, OpenAL and libdbus keep memory to the end of the process: leaks are looked for only in
  # the targets that open neither a window nor a sound device.
  leaks=0
  case $target in png | json | archive) leaks=1 ;; esac
  echo "fuzz: $target for ${seconds}s"
  if ! ASAN_OPTIONS=detect_leaks=$leaks "$root/scripts/with-display.sh" "$program" -max_total_time="$seconds" -max_len=65536 -timeout=20 \
    -rss_limit_mb=2048 -malloc_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$corpus" "$root/tests/fuzz/corpus/$target" > "$build/fuzz-$target.log" 2>&1; then
    echo "fuzz: $target found a fault; see $build/fuzz-$target.log and $findings" >&2
    status=1
  fi
  grep -E "^stat::number_of_executed_units|^stat::new_units_added" "$build/fuzz-$target.log" | sed "s/^/  /" || true
done
exit $status
