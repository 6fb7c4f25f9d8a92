# Part of content/make.sh: sourced by it, with its helpers and variables set.
# ----------------------------------------------------------------- icons
# The application icon for the desktop's menu, from images/icon.svg (the emblem of
# the Brenvale mark): the scalable SVG and PNGs in the sizes menus and docks ask for,
# laid out as the hicolor theme wants them under packaging/icons/.
echo "icons"
icons="$root/packaging/icons/hicolor"
mkdir -p "$icons/scalable/apps"
cp "$content/images/icon.svg" "$icons/scalable/apps/org.brenvale.Lumora.svg"
for size in 16 24 32 48 64 128 256; do
    mkdir -p "$icons/${size}x${size}/apps"
    out="$icons/${size}x${size}/apps/org.brenvale.Lumora.png"
    rsvg-convert --width "$size" --height "$size" --format png --output "$tmp/icon.png" \
        "$content/images/icon.svg"
    # No time stamps or other chunks, so that a remake gives the same bytes.
    convert "$tmp/icon.png" -strip -define png:exclude-chunks=date,time "$out"
done
echo "  packaging/icons/hicolor/{16..256}/apps/org.brenvale.Lumora.png and scalable SVG"
