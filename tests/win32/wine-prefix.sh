#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests share, once per build tree, and keeps it for later
# runs. Needs WINEPREFIX and an X display (scripts/test-windows.sh provides both).
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the test prefix}"
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-prefix.sh: no X display; run scripts/test-windows.sh, which starts one" >&2
  exit 1
fi
stamp="$WINEPREFIX/.oddsmith-prefix-3"
[ -f "$stamp" ] && exit 0

rm -rf "$WINEPREFIX"
# No Mono or Gecko: nothing here needs them, and their installers would ask.
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i
reg() { wine reg add "$@" /f >/dev/null; }
# Wine draws the caption and close box itself, so no window manager is needed.
reg 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N
# A crash ends the process instead of waiting on a dialog nobody will close.
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
# Texts are bytes through the A-API; code page 1252 maps every byte to a character and back.
reg 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP /t REG_SZ /d 1252
# Wine has neither MS Sans Serif, the dialogs' font, nor Tahoma; it falls back to the first sans
# face it finds, which is Liberation Sans once that is installed for the sheet, DejaVu Sans
# before. The dialogs keep DejaVu Sans whatever else is installed, so the windows and their
# tests look alike on every machine; Arial, the sheet's, still finds its metric twin.
for face in 'MS Sans Serif' Tahoma; do
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d 'DejaVu Sans'
done
wineserver -w
touch "$stamp"
