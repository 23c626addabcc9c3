#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine.
# amd64 only: wine64 without wine32, the MinGW-w64 posix-thread compilers,
# widl (mingw-w64-tools), Wine's IDL files (libwine-dev), Xvfb and the
# googletest sources that the Windows test binaries are built from.
# Further Debian packages named on the command line join the list.
set -euo pipefail

packages=(
  wine64 libwine-dev fonts-wine
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
  cmake ninja-build googletest g++
  xvfb xauth imagemagick
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
