#!/usr/bin/env bash
# The generator and the archive packer give the same bytes from the same
# inputs: two fresh runs agree with each other and with what the build
# embedded. usage: generator_is_reproducible.sh SOURCE GENERATED NAME=FILE...
# (the payload archive's entries, as the build packs them)
set -euo pipefail
source=$1 generated=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for run in first second; do
    /usr/bin/python3 "$source/tools/generate_resources.py" "$source/resources/texts.json" "$work/$run"
    /usr/bin/python3 "$source/tools/pack_payload.py" "$work/$run/payload.zip" "$@"
done
status=0
for file in builtin_skin.qxskin setup_skin.qxskin welcome.png selection.png install.png finish.png payload.zip; do
    cmp -s "$work/first/$file" "$work/second/$file" || { echo "$file differs between two runs"; status=1; }
    cmp -s "$work/first/$file" "$generated/$file" || { echo "$file differs from the embedded one"; status=1; }
done
[ $status -eq 0 ] && echo "7 files reproduced byte for byte"
exit $status
