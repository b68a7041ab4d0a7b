#!/usr/bin/env bash
# Builds in Release into build-bench and prints, in one run on the same
# folders, a table for 10,000 and 100,000 files on /dev/shm and on disk (the
# build folder): this program's BatchRename (numbering, then prefix "x" plus
# the new extension ".txt"), the syscall floor, Debian's perl rename, mmv and
# a Python os.rename loop doing the same renames. Medians of ROUNDS runs
# (default 3; SIZES overrides the file counts); files per second for each step and the ratio to the floor.
# Then the window's figures, when the window benchmark is built.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
rounds=${ROUNDS:-3}
sizes=${SIZES:-10000 100000}
build=build-bench
peers=bench/peers
# Debian's interpreter, as a user of the peers has it (not a version manager's shim).
python=/usr/bin/python3
[ -x "$python" ] || python=python3
# Qt wants a runtime folder of its own.
runtime=
[ -n "${XDG_RUNTIME_DIR:-}" ] || { runtime=$(mktemp -d); export XDG_RUNTIME_DIR=$runtime; }

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DRENAMER_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target benchmarks >/dev/null

roots=("$PWD/$build")
[ -d /dev/shm ] && roots=(/dev/shm "${roots[@]}")
times=$(mktemp)
trap 'rm -rf "$times" $runtime' EXIT

# One peer, one round: a fresh folder, the two steps timed, the result checked.
peer_round() {
  local tool=$1 root=$2 files=$3 folder step start
  folder=$(mktemp -u "$root/renamer-peer-XXXXXX")
  "$python" "$peers/make_files.py" make "$folder" "$files"
  for step in numbering rules; do
    start=$EPOCHREALTIME
    case $tool in
      perl-rename) "$peers/perl_rename.sh" "$folder" "$step" ;;
      mmv) "$peers/mmv.sh" "$folder" "$step" ;;
      python) "$python" "$peers/python_rename.py" "$folder" "$step" ;;
    esac
    printf '%s\t%s\t%s\t%s\t%s\n' "$root" "$files" "$tool" "$step" \
      "$("$python" -c "print($EPOCHREALTIME - $start)")" >>"$times"
  done
  "$python" "$peers/make_files.py" check "$folder" "$files"
  rm -rf "$folder"
}

for files in $sizes; do
  for root in "${roots[@]}"; do
    echo "measuring $files files in $root ..." >&2
    "$build/bench/rename_bench" --files "$files" --rounds "$rounds" --tsv "$root" >>"$times"
    for round in $(seq "$rounds"); do
      for tool in perl-rename mmv python; do peer_round "$tool" "$root" "$files"; done
    done
  done
done

echo
echo "Renaming IMG_1.jpg .. IMG_N.jpg: numbering (1_IMG_1.jpg ..), then prefix \"x\" and new extension"
echo "\".txt\" (x1_IMG_1.txt ..). Files per second for each step (every file counted once per step),"
echo "the ratio of its time to the floor's, and of both steps together; medians of $rounds runs."
echo
"$python" "$peers/table.py" <"$times"

if [ -x "$build/bench/window_bench" ]; then
  echo "The window:"
  if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a "$build/bench/window_bench"
  else
    "$build/bench/window_bench"
  fi
fi
