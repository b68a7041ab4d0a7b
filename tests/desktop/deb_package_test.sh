#!/usr/bin/env bash
# Builds the Debian package from a built tree, unpacks it into a scratch root
# and checks that the program, its desktop files and icons land where the
# desktop looks for them, that it declares what it needs, and that it starts.
set -euo pipefail
build_dir=$1
app_id=$2
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed"
    exit 77
  fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; fail "cpack could not build the package"; }
deb=$(ls "$scratch"/out/batch-renamer_*.deb)
echo "built $(basename "$deb")"

[ "$(dpkg-deb -f "$deb" Package)" = batch-renamer ] || fail "wrong package name"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6svg6 qt6-qpa-plugins fonts-wqy-microhei xdg-utils; do
  grep -Eq "(^|[ ,])$needed([ ,(]|$)" <<<"$depends" || fail "Depends lacks $needed"
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
expected=(
  usr/bin/batch-renamer
  "usr/share/applications/$app_id.desktop"
  "usr/share/metainfo/$app_id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
  usr/share/batch-renamer/guide/index.html
)
for file in "${expected[@]}"; do
  [ -f "$root/$file" ] || fail "$file is not in the package"
done
[ -x "$root/usr/bin/batch-renamer" ] || fail "the program is not executable"

png_size() {  # width and height from the PNG header
  od -An -tu1 -j16 -N8 "$1" |
    awk '{ printf "%d %d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 128 96 72 64 48 32; do
  icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
  [ -f "$icon" ] || fail "no ${size} px icon"
  [ "$(png_size "$icon")" = "$size $size" ] || fail "the ${size} px icon is $(png_size "$icon")"
done

if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "installed entry invalid"
fi
exec_line=$(grep '^Exec=' "$root/usr/share/applications/$app_id.desktop")
[ -x "$root/usr/bin/${exec_line#Exec=}" ] || fail "$exec_line names no installed program"

# The unpacked program starts and keeps running until it is stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/batch-renamer" >"$scratch/run.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$scratch/run.log"; fail "the installed program ended with $status"; }
echo "PASS: the package installs and its program starts"
