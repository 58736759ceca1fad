#!/usr/bin/env bash
# The whole CI run: the build and every test, then the Debian package (lintian, the
# installed programs run from an unpacked root). The sanitizer build with the portable
# platform (scripts/sanitize.sh) is run by hand until its whole suite has been seen green.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
./scripts/test.sh
echo "== tests: $((SECONDS - start)) s"
./scripts/package.sh
echo "== package: $((SECONDS - start)) s"
