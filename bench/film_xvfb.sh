#!/usr/bin/env bash
# Frame rate of the continuous film in the real window: an X server
# (Xvfb, 1920x1080), the window made 1600x1000, the race entered on its
# first day, the film started (Ctrl+L, 1 jour/s) and played for 10 s, then
# closed; the program prints the frames it drew and the longest gap
# between two (ORVALIS_CHRONO). FILM_CAPTURE=file.png keeps a screenshot of
# the last instant. Needs xvfb-run, xdotool (and ImageMagick's import).
set -euo pipefail
bin=$(cd "${1:-$(dirname "$0")/../build/bin}" && pwd)
secondes=${FILM_SECONDES:-10}
exec xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  cd "'"$bin"'"
  ORVALIS_CHRONO=1 ./orvalis 2> /tmp/film_xvfb.$$ & p=$!
  sleep 3
  w=$(xdotool search --name "Orvalis 2000" | head -1)
  xdotool windowsize "$w" 1600 1000 windowmove "$w" 0 0
  xdotool mousemove 500 500 click 1; sleep 1.5
  xdotool key Return; sleep 1.5
  xdotool mousemove 500 500 click 1; sleep 0.5
  xdotool key ctrl+l; sleep '"$secondes"'
  if [ -n "${FILM_CAPTURE:-}" ]; then import -window root "$FILM_CAPTURE"; fi
  xdotool getwindowgeometry "$w" | sed -n 3p
  xdotool key Escape; sleep 0.5
  kill $p; wait $p 2>/dev/null || true
  grep "^film" /tmp/film_xvfb.$$ || { echo "pas de film mesuré"; cat /tmp/film_xvfb.$$; exit 1; }
  rm -f /tmp/film_xvfb.$$'
