#!/usr/bin/env bash
# Debian's perl rename (File::Rename), the names fed through find -print0.
set -euo pipefail
cd "$1"
if [ "$2" = numbering ]; then
  find . -maxdepth 1 -type f -printf '%f\0' | sort -z -V | rename -0 's/^/++$::n . "_"/e'
else
  find . -maxdepth 1 -type f -printf '%f\0' | rename -0 's/^(.*)\.jpg$/x$1.txt/'
fi
