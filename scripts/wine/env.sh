# Sourced with LIRVO_BUILD set to a build tree: the Wine settings every run of
# the project's programs uses. The prefix and the HOME that Wine maps the
# desktop to both live in the build tree, so nothing leaks into the host. A
# 32-bit tree gets a win32 prefix and Wine's 32-bit loader; the 64-bit twin a
# win64 prefix and the 64-bit loader, which needs no 32-bit support at all.
: "${LIRVO_BUILD:?LIRVO_BUILD must name the build tree}"
. "$(dirname "${BASH_SOURCE[0]}")/../arch.sh"
LIRVO_TREE_ARCH=$(lirvo_tree_arch "$LIRVO_BUILD")
export LIRVO_WINE_LOADER
LIRVO_WINE_LOADER=$(lirvo_wine_loader "$LIRVO_TREE_ARCH")
case "$LIRVO_TREE_ARCH" in
i686) export WINEARCH=win32 ;;
x86_64) export WINEARCH=win64 WINELOADER=$LIRVO_WINE_LOADER ;;
esac
case ":$PATH:" in
*":$LIRVO_ROOT/scripts/wine/bin:"*) ;;
*) export PATH="$LIRVO_ROOT/scripts/wine/bin:$PATH" ;;
esac
export WINEPREFIX="$LIRVO_BUILD/wine/prefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export HOME="$LIRVO_BUILD/wine/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
# ANSI code page 936: the program's texts are GBK.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
