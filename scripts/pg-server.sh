#!/usr/bin/env bash
# A throwaway PostgreSQL server for the tests: `pg-server.sh start DIR` makes a cluster in
# DIR (initdb), starts it listening only on a socket in DIR, and prints the connection
# string of its maintenance database; `pg-server.sh stop DIR` stops it and removes DIR.
# Run as root, the server runs as the `postgres` user (initdb refuses root).
set -euo pipefail
action=${1:?start or stop}
dir=${2:?folder}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1 || true)
[ -n "$bin" ] && [ -x "$bin/initdb" ] || { echo "no PostgreSQL server binaries (package postgresql)" >&2; exit 2; }
as_owner=()
if [ "$(id -u)" -eq 0 ]; then as_owner=(runuser -u postgres --); fi
case "$action" in
start)
  mkdir -p "$dir"
  [ "$(id -u)" -eq 0 ] && chown postgres "$dir"
  "${as_owner[@]}" "$bin/initdb" -D "$dir/data" -U quelby --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1
  "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
    -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
    start >/dev/null
  echo "host=$dir user=quelby dbname=postgres"
  ;;
stop)
  [ -d "$dir/data" ] && "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
  rm -rf "$dir"
  ;;
*) echo "usage: $0 start|stop DIR" >&2; exit 1 ;;
esac
