#!/usr/bin/env bash
# End to end, as a user: start the real program in an X server (Xvfb) and
# quit it half a second later, during the splash: it must end within 2 s.
# Start it again, click the welcome picture, move the calendar (preset to 10 November 2000)
# one month on with its "Mois suiv." button and validate 10 December 2000,
# take a screenshot, check that coastline and boat pixels are there,
# quit with the menu's accelerator and expect a clean exit.
# The X server runs with -noreset: by default Xvfb resets when its last
# client leaves (the first program quitting), and a program starting during
# the reset cannot connect ("could not connect to display"), which failed
# this test about one run in six.
# Usage: e2e_xvfb.sh PROGRAM_DIR OUTPUT_DIR
set -u
prog_dir=$1
out=$2
for t in xvfb-run xdotool import convert; do
  command -v "$t" >/dev/null || { echo "$t absent: skipped"; exit 77; }
done
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

cat > "$out/scenario.sh" <<'SCEN'
#!/usr/bin/env bash
set -u
cd "$1"
attend() {  # waits for a window whose name matches, up to 10 s
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Quit during the splash's two seconds.
./orvalis > "$2/sortie-splash.txt" 2>&1 &
pid=$!
main=$(attend "Orvalis 2000 - 2001 V") || { echo "no main window"; kill $pid; exit 1; }
sleep 0.5
xdotool windowfocus "$main" 2>/dev/null; xdotool key alt+q
for _ in $(seq 20); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
if kill -0 $pid 2>/dev/null; then echo "still running 2 s after Quitter during the splash"; kill -9 $pid; exit 1; fi
wait $pid
echo "splash quit: exit $?"

./orvalis > "$2/sortie.txt" 2>&1 &
pid=$!
main=$(attend "Orvalis 2000 - 2001 V") || { echo "no main window"; kill $pid; exit 1; }
sleep 2.6   # the splash stays two seconds
xdotool mousemove 300 300 click 1
cal=$(attend "lectionner une date") || { echo "no calendar"; kill $pid; exit 1; }
xdotool windowfocus "$cal" 2>/dev/null; sleep 0.5
xdotool key alt+s; sleep 0.3
import -window root "$2/calendrier.png"
xdotool key Return
jour=$(attend "Positions des concurrents le") || { echo "no day in the caption"; kill $pid; exit 1; }
echo "caption: $(xdotool getwindowname "$jour")"
sleep 1
import -window root "$2/ecran.png"
xdotool windowfocus "$main" 2>/dev/null; sleep 0.3
xdotool key alt+q
for _ in $(seq 100); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
if kill -0 $pid 2>/dev/null; then echo "the program did not quit"; kill -9 $pid; exit 1; fi
wait $pid
echo "exit $?"
SCEN
chmod +x "$out/scenario.sh"
XDG_CONFIG_HOME=$config LANGUAGE=fr timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$out/scenario.sh" "$prog_dir" "$out" > "$out/journal.txt" 2>&1
rc=$?
cat "$out/journal.txt"
[ $rc -eq 0 ] || { echo "scenario failed ($rc)"; exit 1; }
grep -q '^exit 0$' "$out/journal.txt" || { echo "unclean exit"; exit 1; }

# Pixels: boats (white names and 10-15 knot speed lines on the dark sea)
# and coastline dots (0x0078F0: orange, South Africa on that day).
grep -q '^splash quit: exit 0$' "$out/journal.txt" || { echo "unclean exit after quitting during the splash"; exit 1; }
grep -q "^caption: Orvalis 2000-2001. Positions des concurrents le Dimanche 10 DECEMBRE  2000 <> 31 ème jour de course$" \
  "$out/journal.txt" || { echo "10 December 2000 (day 31) not in the caption"; exit 1; }
hist=$(convert "$out/ecran.png" -format %c histogram:info:-)
blanc=$(echo "$hist" | grep -i '#FFFFFF' | awk '{s+=$1} END {print s+0}')
cote=$(echo "$hist" | grep -i '#F07800' | awk '{s+=$1} END {print s+0}')
echo "boat pixels (white): $blanc, coastline pixels: $cote"
[ "$blanc" -ge 200 ] || { echo "too few boat pixels"; exit 1; }
[ "$cote" -ge 300 ] || { echo "too few coastline pixels"; exit 1; }
echo "e2e ok"
