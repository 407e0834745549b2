#!/usr/bin/env bash
# Rebuilds data/cartes/*.bdc and Terres.bin from the public sources. Needs npm, gmt and the
# gmt-gshhg packages (Debian 12); the program itself needs none of them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../../data/cartes}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! command -v gmt >/dev/null || [ ! -e /usr/share/gmt/coast/binned_GSHHS_f.nc ]; then
  sudo_=""; [ "$(id -u)" = 0 ] || sudo_=sudo
  $sudo_ apt-get install -y gmt gmt-gshhg-full gmt-gshhg-high gmt-gshhg-low
fi
(cd "$work" && npm init -y >/dev/null && npm install --no-audit --no-fund world-atlas@2.0.2 >/dev/null)
gmt coast -Rd -Di -A0/2/2 -W -M > "$work/lakes.txt"
gmt coast -R-6/3/44/49.5 -Df -A0/1/1 -W -M > "$work/france.txt"
python3 "$here/make_maps.py" --atlas "$work/node_modules/world-atlas" \
  --lakes "$work/lakes.txt" --france "$work/france.txt" --out "$out"
python3 "$here/make_land.py" --atlas "$work/node_modules/world-atlas" \
  --lakes "$work/lakes.txt" --france "$work/france.txt" --out "$out"
