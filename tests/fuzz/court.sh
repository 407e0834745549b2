#!/usr/bin/env bash
# The sanitized build (clang, AddressSanitizer and UndefinedBehaviorSanitizer)
# in build-san/: runs the unit tests once there, then each fuzz target for a
# short while (FUZZ_SECONDES, 20 by default) on a corpus seeded with the
# shipped files. Every crashing input found is kept in build-san/crashes/;
# copy it to tests/fuzz/regressions/ (replayed by the unit tests).
set -euo pipefail
racine=$(cd "$(dirname "$0")/../.." && pwd)
secondes=${FUZZ_SECONDES:-20}
b="$racine/build-san"
if ! command -v clang++ >/dev/null; then
  echo "clang++ absent: sanitized build and fuzzing skipped"; exit 0
fi
cmake -S "$racine" -B "$b" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVALIS_FUZZ=ON -DORVALIS_BENCH=OFF -DORVALIS_WERROR=OFF >/dev/null
cibles=(fuzz_jour fuzz_lieux fuzz_reglages fuzz_carte fuzz_terres fuzz_jour_complet fuzz_page fuzz_profondeur fuzz_xls fuzz_xlsx fuzz_gpx fuzz_kml fuzz_csv)
if ! cmake --build "$b" -j2 --target orvalis_tests orvalis_tests_coeur "${cibles[@]}" > "$b/construction.log" 2>&1; then
  grep -E 'error|Error' "$b/construction.log" | head -n 40; echo "sanitized build failed"; exit 1
fi

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
echo "== unit tests, sanitized"
for t in orvalis_tests_coeur orvalis_tests; do
  if ! (cd "$b/bin" && QT_QPA_PLATFORM=offscreen ./$t --gtest_brief=1 > "$b/$t-san.log" 2>&1); then
    tail -n 60 "$b/$t-san.log"; echo "sanitized unit tests failed ($t)"; exit 1
  fi
  tail -n 2 "$b/$t-san.log"
done

mkdir -p "$b/crashes"
for cible in "${cibles[@]}"; do
  corpus="$b/corpus-$cible"
  mkdir -p "$corpus"
  case "$cible" in
    fuzz_jour|fuzz_jour_complet) cp "$racine"/data/1[0-6]1100.txt "$corpus"/ ;;
    fuzz_lieux) cp "$racine"/data/lst*.txt "$racine"/data/FIMPV.txt "$corpus"/ ;;
    fuzz_reglages) cp "$racine"/data/posorvls.ini "$corpus"/ ;;
    fuzz_carte) head -c 4096 "$racine"/data/cartes/Franceno.bdc > "$corpus/franceno-debut.bdc" ;;
    fuzz_terres) cp "$racine"/tests/donnees/terres.bin "$corpus"/ ;;
    fuzz_page|fuzz_profondeur) cp "$racine"/tests/donnees/*.html "$corpus"/ ;;
    fuzz_xls) cp "$racine"/tests/donnees/*.xls "$corpus"/ ;;
    fuzz_xlsx) cp "$racine"/tests/donnees/*.xlsx "$corpus"/ ;;
    fuzz_gpx|fuzz_kml|fuzz_csv) cp "$racine"/tests/donnees/flotte."${cible#fuzz_}" "$corpus"/ ;;
  esac
  # Workbooks are larger than day files: their seeds whole.
  case "$cible" in fuzz_xls|fuzz_xlsx) longueur=16384 ;; *) longueur=8192 ;; esac
  echo "== $cible, ${secondes} s"
  "$b/bin/$cible" -max_total_time="$secondes" -max_len=$longueur -timeout=10 \
    -artifact_prefix="$b/crashes/" "$corpus" 2>&1 | grep -E '^(Done|#[0-9]+ +DONE)|ERROR|SUMMARY' || true
  if ls "$b/crashes/" | grep -q .; then
    echo "fuzzing found crashing inputs in build-san/crashes/"; exit 1
  fi
done
