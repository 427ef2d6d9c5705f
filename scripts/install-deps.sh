#!/usr/bin/env bash
# Installs the Debian packages rcpulse needs to build, test and run. Idempotent: apt is called
# only when a package is missing. Pass --dev for the extra tools used while developing
# (clang's libFuzzer runtime, screenshots).
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev libgl-dev libqcustomplot-dev libqcustomplot2.1-qt6
  fonts-dejavu-core fonts-dejavu-extra xvfb xauth
  desktop-file-utils
  libcsv-dev x11-utils
)
if [[ "${1:-}" == "--dev" ]]; then
  packages+=(clang libclang-rt-14-dev imagemagick)
fi

# One query for all, so that a `make run` with nothing missing starts at once.
installed=$'\n'$(dpkg-query -W -f='${Package}\t${Status}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
  if [[ "$installed" != *$'\n'"$p"$'\tinstall ok installed'* ]]; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "install-deps: missing Debian packages: ${missing[*]}"
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null 2>&1; then SUDO=sudo; else
    echo "install-deps: run as root (or install sudo) to install them:" >&2
    echo "  apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
