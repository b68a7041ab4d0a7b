#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number
# of seconds (default 60), on one core, keeping their corpora in
# build-fuzz/corpus. Prints the executions of every target; fails on the
# first crash, sanitizer report or broken property.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
seconds=${1:-60}
build=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRENAMER_FUZZ=ON \
  -DRENAMER_TESTS=OFF -DRENAMER_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzzers

status=0
for target in fuzz_deletions fuzz_replace_split fuzz_numbers fuzz_text_rules; do
  corpus="$build/corpus/$target"
  log="$build/$target.log"
  mkdir -p "$corpus"
  if "$build/fuzz/$target" -dict=fuzz/text.dict -max_len=256 -max_total_time="$seconds" \
      -print_final_stats=1 -artifact_prefix="$build/$target-" "$corpus" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: ${runs:-?} executions in ${seconds} s, clean"
  else
    echo "$target: FAILED, see $log and the $build/$target-* input" >&2
    grep -E 'property broken|ERROR|SUMMARY' "$log" >&2 || tail -20 "$log" >&2
    status=1
  fi
done
exit $status
