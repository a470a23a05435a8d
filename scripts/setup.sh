#!/usr/bin/env bash
# Installs what ヨツバネ needs from Debian's packages, then configures and
# builds it in ./build. Safe to run again: installed packages are skipped.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build clang libclang-rt-14-dev
    libgtest-dev libbenchmark-dev
    qt6-base-dev qt6-webengine-dev qt6-qpa-plugins fonts-ipafont-gothic
    # for the tests: installed files, and the window read through AT-SPI
    desktop-file-utils appstream
    xvfb xauth dbus-daemon at-spi2-core python3-pyatspi
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]})); then
    sudo=()
    ((EUID == 0)) || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# clang builds everything so that the libFuzzer harness is part of the same build.
cmake -S . -B build -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build -j2
