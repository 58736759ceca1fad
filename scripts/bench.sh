#!/bin/sh
# The plant-scale benchmark: builds the harnesses, makes the plant of ten years' history
# (2,000 customers, 3,000 styles, 36,000 components, style components and operations,
# 100,000 orders with 600,000 lines, shipments, invoices, payments) and prints the data
# layer's table against bare SQLite, then the windows' table. Then it starts a throwaway
# PostgreSQL server (scripts/pg-server.sh, on a Unix socket), makes the same plant there
# and prints the data layer's table against bare libpq, and last the orders saved by one
# process alone and by two at once, on the file and on the server. Installs its packages
# first.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELBY_BUILD_BENCH=ON >/dev/null
cmake --build build -j"$(nproc)" --target quelby-admin quelby-databench quelby-windowbench
plant="${TMPDIR:-/tmp}/quelby-large-$$.db"
server="${TMPDIR:-/tmp}/quelby-bench-pg-$$"
trap './scripts/pg-server.sh stop "$server"; rm -f "$plant" "$plant-wal" "$plant-shm"' EXIT
build/bin/quelby-admin demo "$plant" --large 3000 100000
echo
build/bin/quelby-databench "$plant"
echo
QT_QPA_PLATFORM=offscreen build/bin/quelby-windowbench "$plant"
echo
# The server's own maintenance database holds the plant; the server is gone at the end.
address=$(./scripts/pg-server.sh start "$server")
build/bin/quelby-admin demo "$address" --large 3000 100000
echo
build/bin/quelby-databench "$address"
echo
build/bin/quelby-databench --saves 2000 "$plant" "$address"
