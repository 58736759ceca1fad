#!/usr/bin/env bash
# The whole CI run: the build and every test, the Debian package (lintian, the installed
# programs run from an unpacked root), then the sanitizer build (AddressSanitizer and
# UndefinedBehaviorSanitizer) with the portable platform and every test again
# (scripts/sanitize.sh). Each stage prints the seconds since the start.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
./scripts/test.sh
echo "== tests: $((SECONDS - start)) s"
./scripts/package.sh
echo "== package: $((SECONDS - start)) s"
./scripts/sanitize.sh
echo "== sanitizers: $((SECONDS - start)) s"
