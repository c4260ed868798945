#!/usr/bin/env bash
# Writes OUT/fonts.conf: a fontconfig that sees only the files of the font
# packages named in scripts/font-packages (linked into OUT/files), with the
# system's alias rules of /etc/fonts/conf.d, so that every machine renders the
# tests with the same faces. Then checks that the faces the program names
# resolve to the declared metric-compatible fonts, and exits 1 naming what is
# missing otherwise. With --check, only checks an OUT written before.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
check_only=0
if [ "${1:-}" = --check ]; then
  check_only=1
  shift
fi
out=${1:?usage: test-fonts.sh [--check] OUT-FOLDER}
mkdir -p "$out"
out=$(cd "$out" && pwd)

write_config() {
  local missing=() pkg files f
  rm -rf "$out/files"
  mkdir -p "$out/files" "$out/cache"
  while read -r pkg; do
    case "$pkg" in '' | '#'*) continue ;; esac
    if ! files=$(dpkg-query -L "$pkg" 2>/dev/null); then
      missing+=("$pkg")
      continue
    fi
    while read -r f; do
      case "$f" in
        *.ttf | *.otf | *.TTF | *.OTF) if [ -f "$f" ]; then ln -sf "$f" "$out/files/${f##*/}"; fi ;;
      esac
    done <<<"$files"
  done <"$here/scripts/font-packages"
  cat >"$out/fonts.conf.part" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<!-- Written by scripts/test-fonts.sh: only the declared font packages. -->
<fontconfig>
  <dir>$out/files</dir>
  <cachedir>$out/cache</cachedir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
</fontconfig>
CONF
  mv "$out/fonts.conf.part" "$out/fonts.conf"
  FONTCONFIG_FILE="$out/fonts.conf" fc-cache "$out/files" >/dev/null 2>&1 || true
  if [ ${#missing[@]} -gt 0 ]; then
    echo "test-fonts: font packages not installed: ${missing[*]} (scripts/setup.sh installs them)" >&2
    return 1
  fi
}

status=0
if [ $check_only = 1 ]; then
  [ -f "$out/fonts.conf" ] || { echo "test-fonts: $out/fonts.conf not written (configure the build)" >&2; exit 1; }
else
  write_config || status=1
fi
export FONTCONFIG_FILE="$out/fonts.conf"
# face the program names : family it must resolve to
for pair in "Arial:Liberation Sans" "Times New Roman:Liberation Serif" \
            "Courier New:Liberation Mono" "Courier:Liberation Mono" "Sans Serif:DejaVu Sans"; do
  asked=${pair%%:*}
  want=${pair#*:}
  got=$(fc-match -f '%{family[0]}' "$asked")
  if [ "$got" != "$want" ]; then
    echo "test-fonts: \"$asked\" resolves to \"$got\", not \"$want\" (are the packages of scripts/font-packages installed?)" >&2
    status=1
  fi
done
exit $status
