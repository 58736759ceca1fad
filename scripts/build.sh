#!/usr/bin/env bash
# Configures and builds Quelby (application, tools and tests) into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
"./scripts/install-deps.sh"
. ./scripts/ccache-env.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
