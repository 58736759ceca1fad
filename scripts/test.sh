#!/usr/bin/env bash
# Builds Quelby and runs every test (unit, window and desktop smoke tests).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"
