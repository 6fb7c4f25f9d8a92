#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks what it holds: the program,
# its content, the menu entry, the metainfo, the icons and the manual page, and
# nothing else; and that it names what it needs to run.
#   tests/install/package.sh BUILD-FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log") || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/lumora_*.deb)
echo "built $(basename "$deb")"

fail=0
# Every file of the package, against the one pattern it may match.
while read -r path; do
    case "$path" in
    ./usr/bin/lumora | \
    ./usr/share/lumora/Images/*.jpg | ./usr/share/lumora/wmf/*.wmf | ./usr/share/lumora/wmf2/*.wmf | \
    ./usr/share/lumora/logo/*.gif | ./usr/share/lumora/logo/*.bmp | \
    "./usr/share/lumora/multiple/Tiberan.txt" | "./usr/share/lumora/multiple/Joris Malten.txt" | \
    ./usr/share/applications/org.brenvale.Lumora.desktop | \
    ./usr/share/metainfo/org.brenvale.Lumora.metainfo.xml | \
    ./usr/share/icons/hicolor/*/apps/org.brenvale.Lumora.png | \
    ./usr/share/icons/hicolor/scalable/apps/org.brenvale.Lumora.svg | \
    ./usr/share/man/man1/lumora.1.gz) ;;
    *) echo "FAIL the package holds $path, which it should not"; fail=1 ;;
    esac
done < <(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$')

# ... and the files it must hold.
files=$(dpkg-deb -c "$deb")
for must in usr/bin/lumora usr/share/lumora/wmf/guide1.wmf usr/share/lumora/Images/corvinus2.jpg \
    "usr/share/lumora/multiple/Joris Malten.txt" usr/share/applications/org.brenvale.Lumora.desktop \
    usr/share/metainfo/org.brenvale.Lumora.metainfo.xml usr/share/man/man1/lumora.1.gz \
    usr/share/icons/hicolor/48x48/apps/org.brenvale.Lumora.png \
    usr/share/icons/hicolor/scalable/apps/org.brenvale.Lumora.svg; do
    grep -qF "./$must" <<<"$files" || { echo "FAIL the package lacks $must"; fail=1; }
done

info=$(dpkg-deb -I "$deb")
depends=$(grep '^ Depends:' <<<"$info")
echo "$depends"
for need in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins fonts-liberation2; do
    grep -q "$need" <<<"$depends" || { echo "FAIL the package does not depend on $need"; fail=1; }
done
grep -q "^ Version: $(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")\$" <<<"$info" ||
    { echo "FAIL the package's version is not the project's"; fail=1; }
exit $fail
