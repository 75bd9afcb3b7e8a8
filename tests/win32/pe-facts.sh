#!/usr/bin/env bash
# Checks what oddsmith.exe promises as a file: a GUI program that imports only DLLs every
# Windows has, ASLR with high-entropy addresses, DEP, and a size that stays small.
# Usage: pe-facts.sh OBJDUMP EXE
set -euo pipefail
objdump=$1 exe=$2
headers=$("$objdump" -p "$exe")
fail=0
check() { if ! eval "$1"; then echo "pe-facts: $2" >&2; fail=1; fi; }

check 'grep -q "^Subsystem[[:space:]]*00000002" <<<"$headers"' "not a GUI (Windows) program"
flags=$((16#$(awk '/^DllCharacteristics/ {print $2}' <<<"$headers")))
check '(( flags & 0x20 ))' "no HIGH_ENTROPY_VA"
check '(( flags & 0x40 ))' "no DYNAMIC_BASE (ASLR)"
check '(( flags & 0x100 ))' "no NX_COMPAT (DEP)"
# Relocations must stay, or the loader cannot move the image despite DYNAMIC_BASE.
check '"$objdump" -h "$exe" | grep -q " \.reloc "' "no relocations"

mapfile -t dlls < <(awk '/DLL Name:/ {print toupper($3)}' <<<"$headers")
check '[ ${#dlls[@]} -gt 0 ]' "no imports found"
for dll in "${dlls[@]}"; do
  case "$dll" in
    KERNEL32.DLL | USER32.DLL | MSVCRT.DLL | GDI32.DLL | COMCTL32.DLL | ADVAPI32.DLL) ;;
    # The file dialogs bring the shell's libraries: loaded when first used, not at every start.
    COMDLG32.DLL) check false "imports $dll at start-up" ;;
    *) check false "imports $dll, which a clean Windows does not have" ;;
  esac
done

# A resource section holds the dialog, the manifest and the version.
check '"$objdump" -h "$exe" | grep -q " \.rsrc "' "no resources"
size=$(stat -c %s "$exe")
check '[ "$size" -lt 1048576 ]' "$size bytes, more than 1 MiB"
echo "oddsmith.exe: $size bytes, imports ${dlls[*]}, DllCharacteristics $(printf '%#x' "$flags")"
exit $fail
