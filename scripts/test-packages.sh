#!/usr/bin/env bash
# Checks the packages: lintian finds no error in the .deb, its menu entry and metainfo
# validate, the program it installs starts and keeps running, and the zip holds exactly the
# exe the Wine tests passed and its readme.
set -euo pipefail
cd "$(dirname "$0")/.."

passed=0
failed=0
check() {  # check NAME COMMAND...: runs COMMAND, counts and reports the outcome
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok   $name"
  else
    failed=$((failed + 1))
    echo "FAIL $name"
  fi
}

scripts/package.sh >/dev/null
deb=$(ls build/release/packages/oddsmith_*_amd64.deb)
zip=$(ls build/windows/packages/oddsmith-*-windows-x64.zip)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

lintian_clean() {
  local report status=0
  report=$(lintian --fail-on error "$deb" 2>&1) || status=$?
  grep -v 'running with root privileges' <<<"$report" || true
  return "$status"
}
check "lintian finds no error" lintian_clean

check "the package unpacks" dpkg-deb -x "$deb" "$root"
check "the menu entry validates" desktop-file-validate "$root/usr/share/applications/oddsmith.desktop"
check "the metainfo validates" \
  appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.oddsmith.Oddsmith.metainfo.xml"
check "the icon is in the hicolor theme" \
  test -s "$root/usr/share/icons/hicolor/256x256/apps/oddsmith.png" -a \
  -s "$root/usr/share/icons/hicolor/scalable/apps/oddsmith.svg"
check "the saved lines' file type is registered" sh -c \
  "grep -q 'application/x-oddsmith-line' '$root/usr/share/mime/packages/oddsmith.xml' &&
   grep -q '^MimeType=application/x-oddsmith-line;' '$root/usr/share/applications/oddsmith.desktop'"
check "the manual reads" sh -c "zcat '$root/usr/share/man/man1/oddsmith.1.gz' | grep -q 'odds line'"
check "the package depends on the platform plugins" \
  sh -c "dpkg-deb -f '$deb' Depends | grep -q 'qt6-qpa-plugins' && dpkg-deb -f '$deb' Depends | grep -q 'libqt6widgets6'"

installed_program_runs() {
  QT_QPA_PLATFORM=offscreen "$root/usr/bin/oddsmith" >/dev/null 2>&1 &
  local pid=$!
  sleep 3
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "the installed program ended within 3 s"
    return 1
  fi
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}
check "the installed program starts and keeps running" installed_program_runs

zip_holds_exactly_the_tested_exe() {
  local listing
  listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
  if [ "$listing" != "oddsmith.exe readme.txt " ]; then
    echo "the zip holds: $listing"
    return 1
  fi
  unzip -p "$zip" oddsmith.exe | cmp - build/windows/dialog/win32/oddsmith.exe
}
check "the zip holds exactly the tested exe and its readme" zip_holds_exactly_the_tested_exe

echo "packages: $(stat -c %s "$deb") bytes $(basename "$deb"), $(stat -c %s "$zip") bytes $(basename "$zip")"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
