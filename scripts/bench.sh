#!/bin/sh
# The plant-scale benchmark. Builds the harnesses, makes the plant of ten years' history
# (2,000 customers, 3,000 styles, 36,000 components, style components and operations,
# 100,000 orders with 600,000 lines, shipments, invoices, payments) and prints, in turn:
#  - the data layer's table against bare SQLite, then the windows' table;
#  - the scaling table: plants of 10,000, 100,000 and 300,000 orders, the windows' measures
#    on each side by side, with the target each must meet on the largest;
#  - on a throwaway PostgreSQL server (scripts/pg-server.sh, on a Unix socket) holding the
#    same plant, the data layer's table against bare libpq;
#  - the orders saved by one process alone and by two at once, on the file and the server.
# Installs its packages first.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELBY_BUILD_BENCH=ON >/dev/null
cmake --build build -j"$(nproc)" --target quelby-admin quelby-databench quelby-windowbench
plant="${TMPDIR:-/tmp}/quelby-large-$$.db"
small="${TMPDIR:-/tmp}/quelby-small-$$.db"
largest="${TMPDIR:-/tmp}/quelby-largest-$$.db"
server="${TMPDIR:-/tmp}/quelby-bench-pg-$$"
trap './scripts/pg-server.sh stop "$server"; for f in "$plant" "$small" "$largest"; do rm -f "$f" "$f-wal" "$f-shm"; done' EXIT
build/bin/quelby-admin demo "$plant" --large 3000 100000
echo
build/bin/quelby-databench "$plant"
echo
QT_QPA_PLATFORM=offscreen build/bin/quelby-windowbench "$plant"
echo
build/bin/quelby-admin demo "$small" --large 3000 10000
build/bin/quelby-admin demo "$largest" --large 3000 300000
echo
build/bin/quelby-windowbench --scaling "$small" "$plant" "$largest"
echo
# The server's own maintenance database holds the plant; the server is gone at the end.
address=$(./scripts/pg-server.sh start "$server")
build/bin/quelby-admin demo "$address" --large 3000 100000
echo
build/bin/quelby-databench "$address"
echo
build/bin/quelby-databench --saves 2000 "$plant" "$address"
