#!/usr/bin/env bash
# Installs what is missing, then builds and tests, warnings as errors everywhere:
# - a clang build of everything (tests, fuzz replays, benchmarks) under AddressSanitizer (leaks
#   too) and UndefinedBehaviorSanitizer, with clang's float-cast-overflow and integer-truncation
#   checks, every report fatal; every test runs;
# - a plain gcc build with the benchmarks (compiled, not run), whose every test runs;
# - a clang build under ThreadSanitizer of the tests of the engine (the picture-decoding worker,
#   the sound and music streams), the HTTP clients with libcurl's set-up and the world scores
#   (the internet thread), which run.
# Every test gets one try: a test that fails once fails the run. Each test's time limit is the
# one its executable's CMake sets (tests/*/CMakeLists.txt), scaled for the sanitizer builds. The
# fuzz targets' corpora and kept findings are replayed by CTest in the first two builds
# (FuzzReplay.*). A stage that fails, or that finds no test to run, fails the run, but the later
# stages still build and run; the last lines name every stage that failed. The build folders lie
# inside this checkout; each stage's time is printed as it ends.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh || exit 1

# QW_JOBS: fewer jobs than cores, on a machine shared with other work.
jobs=${QW_JOBS:-$(nproc)}
started=$SECONDS
failed=()
# Runs a stage, says how long it took and notes it when it fails.
stage() {
  local name=$1 start=$SECONDS
  shift
  if "$@"; then
    echo "== ${name}: $((SECONDS - start)) s"
  else
    echo "== ${name}: FAILED after $((SECONDS - start)) s"
    failed+=("$name")
    return 1
  fi
}
# --fresh: each folder is configured with exactly these options (and compiler), whatever an
# earlier configuration left in its cache.
configure() {
  local dir=$1
  shift
  cmake --fresh -S . -B "$dir" -G Ninja -DQW_WERROR=ON "$@"
}
build() {
  local dir=$1
  shift
  cmake --build "$dir" -j "$jobs" "$@"
}
run_tests() {
  local dir=$1
  shift
  (cd "$dir" && ctest --output-on-failure --no-tests=error -j "$jobs" "$@")
}

CC=clang CXX=clang++ stage "build-asan: configure" \
  configure build-asan -DCMAKE_BUILD_TYPE=Debug -DQW_SANITIZE=ON -DQW_BENCHMARKS=ON &&
  stage "build-asan: build" build build-asan &&
  stage "build-asan: tests" run_tests build-asan

stage "build-test: configure" configure build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQW_BENCHMARKS=ON &&
  stage "build-test: build" build build-test &&
  stage "build-test: tests" run_tests build-test

tsan_tests=(EngineTests HttpTests WorldScoresTests)
CC=clang CXX=clang++ stage "build-tsan: configure" \
  configure build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQW_TSAN=ON &&
  stage "build-tsan: build" build build-tsan --target "${tsan_tests[@]}" &&
  stage "build-tsan: tests" run_tests build-tsan -L "^($(IFS='|'; echo "${tsan_tests[*]}"))\$"

echo "== all: $((SECONDS - started)) s"
if [ ${#failed[@]} -gt 0 ]; then
  echo "== failed stages:"
  printf '==   %s\n' "${failed[@]}"
  exit 1
fi
