#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses what was installed: the programs,
# the desktop files, and both components through find_package and through pkg-config.
# Usage: install_test.sh BUILD_DIR CONSUMERS_DIR LIBDIR (LIBDIR relative to the prefix)
set -euo pipefail
build=$1
consumers=$2
libdir=$3

work=$(mktemp -d)
unit_pid=
cleanup() {
  [ -n "$unit_pid" ] && kill "$unit_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > "$work/install.log"

for f in bin/linkset bin/linkset-unitsim \
         "$libdir/libwiretalk.so" "$libdir/libglyphterm.so" \
         include/wiretalk/telnet_client.h include/glyphterm/terminal.h \
         "$libdir/cmake/Wiretalk/WiretalkConfig.cmake" "$libdir/cmake/Glyphterm/GlyphtermConfig.cmake" \
         "$libdir/pkgconfig/wiretalk.pc" "$libdir/pkgconfig/glyphterm.pc" \
         share/applications/com.corvane.Linkset.desktop share/metainfo/com.corvane.Linkset.metainfo.xml \
         share/icons/hicolor/scalable/apps/com.corvane.Linkset.svg \
         share/icons/hicolor/16x16/apps/com.corvane.Linkset.png \
         share/icons/hicolor/256x256/apps/com.corvane.Linkset.png \
         share/man/man1/linkset.1.gz share/doc/linkset/copyright; do
  [ -e "$prefix/$f" ] || fail "$f was not installed"
done

desktop-file-validate "$prefix/share/applications/com.corvane.Linkset.desktop" || fail "desktop file does not validate"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/com.corvane.Linkset.metainfo.xml" > "$work/appstream.log" ||
  { cat "$work/appstream.log"; fail "metainfo does not validate"; }

# The installed program finds its libraries from its own folder.
version=$("$prefix/bin/linkset" --version) || fail "installed linkset does not start"
echo "$version" | grep -q '^linkset [0-9]' || fail "unexpected version line: $version"

# A unit to connect to: the installed simulated unit on a free loopback port.
"$prefix/bin/linkset-unitsim" --telnet 127.0.0.1:0 > "$work/unit.out" &
unit_pid=$!
port=
for _ in $(seq 100); do
  port=$(sed -n 's/^telnet 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$work/unit.out")
  [ -n "$port" ] && break
  kill -0 "$unit_pid" 2>/dev/null || fail "linkset-unitsim ended early"
  sleep 0.1
done
[ -n "$port" ] || fail "linkset-unitsim reported no port"

export QT_QPA_PLATFORM=offscreen
# An empty component registry: the control is found where it was installed.
export XDG_CONFIG_HOME=$work/config

# The command line: the installed linkset retrieves the installed unit's configuration,
# with no display.
(unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
 LINKSET_PASSWORD=radio "$prefix/bin/linkset" retrieve --telnet "127.0.0.1:$port" --user admin \
   --output "$work/unit.qdv") || fail "installed linkset retrieve failed"
grep -q '^get=1;01=' "$work/unit.qdv" || fail "linkset retrieve saved no configuration"

# find_package: configure, build and run a consumer of each component. The telnet
# consumer runs from the installed bin folder, where an installed linkset runs.
cmake -S "$consumers" -B "$work/cmake-consumers" -DCMAKE_PREFIX_PATH="$prefix" > "$work/consumers.log" ||
  { cat "$work/consumers.log"; fail "find_package consumers do not configure"; }
cmake --build "$work/cmake-consumers" >> "$work/consumers.log" ||
  { cat "$work/consumers.log"; fail "find_package consumers do not build"; }
cp "$work/cmake-consumers/wiretalk_consumer" "$prefix/bin/"
[ "$("$prefix/bin/wiretalk_consumer" 127.0.0.1 "$port")" = connected ] || fail "find_package: Wiretalk did not connect"
[ "$("$work/cmake-consumers/glyphterm_consumer")" = "installed glyphterm" ] || fail "find_package: Glyphterm"

# pkg-config: the same sources with the flags the .pc files give.
export PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig
for component in wiretalk glyphterm; do
  c++ -std=c++20 -fPIC "$consumers/${component}_consumer.cpp" -o "$work/pc_${component}_consumer" \
    $(pkg-config --cflags --libs "$component") -Wl,-rpath,"$prefix/$libdir" ||
    fail "pkg-config: $component consumer does not build"
done
cp "$work/pc_wiretalk_consumer" "$prefix/bin/"
[ "$("$prefix/bin/pc_wiretalk_consumer" 127.0.0.1 "$port")" = connected ] || fail "pkg-config: Wiretalk did not connect"
[ "$("$work/pc_glyphterm_consumer")" = "installed glyphterm" ] || fail "pkg-config: Glyphterm"

echo "install test passed"
