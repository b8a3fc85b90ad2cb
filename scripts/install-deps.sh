#!/usr/bin/env bash
# Installs every Debian package the project builds, tests and runs with. Idempotent:
# when everything is present it touches nothing (no apt-get update).
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config clang-14 libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools libqt6sql6-ibase libgl1-mesa-dev
    firebird3.0-server-core firebird3.0-utils firebird-dev libfbclient2
    libcurl4-openssl-dev zlib1g-dev libmicrohttpd-dev libgnutls28-dev openssl
    fonts-liberation
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libwmf-bin poppler-utils libxml2-utils libxml2-dev libreoffice-draw-nogui
    cups cups-client printer-driver-cups-pdf
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "install-deps: installing ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
