#!/usr/bin/env bash
# Sets up, builds and runs every test: once in a normal build (GCC), each test
# program there once more whole, shuffled, in Spanish, then once with
# AddressSanitizer and UndefinedBehaviorSanitizer built by clang (any report
# fails the run), where the file readers' fuzz targets then run briefly.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# Every C++ file is laid out as .clang-format says (clang-format -i FILE mends one).
(cd "$here" && git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror)

cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ >/dev/null
# The tests see only the declared fonts; stop here, naming it, if one is missing.
"$here/scripts/test-fonts.sh" --check "$here/build/fonts"
cmake --build "$here/build" -j "$jobs"
ctest --test-dir "$here/build" -j "$jobs" --output-on-failure
# Each test program once more as a whole, in a shuffled order and under a
# Spanish locale: a test that depends on the tests run before it, on their
# order or on the locale fails here the day it is written (ctest runs every
# test in a process of its own). --gtest_random_seed=N replays an order.
seed=$((RANDOM % 99999 + 1))
echo "Every test program whole, shuffled with seed $seed, under es_ES.UTF-8"
LC_ALL=es_ES.UTF-8 "$here/scripts/test-whole.sh" "$here/build" --gtest_shuffle --gtest_random_seed="$seed"

cmake -S "$here" -B "$here/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
      -DVESDRA_SANITIZE=ON -DVESDRA_FUZZ=ON -DVESDRA_BUILD_BENCH=OFF >/dev/null
cmake --build "$here/build-asan" -j "$jobs"
# Leak checking is off: Qt and fontconfig keep process-lifetime caches that
# LeakSanitizer reports; every other report aborts the test.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$here/build-asan" -j "$jobs" --output-on-failure
"$here/fuzz/run.sh" "$here/build-asan" 20
