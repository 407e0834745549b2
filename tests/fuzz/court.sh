#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a short while
# (FUZZ_SECONDES, 30 by default) on a corpus seeded with the shipped files.
# Every crashing input found is kept in tests/fuzz/regressions/ (replayed by
# the unit tests).
set -euo pipefail
racine=$(cd "$(dirname "$0")/../.." && pwd)
secondes=${FUZZ_SECONDES:-30}
if ! command -v clang++ >/dev/null; then
  echo "clang++ absent: fuzzing skipped"; exit 0
fi
cmake -S "$racine/tests/fuzz" -B "$racine/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$racine/build-fuzz" -j2 >/dev/null
for cible in fuzz_jour fuzz_lieux; do
  corpus="$racine/build-fuzz/corpus-$cible"
  mkdir -p "$corpus" "$racine/build-fuzz/crashes"
  if [ "$cible" = fuzz_jour ]; then
    cp "$racine"/data/1[0-6]1100.txt "$corpus"/ 2>/dev/null || true
  else
    cp "$racine"/data/lst*.txt "$racine"/data/FIMPV.txt "$corpus"/
  fi
  echo "== $cible, ${secondes} s"
  "$racine/build-fuzz/$cible" -max_total_time="$secondes" -max_len=8192 \
    -artifact_prefix="$racine/build-fuzz/crashes/" "$corpus" 2>&1 | grep -E '^(Done|#[0-9]+ +DONE)|ERROR|SUMMARY' || true
  if ls "$racine/build-fuzz/crashes/" | grep -q .; then
    echo "fuzzing found crashing inputs in build-fuzz/crashes/"; exit 1
  fi
done
