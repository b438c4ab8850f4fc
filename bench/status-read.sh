#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# One status read as the graphical utility runs it, through the private cupsd, dexo1.so and the
# emulator, against `lpstat -v QUEUE` on the same server and /bin/true (process start).
# Goal: the status read within 1.5 x lpstat -v.
#
#   BUILD_DIR=build-bench RUNS=31 bench/status-read.sh
set -euo pipefail
. "$(dirname "$0")/lib.sh"

bench_start_bed
queue=c9000
tarn="$BUILD_DIR/bin/tarn"
# tarn finds dexo1.so beside itself through the working folder.
cd "$BUILD_DIR/bin"
status_read() {
    "$tarn" -p "$queue" -o status -o statusGroup -o inksOfErrorReason -o inkK -o inkC -o inkM \
        -o inkY -o inkMN | grep -q '^status: 600, Status_IL_PAPF$'
}
lpstat_v() {
    lpstat -v "$queue" | grep -q 'socket://127.0.0.1:'
}
status_read || bench_die "the status read does not report the ready printer"

echo "queue $queue, $RUNS runs each, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
# Interleaved rounds would need one process per run anyway; each loop is short, so the three
# see nearly the same load.
bench_time true /bin/true
bench_time lpstat lpstat_v
bench_time status status_read
bench_show "/bin/true" true
bench_show "lpstat -v QUEUE" lpstat
bench_show "tarn status read (whole chain)" status

bench_result true_ms "$true_median"
bench_result lpstat_ms "$lpstat_median"
bench_result status_ms "$status_median"
bench_result status_over_lpstat "$(bench_ratio "$status_median" "$lpstat_median")"
bench_result status_over_lpstat_min "$(bench_ratio "$status_min" "$lpstat_min")"
bench_result status_over_true "$(bench_ratio "$status_median" "$true_median")"
bench_report status-read
echo "goal: status_over_lpstat <= 1.5"
