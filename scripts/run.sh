#!/usr/bin/env bash
# Starts the window when there is a display; otherwise one default run of the headless runner.
set -euo pipefail
bin="${1:-build}/bin"
if [[ -x "$bin/rcpulse" && ( -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ) ]]; then
  exec "$bin/rcpulse"
fi
echo "No display: running the headless default run (rcpulse-cli, decimal separator ',')." >&2
echo "REZ.TXT is written to $(pwd)." >&2
exec "$bin/rcpulse-cli" --decimal-separator ,
