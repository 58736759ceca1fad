#!/bin/sh
# The plant-scale benchmark: builds the harnesses, makes the plant of ten years' history
# (2,000 customers, 3,000 styles, 36,000 components, style components and operations,
# 100,000 orders with 600,000 lines, shipments, invoices, payments) and prints the data
# layer's table against bare SQLite, then the windows' table. Installs its packages first.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELBY_BUILD_BENCH=ON >/dev/null
cmake --build build -j"$(nproc)" --target quelby-admin quelby-databench quelby-windowbench
plant="${TMPDIR:-/tmp}/quelby-large-$$.db"
trap 'rm -f "$plant" "$plant-wal" "$plant-shm"' EXIT
build/bin/quelby-admin demo "$plant" --large 3000 100000
echo
build/bin/quelby-databench "$plant"
echo
QT_QPA_PLATFORM=offscreen build/bin/quelby-windowbench "$plant"
