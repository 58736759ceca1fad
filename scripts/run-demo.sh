#!/usr/bin/env bash
# Builds Quelby, creates a demo plant database beside the executable (only when none is
# there), writes config.txt naming it, and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
bin="$PWD/build/bin"
if [ ! -f "$bin/demo.db" ]; then
  "$bin/quelby-admin" demo "$bin/demo.db"
fi
if [ ! -f "$bin/config.txt" ]; then
  printf 'Quelby configuration\nDatabase,"%s"\n' "$bin/demo.db" > "$bin/config.txt"
fi
exec "$bin/quelby"
