#!/usr/bin/env bash
# Installs the Debian packages a part of the build needs, only those missing.
# Usage: scripts/deps.sh GROUP...   (groups: core qt win fuzz bench lint pkg)
set -euo pipefail

pkgs=()
for group in "$@"; do
  case "$group" in
    core) pkgs+=(cmake make g++ libgtest-dev clang-format) ;;
    qt) pkgs+=(qt6-base-dev qt6-qpa-plugins libgl-dev xvfb xauth imagemagick xdotool xclip dbus-daemon at-spi2-core python3-pyatspi fonts-liberation2 poppler-utils) ;;
    win) pkgs+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xauth xdotool xclip imagemagick fonts-liberation2) ;;
    fuzz) pkgs+=(clang libclang-rt-14-dev llvm) ;;
    lint) pkgs+=(clang-tidy cppcheck) ;;
    bench) pkgs+=(libbenchmark-dev valgrind) ;;
    pkg) pkgs+=(lintian desktop-file-utils appstream librsvg2-bin icoutils unzip dpkg-dev file) ;;
    *) echo "deps.sh: unknown group '$group'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${pkgs[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "deps.sh: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
