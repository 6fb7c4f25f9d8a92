# Part of content/make.sh: sourced by it, with its helpers and variables set.
# ------------------------------------------------------- activity images
# Pictures of the activity screens, rendered like the other images.
# Each line: source name (without .svg), width, height, colour put behind any
# transparent part.
activity_images=(
    "triangular 256 192 #284188"   # triangular drill, top right: the pairing trick in dots
)

echo "activity images"
mkdir -p "$data/Images"
for item in "${activity_images[@]}"; do
    # shellcheck disable=SC2086  # the list fields are split on purpose
    render_jpeg $item
done
