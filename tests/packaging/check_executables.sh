#!/usr/bin/env bash
# Every shipped program is a self-contained, hardened 32-bit Windows
# executable: PE32, importing only system DLLs (the C++ runtime, libgcc and
# libssp are linked in), ASLR and DEP asked for in its headers with the
# relocations ASLR needs, no section both writable and executable, linked
# against the win32-thread-model runtime (no winpthread inside), and every
# compile unit of the project's own (sources under SOURCE or BUILD, minizip
# included) compiled with stack protection, as the debug information records
# the compiler's switches. setup.exe is a GUI-subsystem program.
#
# The same sources give the same files wherever they are built: no program
# carries a time stamp, and neither it nor its debug information names the
# folders it was built in. The compiler records each of the two folders
# under a fixed name instead (SOURCE=RECORDED, BUILD=RECORDED), and the
# project's own compile units are found by those names.
#
# A program shipped without debug information is named as EXE=COPY, COPY
# being the same program as linked, or its separate debug file. A static
# library (LIB.a) is checked for its compile units alone.
# usage: check_executables.sh OBJDUMP SOURCE=RECORDED BUILD=RECORDED (EXE[=COPY] | LIB.a)...
set -euo pipefail
objdump=$1
source=${2%%=*} recorded_source=${2#*=}
build=${3%%=*} recorded_build=${3#*=}
shift 3
status=0
checked=0
fail() { echo "$1: $2"; status=1; }

# "name<TAB>producer" for each compile unit whose source is the project's own.
own_units() {
    "$objdump" --dwarf=info "$1" 2>/dev/null | awk -v source="$recorded_source/" -v build="$recorded_build/" '
        /DW_TAG_compile_unit/ { unit = 1; producer = ""; next }
        unit && /DW_AT_producer/ { sub(/.*DW_AT_producer *: *(\([^)]*\): *)?/, ""); producer = $0 }
        unit && /DW_AT_name/ {
            sub(/.*DW_AT_name *: *(\([^)]*\): *)?/, "")
            if (index($0, source) == 1 || index($0, build) == 1) print $0 "\t" producer
            unit = 0
        }'
}
# The folders of this build, wherever in the file they would appear.
check_no_build_folders() {
    local file=$1 label=$2 folder
    for folder in "$source" "$build"; do
        if grep -aqF -- "$folder/" "$file"; then
            fail "$label" "names the folder it was built in ($folder): built elsewhere it would differ ($file)"
            return
        fi
    done
}
check_stack_protection() {
    local file=$1 label=$2 units unprotected
    units=$(own_units "$file")
    if [ -z "$units" ]; then
        fail "$label" "no debug information of the project's own code to check stack protection in ($file)"
        return
    fi
    unprotected=$(grep -vE -- '-fstack-protector-(strong|all)' <<<"$units" | cut -f1 || true)
    [ -z "$unprotected" ] || fail "$label" "compiled without stack protection: $(tr '\n' ' ' <<<"$unprotected")"
}

for item in "$@"; do
    case "$item" in
    *.a)
        check_stack_protection "$item" "$item"
        check_no_build_folders "$item" "$item"
        checked=$((checked + 1))
        continue
        ;;
    esac
    exe=${item%%=*}
    copy=$exe
    [ "$item" = "$exe" ] || copy=${item#*=}
    # The time stamp is shown in the local time zone.
    headers=$(TZ=UTC "$objdump" -p "$exe")
    grep -q 'Magic.*(PE32)$' <<<"$headers" || fail "$exe" "not PE32"
    foreign=$(grep 'DLL Name:' <<<"$headers" | grep -iE 'libstdc|libgcc|winpthread|libssp|zlib|minizip' || true)
    [ -z "$foreign" ] || fail "$exe" "needs runtime DLLs beside it: $foreign"
    grep -q 'DYNAMIC_BASE' <<<"$headers" || fail "$exe" "no ASLR (DYNAMIC_BASE)"
    grep -q 'NX_COMPAT' <<<"$headers" || fail "$exe" "no DEP (NX_COMPAT)"
    stamp=$(grep -m1 '^Time/Date' <<<"$headers" | cut -f3-)
    [ "$stamp" = "Thu Jan  1 00:00:00 1970" ] || fail "$exe" "carries the time it was linked ($stamp)"
    sections=$("$objdump" -h "$exe")
    grep -q ' \.reloc ' <<<"$sections" || fail "$exe" "no relocations: ASLR cannot move it"
    # A section is writable unless READONLY; CODE marks it executable.
    writable_code=$(grep -A1 -E '^ +[0-9]+ ' <<<"$sections" | grep 'CODE' | grep -v 'READONLY' || true)
    [ -z "$writable_code" ] || fail "$exe" "a section is both writable and executable"
    if [ "$copy" != "$exe" ]; then
        # The copy must be of the same program: stripping leaves the code alone.
        text_size() { awk '$2 == ".text" { print $3 }'; }
        [ "$("$objdump" -h "$copy" | text_size)" = "$(text_size <<<"$sections")" ] ||
            fail "$exe" "$copy is not of the same program (its code differs)"
    fi
    # The posix runtime brings winpthread in; its symbols stay in the copy.
    posix_threads=$("$objdump" -t "$copy" | grep -E '[ _]pthread_(mutex_lock|key_create|once)$' || true)
    [ -z "$posix_threads" ] || fail "$exe" "carries winpthread: linked against the posix-thread-model runtime"
    check_stack_protection "$copy" "$exe"
    check_no_build_folders "$exe" "$exe"
    [ "$copy" = "$exe" ] || check_no_build_folders "$copy" "$exe"
    case "$(basename "$exe")" in
    setup.exe)
        grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "$exe" "not a GUI program"
        # The shell and the multimedia library are loaded by the first call
        # that needs them: neither is needed before the finish page.
        late=$(grep 'DLL Name:' <<<"$headers" | grep -iE 'shell32|winmm' || true)
        [ -z "$late" ] || fail "$exe" "loads at start what it needs only later: $late"
        ;;
    esac
    checked=$((checked + 1))
done
[ $checked -gt 0 ] || fail "check_executables" "nothing to check"
[ $status -eq 0 ] && echo "$checked executables and libraries self-contained and hardened"
exit $status
