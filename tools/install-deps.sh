#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need,
# only those that are missing. Run as root (CI and the dev machines are).
# With the argument "fuzz", also the compiler the fuzz targets need.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  libgtest-dev libbenchmark-dev
  libsdl2-dev libepoxy-dev libgl1-mesa-dri libglx-mesa0
  xvfb xauth xdotool xclip libx11-dev libxtst-dev openbox
  libstb-dev libfreetype-dev fonts-dejavu-core
  libopenal-dev libsndfile1-dev libbox2d-dev liblua5.4-dev libzip-dev zip unzip
  libsqlite3-dev zenity xdg-utils shared-mime-info libfile-mimeinfo-perl
  libpugixml-dev libtinyxml2-dev
  libsfml-dev liballegro5-dev
  nginx-light curl
  doxygen clang-format
)
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
