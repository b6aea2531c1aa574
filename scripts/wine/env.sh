# Sourced with LIRVO_BUILD set to a build tree: the Wine settings every run of
# the project's programs uses. The prefix and the HOME that Wine maps the
# desktop to both live in the build tree, so nothing leaks into the host.
: "${LIRVO_BUILD:?LIRVO_BUILD must name the build tree}"
export WINEPREFIX="$LIRVO_BUILD/wine/prefix"
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export HOME="$LIRVO_BUILD/wine/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
# ANSI code page 936: the program's texts are GBK.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
