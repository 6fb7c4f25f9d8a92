# Part of content/make.sh: sourced by it, with its helpers and variables set.
# ------------------------------------------------------------ hub images
# Pictures of the two topic hubs (shown on black) and their small versions for
# the quiz screen's picture box (shown on the menu blue).
# Each line: source name (without .svg), width, height, colour put behind any
# transparent part.
# pharos.svg and pharossm.svg both place the layer pharos-tower.svg, and
# sailchariotsm.svg is a crop of sailchariot4.svg: rsvg-convert reads those
# files beside them, so they are sources here but not rendered on their own.
need_font P052 fonts-urw-base35   # the numerals written in arithmetica4.svg

hub_images=(
    "pharos        360 480 #000000"   # Tiberan hub: the great lighthouse at dusk
    "arithmetica4  200 280 #000000"   # Tiberan hub, top left: his book of problems
    "sailchariot4  600 400 #000000"   # Malten hub: the sail chariot on the beach
    "pharossm      160 120 #273f89"   # quiz picture, Tiberan
    "sailchariotsm 160 120 #273f89"   # quiz picture, Joris Malten
)

echo "hub images"
mkdir -p "$data/Images"
for item in "${hub_images[@]}"; do
    # shellcheck disable=SC2086  # the list fields are split on purpose
    render_jpeg $item
done
