#!/usr/bin/env bash
# Sets up, builds and runs VESDRA from the build tree.
#   scripts/run.sh [record.dat [template.cnf]]
# With no record it opens the bundled sample record.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
build="$here/build"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target vesdra
exe="$build/vesdra/EXE/vesdra"
if [ $# -eq 0 ]; then
  set -- "$build/vesdra/Oscilos/muestra.dat" "$build/vesdra/Plantillas/muestra.cnf"
fi
# The program takes one command line: the data file, one blank, the template.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  exec xvfb-run -a "$exe" "$*"
fi
exec "$exe" "$*"
