#!/usr/bin/env bash
# Installs what building and testing VESDRA needs on Debian 12 (run as root).
# Only missing packages are installed.
set -euo pipefail
# clang builds the sanitizer run; its sanitizer and libFuzzer runtimes are
# only recommended by it, so they are named. clang-format checks the layout.
# openbox (and libx11-dev, to ask it as a task bar does): the window tests
# run the program's boxes and dialogs under a real window manager on Xvfb.
PKGS=(g++ clang libclang-rt-14-dev clang-format cmake ninja-build pkg-config
      qt6-base-dev libgl1-mesa-dev qt6-translations-l10n
      libgtest-dev libgmock-dev libbenchmark-dev
      mdbtools-dev
      poppler-utils xvfb xauth fontconfig locales
      openbox libx11-dev)
# The fonts the layouts are measured against (the tests see only these).
here=$(cd "$(dirname "$0")/.." && pwd)
while read -r pkg; do
  case "$pkg" in '' | '#'*) ;; *) PKGS+=("$pkg") ;; esac
done <"$here/scripts/font-packages"
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests run the readers and the read-outs under the locales of the
# program's users (Spanish, German: "," as the decimal point) beside C, and
# scripts/test.sh runs every test program once under es_ES.UTF-8; a test
# that needs one of them fails, naming it, where it is missing.
LOCALES=(es_ES.UTF-8 de_DE.UTF-8)
absent=()
for l in "${LOCALES[@]}"; do
  locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" || absent+=("$l")
done
if [ ${#absent[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing locales: ${absent[*]} (run as root to generate them)" >&2
    exit 1
  fi
  for l in "${absent[@]}"; do
    # Kept in locale.gen, so a later locale-gen keeps it.
    grep -qx "$l UTF-8" /etc/locale.gen || sed -i "s/^# *\($l UTF-8\)\$/\1/" /etc/locale.gen
    grep -qx "$l UTF-8" /etc/locale.gen || echo "$l UTF-8" >>/etc/locale.gen
  done
  locale-gen >/dev/null
fi
