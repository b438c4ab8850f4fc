#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Command-file mode with a 280 MiB file (the largest accepted) into an emulated printer, against
# a plain copy of the same file into the same printer (bash's /dev/tcp), and tarn's peak memory.
# Both runs end when the printer has answered the query at the end of the file, so both count
# the whole transfer. Goals: at least 0.9 x the copy's throughput, and a peak memory that does
# not grow with the file: under 64 MiB for 280 MiB.
#
# Two memory figures: the peak resident size (GNU time's %M) counts, besides the tool's own
# memory, the pages of the mapped command file that are mapped in at the moment (the tool drops
# those the write has passed, a few MiB behind it); the peak private resident size (RssAnon,
# sampled from /proc while the tool runs) is the memory the tool holds of its own.
#
#   BUILD_DIR=build-bench RUNS=5 bench/command-file.sh
set -euo pipefail
RUNS=${RUNS:-5}
. "$(dirname "$0")/lib.sh"
[ -x /usr/bin/time ] || bench_die "no /usr/bin/time: run scripts/deps-bench"

bench_start_bed
queue=c9000
port=$(bench_port_of "$queue")
[ -n "$port" ] || bench_die "no port for $queue"
tarn="$BUILD_DIR/bin/tarn"
cd "$BUILD_DIR/bin"

# Print-data-like lines the printer skips, then one setting query whose answer ends the run.
size=293601280
file="$bench_dir/commands.txt"
query='~H(CLM,P'
{
    yes 'PRINTDATA0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstu' |
        head -c $((size - ${#query} - 1)) || true
    echo "$query"
} >"$file"
[ "$(stat -c %s "$file")" -eq "$size" ] || bench_die "command file of the wrong size"

# Without -u the tool only writes; with it, it reads the printer's answer and stores it.
reply="$bench_dir/reply"
command_file() {
    rm -f "$reply"
    "$tarn" -p "$queue" -c -i "$file" -u "$reply" >/dev/null && grep -q 'CLM,P,' "$reply"
}
copy() {
    local reply
    exec 3<>"/dev/tcp/127.0.0.1/$port"
    cat "$file" >&3
    IFS= read -r -t 120 -d $'\003' -u 3 reply
    exec 3>&-
    [[ "$reply" == *'CLM,P,'* ]]
}
command_file || bench_die "the command file got no answer"
copy || bench_die "the copy got no answer"

echo "file $size bytes, $RUNS runs each, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
# The two alternate, and the throughput ratio is the median of the ratios of each pair: the
# speed of this shared machine drifts more from minute to minute than the two differ.
ms_of() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || bench_die "run failed: $*"
    awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN {printf "%.3f", (b - a) * 1000}'
}
copies=() tarns=() ratios=()
for ((run = 0; run < RUNS; run++)); do
    copies+=("$(ms_of copy)")
    tarns+=("$(ms_of command_file)")
    ratios+=("$(bench_ratio "${copies[-1]}" "${tarns[-1]}")")
done
copy_median=$(printf '%s\n' "${copies[@]}" | bench_median)
copy_min=$(printf '%s\n' "${copies[@]}" | sort -g | head -n 1)
tarn_median=$(printf '%s\n' "${tarns[@]}" | bench_median)
tarn_min=$(printf '%s\n' "${tarns[@]}" | sort -g | head -n 1)
pair_ratio=$(printf '%s\n' "${ratios[@]}" | bench_median)
bench_show "copy into the printer (/dev/tcp)" copy
bench_show "tarn -c -i FILE" tarn
mib() { awk -v ms="$1" -v s="$size" 'BEGIN {printf "%.1f", s / 1048576 / (ms / 1000)}'; }
peak_kib=$(/usr/bin/time -f '%M' "$tarn" -p "$queue" -c -i "$file" -u "$reply" 2>&1 >/dev/null | tail -n 1)
echo "tarn peak resident memory (with the mapped file's pages): $peak_kib KiB"
# Samples until the process has ended (a zombie has no RssAnon line).
peak_private() {
    "$tarn" -p "$queue" -c -i "$file" -u "$reply" >/dev/null &
    local pid=$! peak=0 kib
    while kib=$(awk '/^RssAnon:/ {print $2}' "/proc/$pid/status" 2>/dev/null) && [ -n "$kib" ]; do
        ((kib <= peak)) || peak=$kib
    done
    wait "$pid"
    echo "$peak"
}
private_kib=$(peak_private)
echo "tarn peak private resident memory: $private_kib KiB"

bench_result copy_mib_per_s "$(mib "$copy_median")"
bench_result tarn_mib_per_s "$(mib "$tarn_median")"
bench_result throughput_tarn_over_copy "$pair_ratio"
bench_result peak_kib "$peak_kib"
bench_result peak_over_file "$(bench_ratio "$((peak_kib * 1024))" "$size")"
bench_result private_peak_kib "$private_kib"
bench_report command-file
echo "goal: throughput_tarn_over_copy >= 0.9, peak_kib < 65536 (64 MiB)"
