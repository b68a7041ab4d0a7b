#!/usr/bin/env bash
# Builds the program if needed and starts it.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target batch-renamer
exec build/app/batch-renamer "$@"
