#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (CMake's LUMORA_FUZZ build) and
# runs them: the metafile player, the question-file reader and the catalogue reader.
#
#   scripts/fuzz.sh [-t SECONDS | -r RUNS] [-s SEED] [-B | -R] [TARGET...]
#
# TARGET is metafile, questionfile or catalogue (all three when none is named).
# Each runs for SECONDS (default 600) or RUNS executions; SEED fixes libFuzzer's
# seed (a short run in the test suite uses one). -B only builds, -R only runs what
# was built, so that a long run need not hold the machine's build lock. The build (in its
# folder build) and the growing corpora live in $LUMORA_FUZZ_DIR (default build-fuzz); anything a fuzzer finds is written
# there as crash-*, timeout-*, oom-* or leak-*, and the run fails.
# LUMORA_FUZZ_TIMEOUT (seconds, default 10) says when one input counts as a hang; a
# long run at low priority on a busy machine wants more. Needs the Debian packages
# clang and libfuzzer-14-dev.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
limit=(-max_total_time=600)
seed=()
build=1
run=1
while getopts "t:r:s:BR" opt; do
    case $opt in
    t) limit=(-max_total_time="$OPTARG") ;;
    r) limit=(-runs="$OPTARG") ;;
    s) seed=(-seed="$OPTARG") ;;
    B) run=0 ;;
    R) build=0 ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(metafile questionfile catalogue)
out=${LUMORA_FUZZ_DIR:-$root/build-fuzz}
mkdir -p "$out"
out=$(cd "$out" && pwd)

command -v clang++ >/dev/null || { echo "fuzz.sh: install the Debian package clang" >&2; exit 1; }
compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null ||
    { echo "fuzz.sh: install the Debian package libfuzzer-14-dev" >&2; exit 1; }

shopt -s nullglob
seeds_metafile=("$root"/../shared/wmf-corpus/*/*.wmf "$root"/data/wmf/*.wmf "$root"/data/wmf2/*.wmf)
seeds_questionfile=("$root"/data/multiple/*.txt)
seeds_catalogue=("$root"/data/multiple/track.txt)
dict_metafile=$root/fuzz/metafile.dict
dict_questionfile=$root/fuzz/text.dict
dict_catalogue=$root/fuzz/text.dict

for target in "${targets[@]}"; do
    case $target in
    metafile | questionfile | catalogue) ;;
    *) echo "fuzz.sh: no fuzz target $target" >&2; exit 2 ;;
    esac
done
# Each target links only the floor it reads with; nothing else of the program is built.
if [ $build = 1 ]; then
    cmake -S "$root" -B "$out/build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMORA_FUZZ=ON -DLUMORA_TESTS=OFF >/dev/null
    cmake --build "$out/build" --parallel "$(nproc)" --target "${targets[@]/%/_fuzz}"
fi

status=0
for target in "${targets[@]}"; do
    seeds="seeds_${target}[@]"
    dict="dict_${target}"
    dir=$out/$target
    mkdir -p "$dir/corpus" "$dir/seeds"
    [ $run = 1 ] || continue
    for f in "${!seeds}"; do
        cp -n "$f" "$dir/seeds/$(basename "$(dirname "$f")")-$(basename "$f" | tr ' ' '_')"
    done
    echo "fuzz.sh: $target"
    # Fonts and Qt's caches live for the whole run, so leak checks would only report them.
    # A small quarantine still catches a use of memory freed while one input plays, and
    # spares each run recycling the default 256 MB of image buffers: it runs 1.7 times
    # as fast.
    rc=0
    (cd "$dir" && QT_QPA_PLATFORM=offscreen \
        ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1:quarantine_size_mb=2:malloc_context_size=4 \
        UBSAN_OPTIONS=print_stacktrace=1 \
        "$out/build/fuzz/${target}_fuzz" corpus seeds -dict="${!dict}" "${limit[@]}" "${seed[@]}" \
            -timeout="${LUMORA_FUZZ_TIMEOUT:-10}" -rss_limit_mb=2560 -max_len=65536 -print_final_stats=1 \
            -artifact_prefix="$dir/") || rc=$?
    # 72 is libFuzzer's code for a run stopped by Ctrl-C or kill: nothing was found.
    if [ $rc = 72 ]; then
        echo "fuzz.sh: $target stopped before the end; nothing found" >&2
    elif [ $rc != 0 ]; then
        echo "fuzz.sh: $target found a fault; see $dir" >&2
        status=1
    fi
done
exit $status
