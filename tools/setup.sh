#!/usr/bin/env bash
# Installs, from Debian's packages only, everything the build and the tests need.
# Idempotent: when everything is present it checks and returns in a few seconds.
set -euo pipefail

packages=(
  cmake make g++ pkg-config file git python3
  libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686 gcc-mingw-w64-i686 binutils-mingw-w64-i686 libz-mingw-w64-dev
  g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  qemu-user-static
  xvfb openbox xdotool x11-utils imagemagick
  pulseaudio pulseaudio-utils sox libsox-fmt-all espeak-ng
  libjpeg62-turbo-dev libpng-dev libtiff-dev libgif-dev zlib1g-dev
  clang libclang-rt-14-dev llvm
  dpkg-dev nasm
  povray
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
fi

# Source packages of the codec libraries are cross-compiled for the Windows build.
src_list=/etc/apt/sources.list.d/zerade95-src.sources
if [ ! -f "$src_list" ]; then
  "${sudo_cmd[@]}" tee "$src_list" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  # dpkg-query names foreign packages with their architecture suffix.
  if ! dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ]; then
  echo "setup: installing ${missing[*]:-(package lists only)}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
