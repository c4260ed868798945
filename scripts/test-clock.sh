#!/usr/bin/env bash
# Runs every test program of a build folder (default: build) whole with a
# clock that moves one second at every read of the time the program shows
# and prints (VESDRA_TEST_CLOCK=tick, read by the tests' main): a test that
# compares a printed time with a later read of the clock fails here.
#   scripts/test-clock.sh [build]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
VESDRA_TEST_CLOCK=tick exec "$here/scripts/test-whole.sh" "${1:-$here/build}"
