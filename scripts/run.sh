#!/usr/bin/env bash
# Starts the window when a display can be opened; otherwise says why and makes one default run
# with the headless runner instead.
set -euo pipefail
bin="${1:-build}/bin"

# Whether the X display in DISPLAY answers: a DISPLAY left over from another session, or a
# display we may not use, would otherwise end in Qt's platform-plugin error.
display_opens() {
  ! command -v xdpyinfo >/dev/null 2>&1 || timeout 5 xdpyinfo >/dev/null 2>&1
}

if [[ -n "${DISPLAY:-}" ]]; then
  if display_opens; then exec "$bin/rcpulse"; fi
  echo "DISPLAY is set to '$DISPLAY', but that display cannot be opened: running headless." >&2
elif [[ -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$bin/rcpulse"
else
  echo "No display: running headless." >&2
fi
echo "One default run of rcpulse-cli (decimal separator ','); REZ.TXT is written to $(pwd)." >&2
exec "$bin/rcpulse-cli" --decimal-separator ,
