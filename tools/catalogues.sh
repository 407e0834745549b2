#!/usr/bin/env bash
# Brings the translation catalogues up to date with the sources: new texts
# arrive in i18n/orvalis_en.ts unfinished, for the translator; the French
# catalogue keeps only the plural forms. Run from anywhere:
#   tools/catalogues.sh            update the catalogues in i18n/
#   tools/catalogues.sh DIR        write them into DIR instead (the test's copy)
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-$(ls /usr/lib/qt6/bin/lupdate 2>/dev/null || command -v lupdate6 || command -v lupdate)}
dest=${1:-i18n}
sources=(app cli render formats race navigation chart)
"$lupdate" -silent -source-language fr -target-language en -locations none -no-obsolete "${sources[@]}" \
  -ts "$dest/orvalis_en.ts"
"$lupdate" -silent -source-language fr -target-language fr -pluralonly -locations none -no-obsolete "${sources[@]}" \
  -ts "$dest/orvalis_fr.ts"
