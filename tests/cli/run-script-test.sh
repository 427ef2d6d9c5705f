#!/usr/bin/env bash
# What `make run` does after building, without a display and with one that cannot be opened:
# it says so and makes the headless default run, whose result line ends its output.
# Usage: run-script-test.sh SCRIPTS_RUN_SH BUILD_DIR
set -euo pipefail
script="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
build="$(cd "$2" && pwd)"
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
cd "$folder"

# The default run's result line under a comma (this program's output, as in the runner's tests).
expected='Глобальная погрешность = 0,0267125657585205'
failed=0
check() {  # name, output, the line that must be in it
  if ! grep -qxF -- "$3" <<<"$2"; then
    echo "FAILED $1: no line '$3' in:"; echo "$2"; failed=1
  fi
}

out="$(env -u DISPLAY -u WAYLAND_DISPLAY bash "$script" "$build" 2>&1)"
check "no display" "$out" "No display: running headless."
check "no display" "$out" "$expected"

# Display 87 has no server (a free number; the X socket of that name is checked first).
if [[ ! -e /tmp/.X11-unix/X87 ]]; then
  out="$(env -u WAYLAND_DISPLAY DISPLAY=:87 bash "$script" "$build" 2>&1)"
  check "display that cannot be opened" "$out" \
    "DISPLAY is set to ':87', but that display cannot be opened: running headless."
  check "display that cannot be opened" "$out" "$expected"
fi
[[ -s REZ.TXT ]] || { echo "FAILED: no REZ.TXT in $folder"; failed=1; }
exit "$failed"
