#!/usr/bin/env bash
# Installs, with apt-get, everything that building and testing Zantoli needs
# on a fresh Debian machine. Does nothing when all of it is there already.
set -euo pipefail

packages=(
    cmake ninja-build g++ make
    googletest libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-tidy clang-tools cppcheck
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
    wine wine64 xvfb xauth x11-utils imagemagick
    fonts-liberation fonts-wine zip unzip python3 nsis
    osslsigncode openssl python3-yaml python3-jsonschema
)
# npm only where no Node.js is there already (some machines bring their own).
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The workflow's schema check (npm, works offline once installed).
validator=$(dirname "$0")/../build/tools/node_modules/.bin/action-validator
if [ ! -x "$validator" ]; then
    npm install --silent --no-audit --no-fund --prefix "$(dirname "$0")/../build/tools" \
        @action-validator/cli@0.6.0
fi
