#!/usr/bin/env bash
# A Wine prefix that cannot be made stops make-prefix with Wine's own words,
# and leaves nothing marked as ready. The tree's prefix folder belongs to
# another user, which Wine refuses whatever the architecture.
# usage: make_prefix_failure_test.sh SOURCE ARCH
set -uo pipefail
root=$1 arch=$2
if [ "$(id -u)" -ne 0 ]; then
    echo "needs root to hand a folder to another user"
    exit 77
fi
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
echo "$arch" >"$tree/target-arch"
mkdir -p "$tree/wine"
chown nobody "$tree/wine"

output=$("$root/scripts/wine/make-prefix" "$tree" 2>&1)
status=$?
echo "$output"
failed=0
[ $status -ne 0 ] || { echo "FAILED: make-prefix succeeded"; failed=1; }
grep -q "is not owned by you" <<<"$output" || { echo "FAILED: Wine's own message is not shown"; failed=1; }
[ ! -e "$tree/wine/prefix/.lirvo-ready" ] || { echo "FAILED: the prefix is marked as ready"; failed=1; }
[ $failed -eq 0 ] && echo "1 passed, 0 failed"
exit $failed
