#!/bin/sh
# Builds the benchmark, makes the plant of ten years' history (2000 customers, 3000 styles,
# 36000 style components and operations, 100000 orders with 600000 lines, shipments,
# invoices, payments) and prints the data layer's table against bare SQLite.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELBY_BUILD_BENCH=ON >/dev/null
cmake --build build -j2 --target quelby-admin quelby-databench
plant="${TMPDIR:-/tmp}/quelby-large-$$.db"
trap 'rm -f "$plant" "$plant-wal" "$plant-shm"' EXIT
build/bin/quelby-admin demo "$plant" --large 3000 100000
build/bin/quelby-databench "$plant"
