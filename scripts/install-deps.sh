#!/usr/bin/env bash
# Installs, with apt-get, every Debian package that the build and the tests need, and only those
# that are missing, so that a second run costs nothing.
set -euo pipefail

packages=(
    cmake
    g++
    make
    libexpat1-dev
    libgtest-dev
    nlohmann-json3-dev
    pkg-config
    libcurl4-openssl-dev
    libcpp-httplib-dev
    libgumbo-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
