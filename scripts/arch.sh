# Sourced: the two architectures the project builds for and what this
# machine can run. The shipped programs are 32-bit (i686); the 64-bit twin
# (x86_64) is the same sources built to run the suite where the kernel cannot
# execute 32-bit code.
#
#   lirvo_build_dir ARCH      the default build tree of ARCH
#   lirvo_toolchain ARCH      its CMake toolchain file
#   lirvo_wine_loader ARCH    Wine's loader for ARCH's programs
#   lirvo_can_run ARCH        true when Wine can start ARCH's programs here;
#                             otherwise false with the reason in LIRVO_WHY
#   lirvo_tree_arch BUILD     the architecture a configured build tree is for
LIRVO_ROOT=${LIRVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
LIRVO_ALL_ARCHS="i686 x86_64"
LIRVO_WHY=

lirvo_check_arch() {
    case "$1" in
    i686 | x86_64) return 0 ;;
    *)
        echo "unknown architecture '$1' (known: $LIRVO_ALL_ARCHS)" >&2
        return 1
        ;;
    esac
}

lirvo_build_dir() {
    case "$1" in
    i686) echo "$LIRVO_ROOT/build" ;;
    x86_64) echo "$LIRVO_ROOT/build-x86_64" ;;
    esac
}

lirvo_toolchain() { echo "$LIRVO_ROOT/cmake/toolchain-$1-mingw.cmake"; }

lirvo_wine_loader() {
    case "$1" in
    i686) echo /usr/lib/wine/wine ;;
    x86_64) echo /usr/lib/wine/wine64 ;;
    esac
}

lirvo_tree_arch() {
    local arch
    arch=$(cat "$1/target-arch" 2>/dev/null || true)
    echo "${arch:-i686}"
}

# Wine's loader is itself a program of the architecture it runs, so starting
# it is the real question: a kernel without 32-bit emulation refuses the
# 32-bit loader with "Exec format error" however Wine is built.
lirvo_can_run() {
    local loader output
    loader=$(lirvo_wine_loader "$1")
    LIRVO_WHY=
    if [ ! -x "$loader" ]; then
        LIRVO_WHY="$loader is not installed"
        return 1
    fi
    if ! output=$("$loader" --version 2>&1 </dev/null); then
        output=$(head -n1 <<<"$output")
        LIRVO_WHY="$loader does not start: ${output##*: }"
        return 1
    fi
    return 0
}

# The architecture to run one program on: LIRVO_ARCH when set, otherwise the
# shipped i686 where Wine can run it, else the 64-bit twin. Says so on
# standard error when it falls back to the twin; false when nothing can run.
lirvo_pick_arch() {
    if [ -n "${LIRVO_ARCH:-}" ]; then
        lirvo_check_arch "$LIRVO_ARCH" || return 1
        echo "$LIRVO_ARCH"
        return 0
    fi
    if lirvo_can_run i686; then
        echo i686
        return 0
    fi
    local why=$LIRVO_WHY
    if lirvo_can_run x86_64; then
        echo "this machine cannot run 32-bit programs ($why): using the 64-bit twin (x86_64)" >&2
        echo x86_64
        return 0
    fi
    echo "Wine can run neither 32-bit ($why) nor 64-bit programs ($LIRVO_WHY) here" >&2
    return 1
}
