#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a plain build and one
# under AddressSanitizer and UndefinedBehaviorSanitizer. Warnings are errors here.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DQW_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
  # A display test that loses its X connection under heavy load gets one more try.
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 300 --repeat until-pass:2)
}

run_suite build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DQW_SANITIZE=ON
