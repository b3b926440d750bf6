#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages the build and the tests need; does nothing when
# they are all there. Usage: install-deps.sh [--with-wine]
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev libpng-dev mingw-w64)
if [[ "${1:-}" == "--with-wine" ]]; then
    # 64-bit Wine only: the i386 architecture is never added.
    packages+=(wine wine64 xvfb xauth)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [[ $(id -u) -eq 0 ]] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
