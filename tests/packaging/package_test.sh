#!/usr/bin/env bash
# Makes the Debian package from a built tree and checks what it holds and needs; 77 (skipped) where
# there is no dpkg-deb.
set -euo pipefail
build=$1
command -v dpkg-deb >/dev/null || { echo "no dpkg-deb: skipped"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)

fail() { echo "FAIL: $*"; exit 1; }
listing=$(dpkg-deb --contents "$deb")
for file in ./usr/bin/kova-configurator ./usr/bin/kova-cli ./usr/bin/kova-sim \
            ./usr/share/applications/kova-configurator.desktop \
            ./usr/share/icons/hicolor/scalable/apps/kova-configurator.svg \
            ./usr/share/kova/udev/70-kova-tracker.rules.in ./usr/share/man/man1/kova-cli.1; do
  grep -q " $file\$" <<<"$listing" || fail "the package holds no $file"
done

depends=$(dpkg-deb --field "$deb" Depends)
for library in libqt6core6 libqt6serialport6 libqt6widgets6; do
  grep -q "$library" <<<"$depends" || fail "Depends names no $library: $depends"
done

dpkg-deb --extract "$deb" "$work/root"
grep -q '^Name=Конфигуратор КОВА$' "$work/root/usr/share/applications/kova-configurator.desktop" || fail "desktop entry"
"$work/root/usr/bin/kova-cli" --help | grep -q doctor || fail "the unpacked kova-cli --help does not list doctor"
echo "package ok: $(basename "$deb")"
