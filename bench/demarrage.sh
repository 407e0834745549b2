#!/usr/bin/env bash
# Start-up to the first paint of the main window, in an X server (Xvfb):
# five runs, the program printing the time of its first paint.
set -euo pipefail
bin=${1:-$(dirname "$0")/../build/bin}
cd "$bin"
for k in 1 2 3 4 5; do
  xvfb-run -a -s "-screen 0 1920x1080x24" bash -c \
    'ORVALIS_CHRONO=1 ./orvalis 2>&1 & p=$!; sleep 1.5; kill $p' | grep 'premiere peinture'
done
