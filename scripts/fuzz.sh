#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each of them.
#   bash scripts/fuzz.sh [SECONDS]   every target over its corpus, then SECONDS (default 60)
#                                    of new inputs each; new inputs that reach new code are
#                                    added to fuzz/corpus/<target>/
#   bash scripts/fuzz.sh --ci        the corpus as a regression test and 20 seconds of new
#                                    inputs each, into a scratch copy of the corpus
# A crash, hang, leak or sanitizer report is kept as fuzz/crashes/<target>-<input> with its
# stack beside it (.txt), and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
SECONDS_EACH="${1:-60}"
CI=0
if [ "$SECONDS_EACH" = "--ci" ]; then
  CI=1
  SECONDS_EACH=20
fi
CC="${FUZZ_CC:-clang-14}"
CXX="${FUZZ_CXX:-clang++-14}"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER="$CC" \
  -DCMAKE_CXX_COMPILER="$CXX" -DPLAZARO_FUZZ=ON -DPLAZARO_TESTS=OFF -DPLAZARO_BENCH=OFF \
  -DPLAZARO_WITH_SDL=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_all

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:symbolize=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p fuzz/crashes
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failed=()
for program in "$ROOT"/build-fuzz/fuzz-bin/fuzz_*; do
  name="$(basename "$program")"
  target="${name#fuzz_}"
  corpus="$ROOT/fuzz/corpus/$target"
  dict=()
  case "$target" in
    command) dict=(-dict="$ROOT/fuzz/dict/command.dict") ;;
    mci_cdaudio) dict=(-dict="$ROOT/fuzz/dict/mci.dict") ;;
  esac
  log="$scratch/$target.log"
  # The corpus once, as a regression test: every input must run clean.
  if ! "$program" "${dict[@]}" -runs=0 "$corpus" >"$log" 2>&1 ||
     ! "$program" "$corpus"/* >>"$log" 2>&1; then
    echo "fuzz: $target fails on its corpus"
    tail -n 40 "$log"
    failed+=("$target")
    continue
  fi
  # New inputs: into a scratch copy of the corpus on CI, into the corpus itself otherwise.
  work="$corpus"
  if [ "$CI" = 1 ]; then
    work="$scratch/corpus-$target"
    mkdir -p "$work"
  fi
  if "$program" "${dict[@]}" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
       -max_len=8192 -artifact_prefix="$ROOT/fuzz/crashes/$target-" -print_final_stats=1 \
       "$work" "$corpus" >"$log" 2>&1; then
    runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')"
    echo "fuzz: $target: $SECONDS_EACH s, $runs executions, no fault"
  else
    echo "fuzz: $target: FAULT"
    for artifact in fuzz/crashes/"$target"-*; do
      [ -f "$artifact" ] && [ "${artifact%.txt}" = "$artifact" ] && [ ! -f "$artifact.txt" ] && cp "$log" "$artifact.txt"
    done
    tail -n 60 "$log"
    failed+=("$target")
  fi
done
if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzz: faults in: ${failed[*]} (inputs and stacks under fuzz/crashes/)"
  exit 1
fi
