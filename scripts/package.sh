#!/usr/bin/env bash
# Builds the Debian package from build/ (cpack -G DEB), checks it with lintian, unpacks
# it into a temporary root and runs the installed programs from there: the desktop smoke
# test, then quelby-admin demo and an order's paperwork.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/build.ninja ] || ./scripts/build.sh
. ./scripts/ccache-env.sh
cmake --build build -j"$(nproc)" --target quelby quelby-admin quelby_packaging_files
(cd build && cpack -G DEB >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb="build/quelby_${version}_amd64.deb"
[ -f "$deb" ] || { echo "FAIL: $deb was not made"; exit 1; }
echo "package: $deb"
dpkg-deb --info "$deb" | sed -n 's/^ \(Depends\|Installed-Size\|Version\):/  \1:/p'

# lintian: no error allowed; warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "lintian: no error"

root=$(mktemp -d); trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
for f in usr/bin/quelby usr/bin/quelby-admin usr/share/applications/quelby.desktop \
         usr/share/icons/hicolor/scalable/apps/quelby.svg usr/share/man/man1/quelby-admin.1.gz \
         usr/share/quelby/templates/crptOrder.xml; do
  [ -e "$root/$f" ] || { echo "FAIL: the package holds no /$f"; exit 1; }
done

bash tests/smoke/smoke.sh "$root/usr/bin/quelby" "$root/usr/bin/quelby-admin"

work="$root/work"; mkdir -p "$work"; chmod 700 "$work"
"$root/usr/bin/quelby-admin" demo "$work/plant.db"
order=$("$root/usr/bin/quelby-admin" query "$work/plant.db" "SELECT TOP 1 ID FROM Orders ORDER BY ID" | sed -n 2p)
XDG_RUNTIME_DIR="$work" "$root/usr/bin/quelby-admin" paperwork "$work/plant.db" "$order" --out "$work/paper" > "$work/files.txt"
count=$(wc -l < "$work/files.txt")
[ "$count" -gt 0 ] || { echo "FAIL: the installed quelby-admin printed no paperwork"; exit 1; }
"$root/usr/bin/quelby-admin" check "$work/plant.db" >/dev/null
echo "installed programs: demo plant made, order $order's paperwork printed ($count PDF files), check found nothing"
