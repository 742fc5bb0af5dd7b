#!/usr/bin/env bash
# Long games of random player actions with the city's invariants checked every year:
#   bash scripts/soak.sh [YEARS] [SEEDS]     e.g. bash scripts/soak.sh 200 "1 2 3 4 5"
# Builds the soak program into build/ when needed; stops at the first seed that fails,
# printing the seed, the year and the action, and the log of every action.
set -euo pipefail
cd "$(dirname "$0")/.."
YEARS="${1:-20}"
SEEDS="${2:-1 2}"
if [ ! -x build/tests-bin/plazaro_soak ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$(nproc)" --target plazaro_soak
fi
for seed in $SEEDS; do
  build/tests-bin/plazaro_soak --seed "$seed" --years "$YEARS"
done
