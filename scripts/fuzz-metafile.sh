#!/usr/bin/env bash
# Builds the metafile player's fuzz target with clang and libFuzzer and runs it,
# seeded with the public sample metafiles beside the checkout and the product's own
# pages. Not part of the test suite.
#
#   scripts/fuzz-metafile.sh [SECONDS] [more libFuzzer options]
#
# SECONDS defaults to 600. The build and the growing corpus live in
# $LUMORA_FUZZ_DIR (default build-wmf/fuzz); anything the fuzzer finds is written
# there as crash-*, timeout-*, oom-* or leak-*, and the run ends with its summary.
# Needs the Debian packages clang and libfuzzer-14-dev.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-600}
shift || true
out=${LUMORA_FUZZ_DIR:-$root/build-wmf/fuzz}
mkdir -p "$out/corpus" "$out/seeds"

command -v clang++ >/dev/null || { echo "fuzz-metafile.sh: install the Debian package clang" >&2; exit 1; }
compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null ||
    { echo "fuzz-metafile.sh: install the Debian package libfuzzer-14-dev" >&2; exit 1; }

# The player and what it uses, nothing else of the program.
clang++ -std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root/src" $(pkg-config --cflags Qt6Gui Qt6Widgets) \
    "$root/fuzz/metafile_fuzz.cpp" \
    "$root"/src/platform/metafile/*.cpp \
    "$root/src/platform/codepage.cpp" \
    "$root/src/platform/places.cpp" \
    "$root/src/platform/respath.cpp" \
    "$root/src/platform/seqfile.cpp" \
    $(pkg-config --libs Qt6Gui Qt6Widgets) \
    -o "$out/metafile_fuzz"

# Seeds: every sample file and every page, copied once under plain names.
shopt -s nullglob
for f in "$root"/../shared/wmf-corpus/*/*.wmf "$root"/data/wmf/*.wmf "$root"/data/wmf2/*.wmf; do
    name=$(basename "$(dirname "$f")")-$(basename "$f" | tr ' ' '_')
    cp -n "$f" "$out/seeds/$name"
done

cd "$out"
# Fonts and Qt's caches live for the whole run, so leak checks would only report them.
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1 \
UBSAN_OPTIONS=print_stacktrace=1 \
    ./metafile_fuzz corpus seeds \
    -dict="$root/fuzz/metafile.dict" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="$out/" "$@"
