#!/usr/bin/env bash
# Installs what is missing, builds a normal and a sanitizer configuration and runs every test
# headless: tests that need a display get a private Xvfb (Mesa), sound goes to OpenAL Soft's null backend.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# Every run ends, passed or failed, with what it cost: the CI machine has two cores, so CPU seconds
# / 2 estimates its wall time there, which must stay under its 45-minute budget. `times` gives the
# shell's own user and system time and then its waited-for children's, which take in their own
# children's: compilers under ninja, tests under ctest.
SECONDS=0
cost_report() {
  local status=$? used
  # Into a file: `times` in a pipe or $(...) would run in a fresh subshell that has used nothing.
  used=$(mktemp) || exit "$status"
  times > "$used"
  awk -v wall="$SECONDS" '
    function seconds(text,  minutes) {
      gsub(/,/, ".", text)
      minutes = text; sub(/m.*/, "", minutes)
      sub(/^[0-9]+m/, "", text); sub(/s$/, "", text)
      return minutes * 60 + text
    }
    { user += seconds($1); sys += seconds($2) }
    END {
      cpu = user + sys
      printf "test.sh: wall time %d s (%.1f min); CPU time %.0f s (user %.0f s, system %.0f s);" \
        " on two cores about %.0f s (%.1f min, budget 45 min)\n", wall, wall / 60, cpu, user, sys, cpu / 2, cpu / 2 / 60
    }' "$used" || true
  rm -f "$used"
  exit "$status"
}
trap cost_report EXIT
"$root/scripts/setup.sh"

export ALSOFT_DRIVERS=null
export SDL_AUDIODRIVER=dummy
export CORVALE_HEADLESS=1
jobs=$(nproc)

# Build-time options for these throw-away configurations: line tables only (-g1) keep file and
# line in sanitizer reports and cut compile, link and disk time by about a quarter; lld links the
# many test executables in a third of the time of the default linker.
ci_options=(
  "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
  "-DCMAKE_C_FLAGS_DEBUG=-g1" "-DCMAKE_CXX_FLAGS_DEBUG=-g1"
)
if command -v ld.lld > /dev/null; then
  ci_options+=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)
fi

run_ctest() {
  local dir=$1
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 600
}

"$root/scripts/build.sh" "$root/build-test" "${ci_options[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVALE_BENCH=ON
run_ctest "$root/build-test"

# The sanitizer build speaks the same lines: it starts from the normal build's recordings and
# their stamps, so the speech tool finds them current instead of running espeak-ng again.
if [ -d "$root/build-test/data/Speech" ] && [ -d "$root/build-test/tools/sndenc/speech" ]; then
  mkdir -p "$root/build-asan/data" "$root/build-asan/tools/sndenc"
  cp -a "$root/build-test/data/Speech" "$root/build-asan/data/"
  cp -a "$root/build-test/tools/sndenc/speech" "$root/build-asan/tools/sndenc/"
fi
"$root/scripts/build.sh" "$root/build-asan" "${ci_options[@]}" -DCMAKE_BUILD_TYPE=Debug -DCORVALE_SANITIZE=ON \
  -DCORVALE_MALLOC_HEAPS=ON
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
run_ctest "$root/build-asan"

# ThreadSanitizer over what runs threads: the thread wrapper, the sound manager's threads (and the
# log's lock they share) and the loader. Only those tests, to keep the run short.
tsan_targets=(test_core_ThreadTest)
for folder in sound loader; do
  for source in "$root"/tests/platform/$folder/*.cpp; do
    tsan_targets+=("test_platform_${folder}_$(basename "$source" .cpp)")
  done
done
CORVALE_BUILD_TARGETS="${tsan_targets[*]}" "$root/scripts/build.sh" "$root/build-tsan" "${ci_options[@]}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVALE_SANITIZE_THREAD=ON
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}
ctest --test-dir "$root/build-tsan" --output-on-failure -j "$jobs" --timeout 600 \
  -R '^(Thread(Death)?Test\.|test_platform_sound_|test_platform_loader_)'

# CORVALE_FUZZ_SECONDS=N also runs every fuzz target for N seconds (clang, in build-fuzz).
if [ -n "${CORVALE_FUZZ_SECONDS:-}" ]; then
  "$root/scripts/fuzz.sh" "$CORVALE_FUZZ_SECONDS"
fi
