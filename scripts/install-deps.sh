#!/usr/bin/env bash
# Installs the Debian packages Almarin needs to build, run and test; quiet when they are already there.
set -euo pipefail
packages=(build-essential cmake ninja-build ccache pkg-config clang-format
          qt6-base-dev qt6-svg-dev libgl-dev libjpeg62-turbo-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-liberation2 poppler-utils ncal xvfb xauth
          libcups2-dev cups cups-client cups-bsd printer-driver-cups-pdf
          desktop-file-utils appstream shared-mime-info xdg-utils libglib2.0-bin
          icoutils binutils-mingw-w64-x86-64 libical-dev)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
