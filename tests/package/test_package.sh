#!/usr/bin/env bash
# Checks the Debian package: its files and control fields, the validators of its menu entry and
# AppStream description, its manual page, and the program unpacked into a temporary root, run
# there without any display.
# Usage: test_package.sh <package folder> <version> <AppStream id> <golden folder>
set -euo pipefail
package_dir=$1 version=$2 appstream_id=$3 goldens=$4

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

shopt -s nullglob
debs=("$package_dir"/vitreo-k_"$version"_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one vitreo-k_${version}_*.deb in $package_dir, found ${#debs[@]}"
deb=${debs[0]}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

echo "== dpkg -c $(basename "$deb")"
dpkg -c "$deb"

# Exactly these files, nothing else.
expected=(
  usr/bin/vitreo-k
  usr/share/applications/vitreo-k.desktop
  "usr/share/metainfo/$appstream_id.metainfo.xml"
  usr/share/man/man1/vitreo-k.1.gz
)
for size in 16 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/vitreo-k.png")
done
actual=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$actual" = "$wanted" ] || fail "package files differ:$(diff <(echo "$wanted") <(echo "$actual") || true)"
for size in 16 32 48 64 128 256; do
  file "$root/usr/share/icons/hicolor/${size}x${size}/apps/vitreo-k.png" |
    grep -q "PNG image data, $size x $size" || fail "icon of size $size is not $size x $size"
done

# Control fields; the libraries come from dpkg-shlibdeps.
[ "$(dpkg-deb -f "$deb" Package)" = vitreo-k ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "== Depends: $depends"
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libjpeg62-turbo; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library"
done
file "$root/usr/bin/vitreo-k" | grep -q ', stripped' || fail "the program is not stripped"

echo "== desktop-file-validate"
desktop_report=$(desktop-file-validate "$root/usr/share/applications/vitreo-k.desktop" 2>&1) ||
  fail "desktop-file-validate: $desktop_report"
echo "${desktop_report:-(no output)}"
[ -z "$desktop_report" ] || fail "desktop-file-validate reports: $desktop_report"

echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$root/usr/share/metainfo/$appstream_id.metainfo.xml" ||
  fail "appstreamcli validate"
grep -q '<screenshot type="default">' "$root/usr/share/metainfo/$appstream_id.metainfo.xml" ||
  fail "no screenshot"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$appstream_id.metainfo.xml" ||
  fail "the AppStream release is not $version"

echo "== manual page"
manual_warnings=$(zcat "$root/usr/share/man/man1/vitreo-k.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
[ -z "$manual_warnings" ] || fail "groff warns: $manual_warnings"
zcat "$root/usr/share/man/man1/vitreo-k.1.gz" | grep -q "^\.TH VITREO-K 1 .*\"Vitreo-K $version\"" ||
  fail "the manual page's version is not $version"

echo "== the unpacked program without a display"
run() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XAUTHORITY LC_ALL=C.UTF-8 \
    "$root/usr/bin/vitreo-k" "$@"
}
[ "$(run --version)" = "Vitreo-K $version" ] || fail "--version gives '$(run --version)'"
run --version
run --n1 1 --k1 0 --n2 2 --k2 0 --min 0 --max 90 --res 1 --page R --output "$root/r.txt"
cmp "$root/r.txt" "$goldens/default_reflectance.txt" || fail "the reflectance export differs"
run --n1 1.5 --n2 1 --page P --output - | cmp - "$goldens/critical_polarization.txt" ||
  fail "the polarization export differs"
run --page PH --output - | cmp - "$goldens/default_phase.txt" || fail "the phase export differs"
echo "package ok"
