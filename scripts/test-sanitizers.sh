#!/usr/bin/env bash
# Builds every library, program and test once more with the address, undefined-behaviour
# and leak sanitizers (stopping at the first report) into build-asan/, and runs the whole
# suite there. The benchmarks are left out: they measure, they do not check.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAZARO_SANITIZE=ON -DPLAZARO_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp"
cd build-asan && ctest --output-on-failure -j"$(nproc)"
