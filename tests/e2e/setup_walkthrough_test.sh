#!/usr/bin/env bash
# The setup program end to end, as a user runs it: real clicks on the real
# window (install, next, finish) with the default options, then a look at
# what the installation left in the test prefix. The prefix is first put back
# as a new one has it, so nothing can pass on an earlier run's state.
# usage: setup_walkthrough_test.sh SOURCE BUILD
set -uo pipefail
root=$1
build=$(cd "$2" && pwd)
LIRVO_BUILD=$build . "$root/scripts/wine/env.sh"
. "$root/scripts/xvfb.sh"
start_xvfb || exit 1
reader_pid=
cleanup() {
    # The reader that setup started: ended by its id, never by its name.
    [ -z "$reader_pid" ] || kill "$reader_pid" 2>/dev/null || true
    stop_xvfb
}
trap cleanup EXIT

"$root/scripts/wine/reset-install"
folder="$WINEPREFIX/drive_c/Program Files/LirvoPDF阅读器"
desktop_link="$HOME/Desktop/LirvoPDF阅读器.lnk"
start_menu=$(find "$WINEPREFIX/drive_c/users" -maxdepth 6 -type d -name 'Start Menu' | head -n1)
group="$start_menu/LirvoPDF阅读器"

passed=0
failed=0
check() {
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $what"
    fi
}
no_command() { ! wine reg query 'HKEY_CLASSES_ROOT\.pdf\Shell\Open\Command' /ve >/dev/null 2>&1 </dev/null; }
check "the reset left no association" no_command
check "the reset left no reader" test ! -e "$folder"

# Wine's helper processes and the reader outlive the walkthrough; they get a
# file, not the pipe our caller waits on.
log="$build/e2e-screenshots/walkthrough.log"
mkdir -p "$(dirname "$log")"
"$root/scripts/walkthrough" "$build" "$build/e2e-screenshots" >"$log" 2>&1 </dev/null
status=$?
cat "$log"
check "setup ends with exit code 0 after the finish click" test "$status" -eq 0
moved=$(sed -n 's/^window moved from \([0-9]*\),\([0-9]*\) to \([0-9]*\),\([0-9]*\)$/\1 \2 \3 \4/p' "$log")
read -r x0 y0 x1 y1 <<<"${moved:-0 0 0 0}"
check "dragging the caption moved the window by (60, 40), it was at $x0,$y0 and is at $x1,$y1" \
    test "$((x1 - x0))" -eq 60 -a "$((y1 - y0))" -eq 40
check "the walkthrough names the default folder as where the reader went" \
    grep -qF 'reader installed in: C:\Program Files\LirvoPDF阅读器\ (' "$log"
for file in LirvoPDF阅读器.exe 卸载.exe LirvoCore.dll LirvoMenu.dll LirvoPanel.dll LirvoUi.dll LirvoView.dll; do
    check "$file installed" test -s "$folder/$file"
done
check "ins.zip removed at the finish" test ! -e "$folder/ins.zip"
check "desktop shortcut (ticked by default)" test -s "$desktop_link"
check "start-menu shortcut" test -s "$group/LirvoPDF阅读器.lnk"
check "uninstaller shortcut" test -s "$group/卸载.lnk"
command=$(wine reg query 'HKEY_CLASSES_ROOT\.pdf\Shell\Open\Command' /ve 2>/dev/null </dev/null | iconv -f GBK -t UTF-8 -c)
check ".pdf opens with the installed reader" grep -q 'C:\\Program Files\\LirvoPDF阅读器\\LirvoPDF阅读器.exe" "%1"' <<<"$command"

# "Run the reader now" is ticked by default: the reader's window appears.
reader=
for _ in $(seq 100); do
    reader=$(xdotool search --all --onlyvisible --name '^LirvoPDF阅读器( - .*)?$' 2>/dev/null | head -n1 || true)
    [ -n "$reader" ] && break
    sleep 0.1
done
check "the reader was started" test -n "$reader"
[ -z "$reader" ] || reader_pid=$(xdotool getwindowpid "$reader" 2>/dev/null || true)
check "the reader's window belongs to a running process" test -n "$reader_pid"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
