# Part of content/make.sh: sourced by it, with its helpers and variables set.
# ---------------------------------------------------------------- images
# SVG drawings under content/images/ rendered to JPEG in data/Images/.
# Each line: source name (without .svg), width, height, colour put behind any
# transparent part.
images=(
    "corvinus2 320 240 #5a361b"    # title portrait: a scholar at his desk
    "logo2     160  80 #273f89"    # Brenvale's mark, on the menu blue
)

echo "images"
mkdir -p "$data/Images"
for item in "${images[@]}"; do
    # shellcheck disable=SC2086  # the list fields are split on purpose
    render_jpeg $item
done

