#!/usr/bin/env bash
# Usage: check-install.sh CMAKE BUILD_DIR RELATIVE_PATH...
# Installs the build into a fresh temporary DESTDIR under the prefix /usr and checks that
# every expected file is there (programs executable, icons real PNG/SVG, entry readable).
set -euo pipefail
cmake=$1 build=$2
shift 2
destdir=$(mktemp -d)
trap 'rm -rf "$destdir"' EXIT
DESTDIR="$destdir" "$cmake" --install "$build" --prefix /usr >/dev/null

status=0
for path in "$@"; do
  file="$destdir/usr/$path"
  if [[ ! -f "$file" ]]; then
    echo "missing: /usr/$path"
    status=1
    continue
  fi
  case "$path" in
    bin/*) [[ -x "$file" ]] || { echo "not executable: /usr/$path"; status=1; } ;;
    *.png) [[ $(head -c 8 "$file" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
             { echo "not a PNG: /usr/$path"; status=1; } ;;
    *.svg) grep -q '<svg' "$file" || { echo "not an SVG: /usr/$path"; status=1; } ;;
    *.desktop) grep -qx 'Icon=rcpulse' "$file" || { echo "entry without icon: /usr/$path"; status=1; } ;;
  esac
done
exit $status
