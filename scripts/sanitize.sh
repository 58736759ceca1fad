#!/usr/bin/env bash
# Builds Quelby with AddressSanitizer and UndefinedBehaviorSanitizer, taking the portable
# way of core/Platform (as a build for another system would), into build-sanitize/, and
# runs every test there. Any report fails the test it came from. Leaks are suppressed
# only where system libraries keep memory for the whole run (scripts/lsan.supp).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
. ./scripts/ccache-env.sh
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DQUELBY_SANITIZE=ON -DQUELBY_PORTABLE_PLATFORM=ON >/dev/null
cmake --build build-sanitize -j"$(nproc)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Each test's time limit is set by the build (three times the usual with QUELBY_SANITIZE).
# The PostgreSQL pass runs in scripts/test.sh; here the file engine alone.
ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)" -LE postgres
