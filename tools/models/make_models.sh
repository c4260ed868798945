#!/usr/bin/env bash
# Writes the relay-model databases from their JSON descriptions:
#   fixtures/*.json -> tests/data/Models/*.mdb   (the tests' databases)
#   sample/*.json   -> resources/Models/*.mdb    (the sample shipped in Models/)
# The .mdb files are committed; run this after editing a description.
# mkmdb.py (a small Jet4 writer whose files libmdb reads) is taken from
# MKMDB, by default the shared tools folder beside the repository (or
# beside the folder of worktrees).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
mkmdb="${MKMDB:-}"
if [ -z "$mkmdb" ]; then
  for c in "$root/../shared/tools/jet4/mkmdb.py" "$root/../../shared/tools/jet4/mkmdb.py"; do
    [ -f "$c" ] && mkmdb="$c" && break
  done
fi
[ -n "$mkmdb" ] || { echo "mkmdb.py not found: set MKMDB" >&2; exit 1; }
make_all() {
  local from="$1" to="$2"
  mkdir -p "$to"
  for j in "$from"/*.json; do
    python3 "$mkmdb" "$j" "$to/$(basename "${j%.json}").mdb"
  done
}
make_all "$here/fixtures" "$root/tests/data/Models"
make_all "$here/sample" "$root/resources/Models"
