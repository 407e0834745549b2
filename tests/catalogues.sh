#!/usr/bin/env bash
# The translation catalogues are complete: lupdate run over every source
# into a copy of them changes nothing (no text of the sources is missing
# or left over), and the English catalogue has no entry waiting for its
# translation. The tracked catalogues are never rewritten here.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
copie=$(mktemp -d)
trap 'rm -rf "$copie"' EXIT
cp "$racine"/i18n/orvalis_en.ts "$racine"/i18n/orvalis_fr.ts "$copie"/
"$racine"/tools/catalogues.sh "$copie"
statut=0
for ts in orvalis_en.ts orvalis_fr.ts; do
  if ! diff -u "$racine/i18n/$ts" "$copie/$ts"; then
    echo "i18n/$ts is not up to date with the sources: run tools/catalogues.sh, then translate what it adds." >&2
    statut=1
  fi
done
if grep -n 'type="\(unfinished\|obsolete\|vanished\)"' "$copie"/orvalis_en.ts "$copie"/orvalis_fr.ts >&2; then
  echo "Entries above are untranslated or obsolete." >&2
  statut=1
fi
exit $statut
