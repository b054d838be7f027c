#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing the tool need, for Linux and
# for the Windows builds (mingw-w64 cross compilers, Wine for 64- and 32-bit programs, which needs
# Debian's i386 architecture). Safe to run again: packages already present are left alone, and
# the i386 architecture is added only once. Needs root (or sudo).
#   scripts/setup.sh          everything (the test command's needs)
#   scripts/setup.sh linux    only what the Linux build and its window need (scripts/run.sh)
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev libgl-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang-14 libclang-rt-14-dev
    xvfb xauth x11-utils imagemagick python3-xlib file
    fonts-liberation
    qt6-gtk-platformtheme librsvg2-bin
    openbox xdotool
)
windows_packages=(
    # The posix thread model (std::thread), and Wine to run the test programs.
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    wine wine64 wine32:i386
)
if [ "${1:-}" != linux ]; then
    packages+=("${windows_packages[@]}")
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

# wine32 is an i386 package: without the architecture, apt knows no such package.
updated=no
if [ "${1:-}" != linux ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture (for wine32)"
    $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq
    updated=yes
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$updated" = no ]; then
    $sudo apt-get update -qq
fi
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
