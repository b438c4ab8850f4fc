#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# `tarn -l` against a private cupsd with 1, 10, 100 and 300 queues of supported printers: the
# cost of each step per added queue, to see whether it grows linearly.
# Goals: linear growth (the per-queue cost of each step about the same), under 5 ms per queue.
#
#   BUILD_DIR=build-bench RUNS=11 bench/list-queues.sh
set -euo pipefail
RUNS=${RUNS:-11}
. "$(dirname "$0")/lib.sh"

# -l asks only CUPS, never a printer: the queues need no emulator behind them.
root="$bench_dir/cups"
eval "$("$bench_cups" start "$root")"
models=(RV-C9000 RV-C2000 RV-D5510P RV-D5500A RV-C5020A RV-C5000P)
tarn="$BUILD_DIR/bin/tarn"
cd "$BUILD_DIR/bin"

echo "$RUNS runs per size, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
bench_time true /bin/true
bench_show "/bin/true" true
count=0
previous_count=0
previous_median=0
for size in 1 10 100 300; do
    while [ "$count" -lt "$size" ]; do
        "$bench_cups" add-queue "$root" "q$count" "socket://127.0.0.1:$((20000 + count))" \
            "$bench_ppds/${models[count % ${#models[@]}]}.ppd" 2>/dev/null
        count=$((count + 1))
    done
    listed=$("$tarn" -l | grep -c '^destination: ' || true)
    if [ "$listed" -ne "$size" ]; then
        # Seen once on a machine under heavy load: show which queues went missing and why.
        "$tarn" -l -v 2>&1 >/dev/null | grep -B3 'N/A' | head -n 20 >&2 || true
        tail -n 20 "$root/log/error_log" >&2 || true
        bench_die "tarn -l lists $listed of $size queues"
    fi
    bench_time "list$size" "$tarn" -l
    bench_show "tarn -l, $size queues" "list$size"
    median="list${size}_median"
    bench_result "list_${size}_ms" "${!median}"
    if [ "$previous_count" -gt 0 ]; then
        step=$(awk -v a="${!median}" -v b="$previous_median" -v n=$((size - previous_count)) \
            'BEGIN {printf "%.3f", (a - b) / n}')
        echo "    per added queue from $previous_count to $size: $step ms"
        bench_result "per_queue_${previous_count}_to_${size}_ms" "$step"
    fi
    previous_count=$size
    previous_median=${!median}
done
bench_result per_queue_1_to_300_ms "$(awk -v a="$list300_median" -v b="$list1_median" \
    'BEGIN {printf "%.3f", (a - b) / 299}')"
bench_result per_queue_1_to_300_min_ms "$(awk -v a="$list300_min" -v b="$list1_min" \
    'BEGIN {printf "%.3f", (a - b) / 299}')"
bench_result list_1_over_true "$(bench_ratio "$list1_median" "$true_median")"
bench_report list-queues
echo "goal: per_queue_* about equal (linear) and under 5 ms"
"$bench_cups" stop "$root" >/dev/null 2>&1 || true
