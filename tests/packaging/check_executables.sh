#!/usr/bin/env bash
# Every shipped program is a self-contained, hardened 32-bit Windows
# executable: PE32, importing only system DLLs (the C++ runtime, libgcc,
# libssp and winpthread are linked in), ASLR and DEP asked for in its headers
# with the relocations ASLR needs, no section both writable and executable,
# and stack protection wherever the symbols show it (stripped programs carry
# none). setup.exe is a GUI-subsystem program.
# usage: check_executables.sh OBJDUMP EXE...
set -euo pipefail
objdump=$1
shift
status=0
fail() { echo "$1: $2"; status=1; }
for exe in "$@"; do
    headers=$("$objdump" -p "$exe")
    grep -q 'Magic.*(PE32)$' <<<"$headers" || fail "$exe" "not PE32"
    foreign=$(grep 'DLL Name:' <<<"$headers" | grep -iE 'libstdc|libgcc|winpthread|libssp|zlib|minizip' || true)
    [ -z "$foreign" ] || fail "$exe" "needs runtime DLLs beside it: $foreign"
    grep -q 'DYNAMIC_BASE' <<<"$headers" || fail "$exe" "no ASLR (DYNAMIC_BASE)"
    grep -q 'NX_COMPAT' <<<"$headers" || fail "$exe" "no DEP (NX_COMPAT)"
    sections=$("$objdump" -h "$exe")
    grep -q ' \.reloc ' <<<"$sections" || fail "$exe" "no relocations: ASLR cannot move it"
    # A section is writable unless READONLY; CODE marks it executable.
    writable_code=$(grep -A1 -E '^ +[0-9]+ ' <<<"$sections" | grep 'CODE' | grep -v 'READONLY' || true)
    [ -z "$writable_code" ] || fail "$exe" "a section is both writable and executable"
    if "$objdump" -t "$exe" 2>/dev/null | grep -q '\.text'; then
        "$objdump" -t "$exe" | grep -q '__stack_chk_fail' || fail "$exe" "built without stack protection"
    fi
    case "$(basename "$exe")" in
    setup.exe) grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "$exe" "not a GUI program" ;;
    esac
done
[ $status -eq 0 ] && echo "$# executables self-contained and hardened"
exit $status
