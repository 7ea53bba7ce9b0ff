#!/usr/bin/env bash
# Builds the .deb and checks it: its control data, its file list, and lintian's verdict
# (errors fail; warnings are printed).
# Usage: scripts/check-package.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
make package BUILD="$build" > "$build/package.log" || { cat "$build/package.log"; exit 1; }
deb=$(ls -t "$build"/linkset_*.deb | head -1)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb" > "$build/package-contents.txt"
for f in ./usr/bin/linkset ./usr/bin/linkset-unitsim ./usr/share/applications/com.corvane.Linkset.desktop \
         ./usr/share/metainfo/com.corvane.Linkset.metainfo.xml ./usr/share/man/man1/linkset.1.gz; do
  grep -q " $f\$" "$build/package-contents.txt" || { echo "FAIL: $f is not in $deb"; exit 1; }
done
if command -v lintian > /dev/null; then
  lintian --fail-on error "$deb"
fi
echo "package check passed: $deb"
