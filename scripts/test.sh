#!/usr/bin/env bash
# Installs what is missing, then builds and tests, warnings as errors everywhere:
# - a clang build of everything (tests, fuzz replays, benchmarks), compiled only;
# - a plain gcc build with the benchmarks (compiled, not run), whose every test runs;
# - a gcc build under AddressSanitizer and UndefinedBehaviorSanitizer, whose every test runs.
# Every test gets one try: a test that fails once fails the run. The fuzz targets' corpora and
# kept findings are replayed by CTest in both test builds (FuzzReplay.*).
# The build folders lie inside this checkout.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
configure_and_build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DQW_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
}
run_suite() {
  local dir=$1; shift
  configure_and_build "$dir" "$@"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 300)
}

CC=clang CXX=clang++ configure_and_build build-clang -DCMAKE_BUILD_TYPE=Debug -DQW_BENCHMARKS=ON
run_suite build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQW_BENCHMARKS=ON
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DQW_SANITIZE=ON
