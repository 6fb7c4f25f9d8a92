# Part of content/make.sh: sourced by it, with its helpers and variables set.
# ------------------------------------------------------- metafile faults
# The metafile player's regression files: for each fault fixed in the player,
# one small metafile named after it, written by tools/faultfiles.py. They are
# test data, so they go beside the test that plays them, not into data/.
echo "metafile faults"
python3 "$tools/faultfiles.py" "$root/tests/platform/metafile-faults"
