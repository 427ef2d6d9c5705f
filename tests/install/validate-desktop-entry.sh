#!/usr/bin/env bash
# Usage: validate-desktop-entry.sh DESKTOP_FILE_VALIDATE ENTRY
# Passes when the validator reports neither an error nor a warning (hints are allowed).
set -euo pipefail
output=$("$1" "$2" 2>&1) || { echo "$output"; exit 1; }
echo "$output"
if grep -E ': (error|warning):' <<<"$output" >/dev/null; then exit 1; fi
