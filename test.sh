#!/usr/bin/env bash
# Builds everything and runs every test: once in a normal build and once with
# AddressSanitizer and UndefinedBehaviorSanitizer. With --valgrind, instead
# runs the engine and folder test binaries under valgrind memcheck, failing on
# any error or leak.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
jobs=$(nproc)

if [ "${1:-}" = --valgrind ]; then
  ensure_packages valgrind
  binaries=(text_test natural_order_test folder_test batch_rename_test fault_injection_test
    filesystem_faults_test)
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$jobs" --target "${binaries[@]}"
  for binary in "${binaries[@]}"; do
    echo "valgrind: $binary"
    (cd build/tests && valgrind --quiet --tool=memcheck --suppressions=../../tests/valgrind.supp \
      --leak-check=full --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect \
      --error-exitcode=99 --child-silent-after-fork=yes "./$binary" --gtest_brief=1)
  done
  exit 0
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DRENAMER_SANITIZE=ON -DRENAMER_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"
