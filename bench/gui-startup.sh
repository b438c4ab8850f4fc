#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# tarnqt's start-up (offscreen) to the first printer status drawn, with 1 and 8 queues, against
# one status read by tarn alone in the same run. gui_startup_bench is tarnqt's own entry plus an
# event filter that reports the first paint of the start page's status text after it changed.
# Goal: under 0.5 s with one queue.
#
#   BUILD_DIR=build-bench RUNS=11 bench/gui-startup.sh
set -euo pipefail
RUNS=${RUNS:-11}
. "$(dirname "$0")/lib.sh"
driver="$BUILD_DIR/bin/gui_startup_bench"
[ -x "$driver" ] || bench_die "no $driver: build the gui_startup_bench target"

bench_start_bed
export QT_QPA_PLATFORM=offscreen
tarn="$BUILD_DIR/bin/tarn"
# tarnqt runs ./tarn when the tool is not installed; tarn finds dexo1.so the same way.
cd "$BUILD_DIR/bin"
[ ! -e /opt/varda/tarn-utility/tarn ] || echo "bench: note: tarnqt runs the installed tarn" >&2

# Milliseconds from the driver's start to its first status line, in VAR_median and VAR_min.
time_startup() {
    local var=$1 times=() i start line
    for ((i = 0; i < RUNS; i++)); do
        start=$EPOCHREALTIME
        line=$(timeout 30 "$driver" 2>/dev/null | grep -m1 '^first-status ') ||
            bench_die "no status drawn"
        times+=("$(echo "$line" | awk -v a="$start" '{printf "%.3f", ($2 - a) * 1000}')")
    done
    local sorted
    sorted=$(printf '%s\n' "${times[@]}" | sort -g)
    printf -v "${var}_median" '%s' "$(echo "$sorted" | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}')"
    printf -v "${var}_min" '%s' "$(echo "$sorted" | head -n 1)"
}
status_read() {
    "$tarn" -p c9000 -o status -o statusGroup -o inksOfErrorReason -o inkK -o inkC -o inkM \
        -o inkY -o inkMN | grep -q '^status: 600, Status_IL_PAPF$'
}

# One queue: the RV-C9000 only.
for q in $("$bench_here/scripts/testbed" queues "$bench_dir/bed" | awk '$1 != "c9000" {print $1}'); do
    lpadmin -x "$q"
done
port=$(bench_port_of c9000)
[ "$("$tarn" -l | grep -c '^destination: ')" -eq 1 ] || bench_die "not one queue"
first=$(timeout 30 "$driver" 2>/dev/null | grep -m1 '^first-status ' | cut -d' ' -f3-) || true
echo "first status drawn: $first"
echo "$RUNS runs each, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
bench_time status status_read
bench_show "tarn status read alone" status
time_startup one
bench_show "tarnqt to first status, 1 queue" one

# Eight queues: seven more for the same printer, listed after the first.
for i in 1 2 3 4 5 6 7; do
    bench_add_queue "c9000_$i" "socket://127.0.0.1:$port" RV-C9000
done
[ "$("$tarn" -l | grep -c '^destination: ')" -eq 8 ] || bench_die "not eight queues"
time_startup eight
bench_show "tarnqt to first status, 8 queues" eight

bench_result status_read_ms "$status_median"
bench_result startup_1_queue_ms "$one_median"
bench_result startup_1_queue_min_ms "$one_min"
bench_result startup_8_queues_ms "$eight_median"
bench_result startup_1_over_status_read "$(bench_ratio "$one_median" "$status_median")"
bench_result startup_8_over_1 "$(bench_ratio "$eight_median" "$one_median")"
bench_report gui-startup
echo "goal: startup_1_queue_ms < 500"
