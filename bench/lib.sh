# SPDX-License-Identifier: Apache-2.0
# Shared by the bench/*.sh scripts: the build folder, a test bed, repeat loops with medians, and
# the comparison with a baseline file. Sourced, not run.
#
# Every figure is the median of RUNS wall-clock runs (default 21) and their minimum; the ratios
# divide figures of the same run, so a busy machine moves both sides alike.

bench_here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-build}
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR="$bench_here/$BUILD_DIR" ;; esac
export BUILD_DIR
RUNS=${RUNS:-21}
bench_cups="$bench_here/tests/harness/private-cups.sh"
bench_ppds="$bench_here/tests/harness/ppd"

bench_die() {
    echo "bench: $*" >&2
    exit 1
}

[ -x "$BUILD_DIR/bin/tarn" ] || bench_die "no $BUILD_DIR/bin/tarn: build first (BUILD_DIR=...)"

# A fresh folder for the test bed and the data, removed on exit with everything in it.
bench_dir=$(mktemp -d "${TMPDIR:-/tmp}/tarn-bench.XXXXXX")
bench_cleanup() {
    if [ -d "$bench_dir/bed" ]; then
        "$bench_here/scripts/testbed" stop "$bench_dir/bed" >/dev/null 2>&1 || true
    fi
    if [ -d "$bench_dir/cups" ]; then
        "$bench_cups" stop "$bench_dir/cups" >/dev/null 2>&1 || true
    fi
    rm -rf "$bench_dir"
}
trap bench_cleanup EXIT

# Starts the emulator (one printer per model) and a private cupsd with their queues; exports
# the client environment into this shell.
bench_start_bed() {
    eval "$("$bench_here/scripts/testbed" start "$bench_dir/bed")"
    # A benchmark run must not reach a library installed on the machine instead of ours.
    [ ! -e /opt/varda/varda-printer-io-community/dexo1.so ] ||
        echo "bench: note: tarn loads the installed dexo1.so, not the built one" >&2
}

# PORT of the emulated printer behind QUEUE of the test bed.
bench_port_of() {
    "$bench_here/scripts/testbed" queues "$bench_dir/bed" | awk -v q="$1" '$1 == q {print $2}'
}

# Adds queue NAME to the test bed's cupsd with URI and the PPD of MODEL.
bench_add_queue() {
    "$bench_here/tests/harness/private-cups.sh" add-queue "$bench_dir/bed/cups" "$1" "$2" \
        "$bench_ppds/$3.ppd" 2>/dev/null
}

# bench_time VAR CMD...: runs CMD RUNS times (output discarded) and sets VAR_median and VAR_min
# in milliseconds. A failed run makes the whole script fail: a broken chain measures nothing.
bench_time() {
    local var=$1
    shift
    local times=() i start end
    for ((i = 0; i < RUNS; i++)); do
        start=$EPOCHREALTIME
        "$@" >/dev/null 2>&1 || bench_die "run failed: $*"
        end=$EPOCHREALTIME
        times+=("$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.3f", (b - a) * 1000}')")
    done
    printf -v "${var}_median" '%s' "$(printf '%s\n' "${times[@]}" | bench_median)"
    printf -v "${var}_min" '%s' "$(printf '%s\n' "${times[@]}" | sort -g | head -n 1)"
}

# bench_median: the median of the numbers on standard input, one a line.
bench_median() {
    sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'
}

# bench_show LABEL VAR: one line with the median and minimum of VAR.
bench_show() {
    local median="${2}_median" min="${2}_min"
    printf '%-40s median %9.3f ms   min %9.3f ms\n' "$1" "${!median}" "${!min}"
}

# bench_ratio A B: A / B to three places.
bench_ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN {printf "%.3f", (b > 0) ? a / b : 0}'
}

# Results as "key value" lines, printed side by side with the baseline file's figures.
bench_results=()
bench_result() {
    bench_results+=("$1 $2")
}

# bench_report NAME: prints every result against bench/baseline/NAME.txt; with
# BENCH_WRITE_BASELINE=1 writes the results as the new baseline instead.
bench_report() {
    local baseline="$bench_here/bench/baseline/$1.txt"
    echo
    printf '%-36s %12s %12s\n' "result" "this run" "baseline"
    local line key value base
    for line in "${bench_results[@]}"; do
        key=${line%% *}
        value=${line#* }
        base=""
        [ ! -f "$baseline" ] || base=$(awk -v k="$key" '$1 == k {print $2}' "$baseline")
        printf '%-36s %12s %12s\n' "$key" "$value" "${base:--}"
    done
    if [ "${BENCH_WRITE_BASELINE:-0}" = 1 ]; then
        {
            echo "# $1: written by bench/$1.sh; $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'), load $(cut -d' ' -f1-3 /proc/loadavg), $RUNS runs"
            printf '%s\n' "${bench_results[@]}"
        } >"$baseline"
        echo "baseline written: $baseline"
    fi
}
