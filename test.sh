#!/usr/bin/env bash
# Installs what is missing, builds the game and its tests into build/, runs every
# test, then builds again with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs the whole suite there too.  Exits non-zero on any
# failure or sanitizer report.
set -euo pipefail
FW_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$FW_ROOT/tools/setup.sh"
fw_install_packages

jobs="$(fw_jobs)"

echo "== build (build/)"
fw_build "$FW_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== tests (build/)"
(cd "$FW_ROOT/build" && ctest --output-on-failure -j "$jobs")

echo "== build with sanitizers (build-asan/)"
fw_build "$FW_ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DFLEECEWICK_SANITIZE=ON
echo "== tests with sanitizers (build-asan/)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd "$FW_ROOT/build-asan" && ctest --output-on-failure -j "$jobs")
echo "== all tests passed"
