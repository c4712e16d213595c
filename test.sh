#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal
# build (warnings are errors) and an AddressSanitizer + UBSan build.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps

jobs=$(nproc)
run_suite() {
	local dir=$1; shift
	cmake -S . -B "$dir" -DZIB_WERROR=ON -DZIB_BENCH=ON "$@" >/dev/null
	cmake --build "$dir" -j"$jobs"
	ctest --test-dir "$dir" -j"$jobs" --output-on-failure
}

echo "== normal build =="
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DZIB_SANITIZE=ON -DZIB_BENCH=OFF
