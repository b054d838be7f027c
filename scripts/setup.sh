#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing the tool need. Safe to run
# again: packages already present are left alone. Needs root (or sudo).
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev libgl-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang-14 libclang-rt-14-dev
    xvfb xauth x11-utils imagemagick python3-xlib file
    fonts-liberation
    qt6-gtk-platformtheme librsvg2-bin openbox xdotool
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
