#!/usr/bin/env bash
# Every shipped program is a self-contained 32-bit Windows executable: PE32,
# importing only system DLLs (the C++ runtime, libgcc and winpthread are
# linked in). setup.exe and the reader's two programs are GUI-subsystem
# programs.
# usage: check_executables.sh OBJDUMP EXE...
set -euo pipefail
objdump=$1
shift
status=0
for exe in "$@"; do
    headers=$("$objdump" -p "$exe")
    grep -q 'Magic.*(PE32)$' <<<"$headers" || { echo "$exe: not PE32"; status=1; }
    foreign=$(grep 'DLL Name:' <<<"$headers" | grep -iE 'libstdc|libgcc|winpthread|zlib|minizip' || true)
    [ -z "$foreign" ] || { echo "$exe: needs runtime DLLs beside it:"; echo "$foreign"; status=1; }
    case "$(basename "$exe")" in
    setup.exe | lirvo_reader.exe | lirvo_uninstaller.exe) grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || { echo "$exe: not a GUI program"; status=1; } ;;
    esac
done
[ $status -eq 0 ] && echo "$# executables self-contained"
exit $status
