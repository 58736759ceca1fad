#!/usr/bin/env bash
# Installs the Debian packages Quelby needs to build, run and test (only those missing).
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache
  qt6-base-dev qt6-base-dev-tools
  libsqlite3-dev sqlite3
  libpq-dev postgresql
  mdbtools-dev mdbtools pkg-config
  fonts-dejavu-core
  xvfb xauth xdotool
  poppler-utils
  dpkg-dev lintian gzip
  libbenchmark-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
