#!/usr/bin/env bash
# Each data file is held whole, byte for byte, inside the program.
# usage: check_embedded.sh PROGRAM FILE...
set -euo pipefail
program=$1
shift
/usr/bin/python3 - "$program" "$@" <<'PY'
import pathlib, sys
program = pathlib.Path(sys.argv[1]).read_bytes()
missing = [name for name in sys.argv[2:] if pathlib.Path(name).read_bytes() not in program]
for name in missing:
    print(f"{sys.argv[1]} does not carry {name}")
print(f"{len(sys.argv) - 2 - len(missing)} of {len(sys.argv) - 2} files carried")
sys.exit(1 if missing else 0)
PY
