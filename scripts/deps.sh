#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the game need, only when some
# are missing (so a machine that has them all pays just a dpkg query).
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build pkg-config git
  libsdl2-dev libsdl2-mixer-dev libpng-dev libjpeg-dev libogg-dev libvorbis-dev
  libcairo2-dev libfreetype-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev libxtst-dev
  clang libclang-rt-dev
  xvfb xauth libgl1-mesa-dri openbox
  fonts-dejavu-core fonts-averia-serif-gwf fonts-cabin
  desktop-file-utils appstream shared-mime-info man-db dpkg-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
