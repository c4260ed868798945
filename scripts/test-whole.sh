#!/usr/bin/env bash
# Runs every test program of a build folder once as a whole, in parallel, in
# one process each (CTest runs each test in a process of its own, which hides
# a test that depends on what ran before it). Arguments after the folder go
# to every program, e.g. --gtest_shuffle --gtest_random_seed=N. The
# environment passes through (LC_ALL, VESDRA_TEST_CLOCK). A program that
# fails has its failures and its command line printed; the run fails.
#   scripts/test-whole.sh build [gtest arguments...]
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_FOLDER [gtest arguments...]}" && pwd)
shift
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
export QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE="$build/fonts/fonts.conf"
mapfile -t programs < <(find "$build/tests" -maxdepth 1 -name 'test_*' -type f -perm -u+x | sort)
[ ${#programs[@]} -gt 0 ] || { echo "no test programs in $build/tests" >&2; exit 1; }
printf '%s\n' "${programs[@]}" |
  xargs -P "$(nproc)" -I{} sh -c 'p=$1; shift; "$p" --gtest_brief=1 "$@" >"$0/${p##*/}.log" 2>&1 \
    || touch "$0/${p##*/}.failed"' "$logs" {} "$@"
failed=0
for p in "${programs[@]}"; do
  n=$(basename "$p")
  if [ -e "$logs/$n.failed" ]; then
    failed=1
    echo "FAILED: $p $*" >&2
    { grep -E -A3 'Note: Randomizing|Failure|left the process' "$logs/$n.log" | head -80 || true; tail -n 5 "$logs/$n.log"; } >&2
  fi
done
[ "$failed" -eq 0 ] && echo "${#programs[@]} test programs passed whole ($*)"
exit "$failed"
