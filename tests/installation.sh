#!/usr/bin/env bash
# The installed program: cmake --install into a temporary root, run from
# another directory with a fresh HOME; the desktop entry, the AppStream
# metadata and the Debian package checked by their own validators.
#   tests/installation.sh BUILD_DIR
set -euo pipefail
construction=$(cd "$1" && pwd)
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
echoue() { echo "ÉCHEC : $*" >&2; exit 1; }

racine=$t/racine
DESTDIR=$racine cmake --install "$construction" --prefix /usr >/dev/null
prog=$racine/usr/bin/orvalis
[ -x "$prog" ] || echoue "programme non installé"

# From elsewhere, with a HOME of its own and no XDG overrides.
mkdir -p "$t/ailleurs" "$t/home"
lance() { (cd "$t/ailleurs" && env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$t/home" \
           QT_QPA_PLATFORM=offscreen "$prog" "$@"); }

sortie=$(lance --classement 12/11/2000) || echoue "--classement installé"
grep -q '^1  Lammorin' <<<"$sortie" || echoue "--classement : pas de Lammorin premier"
lance --png "$t/jour.png" --date 12/11/2000 >/dev/null 2>&1 || echoue "--png --date installé"
[ "$(head -c 8 "$t/jour.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || echoue "--png : pas un PNG"

# A day file in the user's folder is read before the shipped one.
perso=$t/home/.local/share/orvalis
mkdir -p "$perso"
sed 's/Lammorin/Persolin/' "$racine/usr/share/orvalis/121100.txt" >"$perso/121100.txt"
sortie=$(lance --classement 12/11/2000) || echoue "--classement avec le fichier de l'utilisateur"
grep -q '^1  Persolin' <<<"$sortie" || echoue "le fichier du jour de l'utilisateur n'est pas lu d'abord"
# The shipped data stay untouched.
grep -q Lammorin "$racine/usr/share/orvalis/121100.txt" || echoue "données livrées modifiées"

desktop-file-validate "$racine/usr/share/applications/org.orvalis.Orvalis.desktop"
appstreamcli validate --no-net "$racine/usr/share/metainfo/org.orvalis.Orvalis.metainfo.xml" >/dev/null

# The package: made by cpack in a folder of its own, then its contents and
# lintian's verdict.
(cd "$construction" && cpack -G DEB -B "$t/paquet" >/dev/null)
deb=$(ls "$t"/paquet/orvalis_*_amd64.deb)
contenu=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/orvalis ./usr/share/orvalis/lstmp.txt ./usr/share/orvalis/121100.txt \
         ./usr/share/orvalis/AIDEORVLS.html ./usr/share/orvalis/AIDEORVLS_en.html ./usr/share/applications/org.orvalis.Orvalis.desktop \
         ./usr/share/metainfo/org.orvalis.Orvalis.metainfo.xml \
         ./usr/share/icons/hicolor/48x48/apps/org.orvalis.Orvalis.png \
         ./usr/share/icons/hicolor/128x128/apps/org.orvalis.Orvalis.png \
         ./usr/share/icons/hicolor/scalable/apps/org.orvalis.Orvalis.svg \
         ./usr/share/man/man1/orvalis.1.gz ./usr/share/doc/orvalis/copyright; do
  grep -qxF "$f" <<<"$contenu" || echoue "$f manque au paquet"
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || echoue "dépendances non calculées"
verdict=$(lintian "$deb" 2>&1 | grep -v 'running with root privileges' || true)
if grep -q '^E:' <<<"$verdict"; then
  echo "$verdict" >&2
  echoue "lintian signale des erreurs"
fi
echo "installation : tout va bien ($(basename "$deb"))"
