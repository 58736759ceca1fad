#!/usr/bin/env bash
# Builds Quelby and runs every test (unit, window and desktop smoke tests), on the SQLite
# file and, for the tests marked for both engines, on a throwaway PostgreSQL server of
# its own (started in a temporary folder, listening only on a socket there, stopped
# afterwards). Without the server's programs the PostgreSQL pass is skipped, said so.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
server_dir=$(mktemp -d /tmp/quelby-pg.XXXXXX)
chmod 755 "$server_dir"
stop_server() { ./scripts/pg-server.sh stop "$server_dir"; }
if QUELBY_PG_SERVER=$(./scripts/pg-server.sh start "$server_dir"); then
  trap stop_server EXIT
  export QUELBY_PG_SERVER
  echo "== PostgreSQL pass on the throwaway server: $QUELBY_PG_SERVER"
  ctest --test-dir build --output-on-failure -j"$(nproc)"
else
  rmdir "$server_dir" 2>/dev/null || true
  echo "== PostgreSQL pass SKIPPED: no server could be started (package postgresql); SQLite pass only"
  ctest --test-dir build --output-on-failure -j"$(nproc)" -LE postgres
fi
