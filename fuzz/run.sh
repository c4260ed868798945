#!/usr/bin/env bash
# Runs every fuzz target of a build made with -DVESDRA_FUZZ=ON, side by side,
# each for SECONDS (default 20), and fails when any of them finds a crash.
#   fuzz/run.sh <build-dir> [SECONDS]
# Inputs found are kept in <build-dir>/fuzz/corpus/<target> for the next run;
# a crashing input is written to <build-dir>/fuzz/crash-<target>-*, and
# `<build-dir>/fuzz/vesdra_fuzz_<target> <that file>` replays it.
set -euo pipefail
build=$(cd "${1:?usage: fuzz/run.sh <build-dir> [SECONDS]}" && pwd)
seconds=${2:-20}
dir=$build/fuzz
# A leak is a finding too; the other sanitizer reports end the run as a crash.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
targets=(cfg dat_binary dat_ascii ascii_copy cnf)
pids=()
for t in "${targets[@]}"; do
  mkdir -p "$dir/corpus/$t"
  "$dir/vesdra_fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$dir/crash-$t-" "$dir/corpus/$t" "$dir/seeds/$t" >"$dir/$t.log" 2>&1 &
  pids+=($!)
done
failed=0
for i in "${!targets[@]}"; do
  t=${targets[$i]}
  if wait "${pids[$i]}"; then
    echo "fuzz $t: $(grep -o 'Done [0-9]* runs.*' "$dir/$t.log" | tail -1)"
  else
    echo "fuzz $t FAILED (log $dir/$t.log):" >&2
    tail -n 40 "$dir/$t.log" >&2
    failed=1
  fi
done
exit $failed
