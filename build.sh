#!/usr/bin/env bash
# Set-up, build and run on Debian 12.
#   ./build.sh run    install what is missing, build (Release), start the viewer
#   ./build.sh test   install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")"
what=${1:-run}

pkgs=(build-essential cmake qt6-base-dev qt6-multimedia-dev libgtest-dev libbenchmark-dev
      fonts-liberation xvfb xauth x11-utils xdotool imagemagick clang libclang-rt-14-dev
      locales python3 gpsbabel gdal-bin qt6-translations-l10n qt6-l10n-tools qt6-tools-dev ffmpeg qt6-charts-dev libqt6opengl6-dev libgl-dev libgumbo-dev libquazip1-qt6-dev libexpat1-dev pkg-config
      desktop-file-utils appstream lintian file poppler-utils)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_=""; [ "$(id -u)" = 0 ] || sudo_=sudo
  echo "Installing: ${missing[*]}"
  $sudo_ apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y --no-install-recommends "${missing[@]}"
fi

# A French locale, for the tests of the number readers and of the ranking's
# decimal comma.
if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  sudo_=""; [ "$(id -u)" = 0 ] || sudo_=sudo
  $sudo_ localedef -i fr_FR -f UTF-8 fr_FR.UTF-8
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j2

case "$what" in
  run)
    # From the program's own directory, where the race archive lies.
    cd build/bin
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      echo "No display: the viewer runs inside Xvfb."
      exec xvfb-run -a -s "-screen 0 1280x1024x24" ./orvalis
    fi
    exec ./orvalis ;;
  test)
    # A short fuzz run of the file readers (about 30 s each, with clang),
    # then every test.
    tests/fuzz/court.sh
    ctest --test-dir build --output-on-failure -j2 ;;
  *)
    echo "usage: $0 run|test" >&2; exit 2 ;;
esac
