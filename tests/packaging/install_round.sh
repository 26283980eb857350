#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it as a user would meet it: every file
# in place, the menu entry valid, a pass decoded and remapped by the installed programs (the
# decoder finding its elements in the installed element folder only); then builds the Debian
# package and checks that it holds exactly the installed files and that lintian finds no error.
#
#   install_round.sh BUILD_FOLDER SOURCE_FOLDER MAKE_PASS
set -euo pipefail
build=$1 source=$2 make_pass=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/kestrova bin/Varnock.exe bin/Ostrelle.exe share/kestrova/kestrova.chm \
  share/kestrova/tle/demo.tle share/applications/kestrova.desktop \
  share/icons/hicolor/32x32/apps/kestrova.png share/icons/hicolor/256x256/apps/kestrova.png \
  share/doc/kestrova/copyright share/man/man1/Varnock.exe.1.gz; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
desktop-file-validate "$prefix/share/applications/kestrova.desktop" || fail "desktop entry"

mkdir "$tmp/passes" "$tmp/images"
"$make_pass" --tle "$source/tle/demo.tle" --start 2025-06-21T12:10:00 --duration 60 \
  --files hrpt-be --out "$tmp/passes" >/dev/null
pass=$(ls "$tmp/passes"/*.hpt)
base=$tmp/images/demo
export QT_QPA_PLATFORM=offscreen
(cd "$tmp/images" && "$prefix/bin/Varnock.exe" "$pass" -direction:north "-output:$base" \
  -fc:.jpg -fc:apt.jpg -close) || fail "the installed decoder"
for f in "$base.lcn" "$base-fc.jpg" "$base-fc-apt.jpg"; do [ -f "$f" ] || fail "not decoded: $f"; done
(cd "$tmp/images" && "$prefix/bin/Ostrelle.exe" "-LCN:$base.lcn" "-IN:$base-fc.jpg" \
  "-OUT:$base-fc-Polar.jpg" -lat1:80 -lat2:35 -lon1:-10 -lon2:50 -width:800 -height:600 \
  -proj:Polar) || fail "the installed remapper"
for f in "$base-fc-Polar.jpg" "$base-fc-Polar.jgw" "$base-fc-Polar.prj"; do
  [ -f "$f" ] || fail "not remapped: $f"
done

(cd "$build" && cpack -B "$tmp/package" >/dev/null) || fail "cpack"
deb=$(ls "$tmp/package"/*.deb)
installed=$(cd "$prefix" && find . -type f | sort)
packaged=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./usr/|./|' | sort)
diff <(echo "$installed") <(echo "$packaged") || fail "the package and the installation differ"
lintian --fail-on error "$deb" 2>/dev/null || fail "lintian reports errors on $deb"
echo "install round: installed, decoded, remapped and packaged"
