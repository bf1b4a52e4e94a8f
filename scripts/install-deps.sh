#!/usr/bin/env bash
# Installs every Debian package that Quarrelwick needs to build, run and test.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

PACKAGES=(
  # toolchain and test frameworks
  build-essential cmake pkg-config ninja-build
  # the second compiler, which CI builds the sanitizer builds with, warnings as errors; its
  # sanitizer runtimes (AddressSanitizer, UndefinedBehaviorSanitizer, ThreadSanitizer), only
  # recommended by clang; llvm for llvm-symbolizer, which names the functions in their reports
  clang libclang-rt-14-dev llvm
  libgtest-dev libgmock-dev libbenchmark-dev
  # platform layer: window, GL context, input, clipboard, dialogs, power events
  libsdl2-dev libx11-dev libglew-dev libgl-dev libgl1-mesa-dri libgtk-3-dev libsystemd-dev
  # images, fonts, sound, compression, crypto, network
  libsoil-dev libjpeg-dev libpng-dev libfreetype-dev zlib1g-dev
  libopenal-dev libalut-dev libvorbis-dev libogg-dev
  libtomcrypt-dev libcurl4-openssl-dev
  # certificate authorities for libcurl's TLS verification (only recommended by libcurl), and
  # openssl for the tests' TLS server
  ca-certificates openssl
  # the asset tool (tools/assetgen): SVG rendering, PNG, Ogg Vorbis encoding, flag pictures
  librsvg2-dev libcairo2-dev iso-flags-svg
  # fonts shipped in resources/
  fonts-dejavu-core ttf-bitstream-vera
  # headless display for tests (xauth for xvfb-run, xfonts-base for SDL message boxes, libxtst-dev
  # for the play-through test that drives the program with real X input, libxdamage-dev for the
  # probe that times the program's frames, openbox for the tests that place the program's window
  # under a window manager)
  xvfb xauth xfonts-base libxtst-dev libxdamage-dev openbox
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
