#!/usr/bin/env bash
# Runs a validator on a file; skips (exit 77) when the validator is not
# installed, and fails on any complaint, not only on errors.
set -uo pipefail
tool=$1
shift
if ! command -v "$tool" >/dev/null 2>&1; then
  echo "SKIPPED: $tool is not installed (./test.sh installs it)"
  exit 77
fi
output=$("$tool" "$@" 2>&1)
status=$?
printf '%s\n' "$output"
[ "$status" -eq 0 ] || exit "$status"
# appstreamcli ends with its verdict line; anything else it says is a finding.
findings=$(printf '%s\n' "$output" | grep -v -e '^✔ Validation was successful' -e '^$')
[ -z "$findings" ]
