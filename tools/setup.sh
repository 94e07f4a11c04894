#!/bin/bash
# Installs every Debian package the project needs (fresh Debian 12, as root).
# Idempotent: when everything is present it returns at once without touching the network.
set -euo pipefail

NATIVE_PKGS=(cmake ninja-build g++ clang libclang-rt-14-dev googletest pkg-config)
WIN_PKGS=(g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686)
WINE_PKGS=(wine wine32:i386 wine64 xvfb xauth x11-utils x11-xkb-utils xdotool)
TEST_PKGS=(python3 python3-pyftpdlib python3-aiosmtpd unixodbc libodbc2:i386 libsqliteodbc:i386 libodbcinst2:i386)
ALL=("${NATIVE_PKGS[@]}" "${WIN_PKGS[@]}" "${WINE_PKGS[@]}" "${TEST_PKGS[@]}")

missing=()
for p in "${ALL[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" != 0 ]; then
    echo "setup: missing packages (${missing[*]}); run as root to install them" >&2
    exit 1
fi
echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
